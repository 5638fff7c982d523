#include "autosizelabel.h"
#include "fontsubstitutes.h"

#include <QAccessible>
#include <QPainter>
#include <QTest>
#include <QtMath>

namespace {

const QColor pageColour(0xd4, 0xd0, 0xc8);

QFont windowFont(int pixelSize = 11)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(pixelSize);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// The width the shown text takes, up to the next whole pixel.
int textWidth(const QString &shown, const QFont &font = windowFont())
{
    // Its advance, plus the overhang of a last glyph that reaches past it.
    const QFontMetricsF fm(font);
    qreal width = fm.horizontalAdvance(shown);
    if (!shown.isEmpty())
        width += qMax(0.0, -fm.rightBearing(shown.back()));
    return qCeil(width);
}

// A page in the button-face colour, as the labels stand on.
struct Page : QWidget {
    Page()
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, pageColour);
        pal.setColor(QPalette::WindowText, Qt::black);
        setPalette(pal);
        setAutoFillBackground(true);
        setFont(windowFont());
        resize(300, 200);
    }
};

QImage grabbed(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Rows of the image with any pixel that is not the page colour.
QList<int> inkRows(const QImage &img)
{
    QList<int> rows;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (QColor(img.pixel(x, y)) != pageColour) {
                rows << y;
                break;
            }
    return rows;
}

} // namespace

class TestAutoSizeLabel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void sizeFollowsCaption_data();
    void sizeFollowsCaption();
    void sizeFollowsEveryChange();
    void sizeFollowsFont();
    void fixedSizeWhenAutoSizeOff();
    void autoSizeOffAfterFitKeepsGivenSize();
    void wordWrapAtFixedWidth();
    void doubleAmpersandShowsOne();
    void ampersandUnderlinesNext();
    void opaqueInPageColour();
    void accessibleNameWithoutAmpersands_data();
    void accessibleNameWithoutAmpersands();
};

void TestAutoSizeLabel::initTestCase()
{
    installFontSubstitutes();
}

void TestAutoSizeLabel::sizeFollowsCaption_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::newRow("муж") << QStringLiteral("муж") << QStringLiteral("муж");
    QTest::newRow("нет определения")
        << QStringLiteral("нет определения") << QStringLiteral("нет определения");
    QTest::newRow("Я") << QStringLiteral("Я") << QStringLiteral("Я");
    QTest::newRow("double ampersand") << QStringLiteral("a&&b") << QStringLiteral("a&b");
    QTest::newRow("mnemonic") << QStringLiteral("&Выход") << QStringLiteral("Выход");
    QTest::newRow("trailing ampersand") << QStringLiteral("x&") << QStringLiteral("x");
    QTest::newRow("legend") << QStringLiteral("Свойства (по бракам)")
                            << QStringLiteral("Свойства (по бракам)");
}

void TestAutoSizeLabel::sizeFollowsCaption()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    Page page;
    AutoSizeLabel label(&page);
    label.move(621, 406);
    label.setText(caption);
    QCOMPARE(label.width(), textWidth(shown));
    // The 11 px window font is 13 px high.
    QCOMPARE(label.height(), 13);
    QCOMPARE(label.pos(), QPoint(621, 406));
}

void TestAutoSizeLabel::sizeFollowsEveryChange()
{
    Page page;
    AutoSizeLabel label(QStringLiteral("жена"), &page);
    label.setGeometry(563, 147, 38, 20); // as laid out, before the first fit
    label.setText(QStringLiteral("жена"));
    QCOMPARE(label.size(), QSize(textWidth(QStringLiteral("жена")), 13));
    label.setText(QStringLiteral("нет определения"));
    QCOMPARE(label.width(), textWidth(QStringLiteral("нет определения")));
    label.setText(QStringLiteral("дочь"));
    QCOMPARE(label.width(), textWidth(QStringLiteral("дочь")));
    // An empty caption leaves no width but keeps one line's height.
    label.setText(QString());
    QCOMPARE(label.size(), QSize(0, 13));
    // Through the property system too (as the layout sets captions).
    label.setProperty("text", QStringLiteral("тесть"));
    QCOMPARE(label.width(), textWidth(QStringLiteral("тесть")));
    QCOMPARE(label.pos(), QPoint(563, 147));
}

void TestAutoSizeLabel::sizeFollowsFont()
{
    Page page;
    AutoSizeLabel label(QStringLiteral("муж"), &page);
    QCOMPARE(label.height(), 13);
    const int narrow = label.width();
    label.setFont(windowFont(16));
    QCOMPARE(label.height(), QFontMetrics(windowFont(16)).height());
    QVERIFY(label.height() > 13);
    QCOMPARE(label.width(), textWidth(QStringLiteral("муж"), windowFont(16)));
    QVERIFY(label.width() > narrow);
}

void TestAutoSizeLabel::fixedSizeWhenAutoSizeOff()
{
    Page page;
    AutoSizeLabel label(&page);
    QVERIFY(label.autoSize());
    label.setAutoSize(false);
    label.setGeometry(622, 371, 90, 26);
    label.setText(QStringLiteral("Кровное родство (двигать мышь)"));
    QCOMPARE(label.size(), QSize(90, 26));
    label.setFont(windowFont(16));
    QCOMPARE(label.size(), QSize(90, 26));
    // Back on, it fits again.
    label.setFont(windowFont());
    label.setAutoSize(true);
    QCOMPARE(label.height(), 13);
    QCOMPARE(label.width(), textWidth(QStringLiteral("Кровное родство (двигать мышь)")));
}

