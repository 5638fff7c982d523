#include "fontsubstitutes.h"
#include "statuspanels.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QSizeGrip>
#include <QTest>

namespace {

QImage grabbed(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Columns of img, within rows top..bottom, that hold text pixels (dark).
QList<int> darkColumns(const QImage &img, int top, int bottom)
{
    QList<int> columns;
    for (int x = 0; x < img.width(); ++x)
        for (int y = top; y <= bottom; ++y)
            if (qGray(img.pixel(x, y)) < 60) {
                columns << x;
                break;
            }
    return columns;
}

QAccessibleInterface *findByName(QAccessibleInterface *iface, const QString &name)
{
    if (!iface)
        return nullptr;
    if (iface->text(QAccessible::Name) == name)
        return iface;
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface *found = findByName(iface->child(i), name))
            return found;
    return nullptr;
}

} // namespace

class TestStatusPanels : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void panelRects_data();
    void panelRects();
    void emptyAtStartAndTexts();
    void textsDrawnLeftAlignedInTheirPanels_data();
    void textsDrawnLeftAlignedInTheirPanels();
    void sizeGripOverTheLastPanel();
    void statusBarFontNotTheWindowFont();
    void accessiblePanelTexts();
};

void TestStatusPanels::initTestCase()
{
    installFontSubstitutes();
}

void TestStatusPanels::panelRects_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("stored window") << 775;
    QTest::newRow("maximised") << 1280;
    QTest::newRow("narrow") << 260;
}

void TestStatusPanels::panelRects()
{
    QFETCH(int, width);
    QMainWindow window;
    auto *bar = new StatusPanels;
    window.setStatusBar(bar);
    window.resize(width, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(bar->width(), width);
    QCOMPARE(bar->height(), 19);

    const QRect p0 = bar->panelRect(0), p1 = bar->panelRect(1), p2 = bar->panelRect(2);
    QCOMPARE(p0.left(), 0);
    QCOMPARE(p0.right() + 1, 150);
    QCOMPARE(p1.left(), 150);
    QCOMPARE(p1.right() + 1, 200);
    QCOMPARE(p2.left(), 200);
    QCOMPARE(p2.right() + 1, width); // the last one takes the rest
    for (const QRect &r : { p0, p1, p2 }) {
        QCOMPARE(r.top(), p0.top());
        QCOMPARE(r.bottom(), 18);
        QVERIFY(r.height() >= 15);
    }
    QVERIFY(bar->panelRect(-1).isEmpty());
    QVERIFY(bar->panelRect(3).isEmpty());

    // The panels keep their places when the window grows.
    window.resize(width + 300, 300);
    QTRY_COMPARE(bar->width(), width + 300);
    QCOMPARE(bar->panelRect(1), p1);
    QCOMPARE(bar->panelRect(2).right() + 1, width + 300);
}

void TestStatusPanels::emptyAtStartAndTexts()
{
    StatusPanels bar;
    for (int i = 0; i < StatusPanels::PanelCount; ++i)
        QCOMPARE(bar.panelText(i), QString());
    bar.setPanelText(0, QStringLiteral("-12  40"));
    bar.setPanelText(1, QStringLiteral("3"));
    bar.setPanelText(2, QStringLiteral("8"));
    QCOMPARE(bar.panelText(0), QStringLiteral("-12  40"));
    QCOMPARE(bar.panelText(1), QStringLiteral("3"));
    QCOMPARE(bar.panelText(2), QStringLiteral("8"));
    // Outside 0..2: ignored, nothing else changes.
    bar.setPanelText(-1, QStringLiteral("x"));
    bar.setPanelText(3, QStringLiteral("x"));
    bar.setPanelText(1000000, QStringLiteral("x"));
    QCOMPARE(bar.panelText(3), QString());
    QCOMPARE(bar.panelText(-7), QString());
    QCOMPARE(bar.panelText(0), QStringLiteral("-12  40"));
    // Texts are plain: markup shows as written.
    bar.setPanelText(2, QStringLiteral("<b>8</b>"));
    QCOMPARE(bar.panelText(2), QStringLiteral("<b>8</b>"));
    bar.setPanelText(2, QString());
    QCOMPARE(bar.panelText(2), QString());
}

void TestStatusPanels::textsDrawnLeftAlignedInTheirPanels_data()
{
    QTest::addColumn<int>("panel");
    QTest::addColumn<QString>("text");
    QTest::newRow("position") << 0 << QStringLiteral("0  0");
    QTest::newRow("reference person") << 1 << QStringLiteral("22");
    QTest::newRow("hovered person") << 2 << QStringLiteral("8");
}

void TestStatusPanels::textsDrawnLeftAlignedInTheirPanels()
{
    QFETCH(int, panel);
    QFETCH(QString, text);
    QWidget holder;
    QPalette pal = holder.palette();
    pal.setColor(QPalette::WindowText, Qt::black);
    pal.setColor(QPalette::Window, QColor(0xd4, 0xd0, 0xc8));
    holder.setPalette(pal);
    holder.resize(500, 19);
    StatusPanels bar(&holder);
    bar.setGeometry(0, 0, 500, 19);

    const QImage empty = grabbed(bar);
    bar.setPanelText(panel, text);
    const QImage shown = grabbed(bar);
    const QRect r = bar.panelRect(panel);
    const QList<int> before = darkColumns(empty, r.top() + 2, r.bottom() - 2);
    QList<int> columns = darkColumns(shown, r.top() + 2, r.bottom() - 2);
    columns.removeIf([&](int x) { return before.contains(x); });
    QVERIFY(!columns.isEmpty());
    // Inside its panel, starting near the panel's left edge.
    QVERIFY2(columns.first() > r.left() && columns.first() <= r.left() + 8,
        qPrintable(QString::number(columns.first())));
    QVERIFY(columns.last() < r.right());
}

void TestStatusPanels::sizeGripOverTheLastPanel()
{
    QMainWindow window;
    auto *bar = new StatusPanels;
    window.setStatusBar(bar);
    window.resize(775, 300);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(bar->isSizeGripEnabled());
    auto *grip = bar->findChild<QSizeGrip *>();
    QVERIFY(grip);
    QTRY_VERIFY(grip->isVisible());
    QVERIFY(bar->panelRect(2).contains(grip->geometry().center()));
    QCOMPARE(bar->childAt(grip->geometry().center()), grip);
}

void TestStatusPanels::statusBarFontNotTheWindowFont()
{
    QMainWindow window;
    QFont windowFont(QStringLiteral("MS Sans Serif"));
    windowFont.setPixelSize(31);
    window.setFont(windowFont);
    auto *bar = new StatusPanels;
    window.setStatusBar(bar);
    const QFont expected = QApplication::font("QStatusBar");
    for (QLabel *label : bar->findChildren<QLabel *>()) {
        QCOMPARE(label->font().pixelSize(), expected.pixelSize());
        QCOMPARE(label->font().pointSizeF(), expected.pointSizeF());
    }
    QCOMPARE(bar->findChildren<QLabel *>().size(), StatusPanels::PanelCount);
}

void TestStatusPanels::accessiblePanelTexts()
{
    StatusPanels bar;
    bar.resize(600, 19);
    bar.setPanelText(0, QStringLiteral("12  40"));
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(&bar);
    QVERIFY(root);
    QAccessibleInterface *panel = findByName(root, QStringLiteral("12  40"));
    QVERIFY(panel);
    QCOMPARE(panel->role(), QAccessible::StaticText);
    bar.setPanelText(0, QStringLiteral("13  40"));
    QCOMPARE(panel->text(QAccessible::Name), QStringLiteral("13  40"));
}

QTEST_MAIN(TestStatusPanels)
#include "tst_statuspanels.moc"