void TestAutoSizeLabel::autoSizeOffAfterFitKeepsGivenSize()
{
    // A layout may set the geometry, then the font (a fit to the still empty
    // caption) and only then turn autoSize off: the given size must stay.
    Page page;
    AutoSizeLabel label(&page);
    label.setGeometry(622, 371, 90, 26);
    label.setFont(windowFont());
    label.setFont(windowFont(12));
    label.setAutoSize(false);
    label.setWordWrap(true);
    label.setText(QStringLiteral("Кровное родство (двигать мышь)"));
    QCOMPARE(label.geometry(), QRect(622, 371, 90, 26));
}

void TestAutoSizeLabel::wordWrapAtFixedWidth()
{
    const QString caption = QStringLiteral("Кровное родство (двигать мышь)");
    Page page;
    AutoSizeLabel label(&page);
    label.setAutoSize(false);
    label.setGeometry(622, 371, 90, 26);
    label.setText(caption);

    // One line: nothing on the second line.
    QList<int> rows = inkRows(grabbed(label));
    QVERIFY(!rows.isEmpty());
    QVERIFY2(rows.last() < 13, qPrintable(QString::number(rows.last())));

    label.setWordWrap(true);
    QCOMPARE(label.size(), QSize(90, 26));
    rows = inkRows(grabbed(label));
    QVERIFY(rows.first() < 13);
    QVERIFY2(rows.last() >= 13, qPrintable(QString::number(rows.last())));

    // With autoSize on, a wrapping label keeps its width; its height follows.
    label.setAutoSize(true);
    QCOMPARE(label.width(), 90);
    QVERIFY(label.height() >= 26);
    QCOMPARE(label.height() % 13, 0);
}

void TestAutoSizeLabel::doubleAmpersandShowsOne()
{
    Page page;
    AutoSizeLabel label(QStringLiteral("a&&b"), &page);
    QImage expected(label.size(), QImage::Format_RGB32);
    expected.fill(pageColour);
    {
        QPainter p(&expected);
        p.setFont(windowFont());
        p.setPen(Qt::black);
        p.drawText(
            QRect(QPoint(0, 0), label.size()), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("a&b"));
    }
    QCOMPARE(grabbed(label), expected);
}

void TestAutoSizeLabel::ampersandUnderlinesNext()
{
    Page page;
    AutoSizeLabel underlined(QStringLiteral("&x"), &page);
    AutoSizeLabel plain(QStringLiteral("x"), &page);
    QCOMPARE(underlined.size(), plain.size());
    const QImage u = grabbed(underlined);
    const QImage p = grabbed(plain);
    // The only difference is a line under the x, below its baseline.
    const int baseline = QFontMetrics(windowFont()).ascent();
    int extra = 0;
    for (int y = 0; y < u.height(); ++y)
        for (int x = 0; x < u.width(); ++x)
            if (u.pixel(x, y) != p.pixel(x, y)) {
                QVERIFY2(y >= baseline, qPrintable(QStringLiteral("at %1,%2").arg(x).arg(y)));
                QCOMPARE(QColor(u.pixel(x, y)), QColor(Qt::black));
                ++extra;
            }
    QVERIFY(extra >= u.width() / 2);
}

void TestAutoSizeLabel::opaqueInPageColour()
{
    Page page;
    AutoSizeLabel label(&page);
    label.setAutoSize(false);
    label.setGeometry(10, 10, 60, 20);
    label.setText(QStringLiteral("."));
    const QImage img = grabbed(label);
    QCOMPARE(QColor(img.pixel(0, 0)), pageColour);
    QCOMPARE(QColor(img.pixel(59, 19)), pageColour);
    QCOMPARE(QColor(img.pixel(30, 10)), pageColour);
}

void TestAutoSizeLabel::accessibleNameWithoutAmpersands_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("name");
    QTest::newRow("plain") << QStringLiteral("муж") << QStringLiteral("муж");
    QTest::newRow("mnemonic") << QStringLiteral("&Выход") << QStringLiteral("Выход");
    QTest::newRow("double") << QStringLiteral("a&&b") << QStringLiteral("a&b");
    QTest::newRow("both") << QStringLiteral("&&&x&") << QStringLiteral("&x");
    QTest::newRow("markup stays text") << QStringLiteral("<b>x</b>") << QStringLiteral("<b>x</b>");
}

void TestAutoSizeLabel::accessibleNameWithoutAmpersands()
{
    QFETCH(QString, caption);
    QFETCH(QString, name);
    Page page;
    AutoSizeLabel label(QStringLiteral("старый"), &page);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&label);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::StaticText);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("старый"));
    label.setText(caption);
    QCOMPARE(iface->text(QAccessible::Name), name);
}

QTEST_MAIN(TestAutoSizeLabel)
#include "tst_autosizelabel.moc"
