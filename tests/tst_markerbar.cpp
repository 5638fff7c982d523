#include "markerbar.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QTest>

namespace {

const QColor pageColour(0x12, 0x34, 0x56);

// A widget that counts the mouse events reaching it.
class MouseRecorder : public QWidget {
public:
    using QWidget::QWidget;
    int presses = 0;
    int moves = 0;
    int releases = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
    void mouseMoveEvent(QMouseEvent *) override { ++moves; }
    void mouseReleaseEvent(QMouseEvent *) override { ++releases; }
};

} // namespace

class TestMarkerBar : public QObject {
    Q_OBJECT

private slots:
    void pixels_data();
    void pixels();
    void repaintsOnColourChange();
    void keepsTheMouseOnItsPixels_data();
    void keepsTheMouseOnItsPixels();
    void accessibility();
};

void TestMarkerBar::pixels_data()
{
    QTest::addColumn<QColor>("fill");
    QTest::newRow("lime") << QColor(0x00, 0xff, 0x00);
    QTest::newRow("red") << QColor(0xff, 0x00, 0x00);
    QTest::newRow("blue") << QColor(0x00, 0x00, 0xff);
    QTest::newRow("white") << QColor(0xff, 0xff, 0xff);
}

void TestMarkerBar::pixels()
{
    QFETCH(QColor, fill);
    QWidget page;
    page.resize(80, 30);
    QPalette pal = page.palette();
    pal.setColor(QPalette::Window, pageColour);
    page.setPalette(pal);
    page.setAutoFillBackground(true);
    MarkerBar bar(&page);
    bar.setGeometry(10, 5, 49, 8);
    bar.setColor(fill);
    QCOMPARE(bar.color(), fill);

    const QImage img = page.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QRect r = bar.geometry();
    auto at = [&](int x, int y) { return QColor(img.pixel(r.x() + x, r.y() + y)); };
    const QColor black(Qt::black);

    // The four corner pixels are cut off by the rounding: the page shows.
    QCOMPARE(at(0, 0), pageColour);
    QCOMPARE(at(48, 0), pageColour);
    QCOMPARE(at(0, 7), pageColour);
    QCOMPARE(at(48, 7), pageColour);
    // A 1 px black outline along all four edges, corners aside.
    for (int x = 1; x <= 47; ++x) {
        QCOMPARE(at(x, 0), black);
        QCOMPARE(at(x, 7), black);
    }
    for (int y = 1; y <= 6; ++y) {
        QCOMPARE(at(0, y), black);
        QCOMPARE(at(48, y), black);
    }
    // Filled inside.
    for (int y = 1; y <= 6; ++y)
        for (int x = 1; x <= 47; ++x)
            QCOMPARE(at(x, y), fill);
    // Nothing drawn outside its 49x8.
    QCOMPARE(QColor(img.pixel(r.x() - 1, r.y() + 3)), pageColour);
    QCOMPARE(QColor(img.pixel(r.x() + 49, r.y() + 3)), pageColour);
    QCOMPARE(QColor(img.pixel(r.x() + 10, r.y() - 1)), pageColour);
    QCOMPARE(QColor(img.pixel(r.x() + 10, r.y() + 8)), pageColour);
}

void TestMarkerBar::repaintsOnColourChange()
{
    QWidget page;
    page.resize(80, 30);
    MarkerBar bar(&page);
    bar.setGeometry(10, 5, 49, 8);
    bar.setColor(Qt::blue);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    // Watch the paint events the bar gets.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Paint)
                ++paints;
            return false;
        }
    } counter;
    bar.installEventFilter(&counter);
    QCoreApplication::processEvents();
    counter.paints = 0;

    bar.setColor(Qt::red);
    QTRY_VERIFY(counter.paints > 0);
    QCOMPARE(bar.color(), QColor(Qt::red));
}

void TestMarkerBar::keepsTheMouseOnItsPixels_data()
{
    QTest::addColumn<QPoint>("barPoint");
    QTest::newRow("top-left corner") << QPoint(0, 0);
    QTest::newRow("outline") << QPoint(20, 0);
    QTest::newRow("inside") << QPoint(24, 4);
    QTest::newRow("bottom-right corner") << QPoint(48, 7);
}

void TestMarkerBar::keepsTheMouseOnItsPixels()
{
    QFETCH(QPoint, barPoint);
    // A parent page, a widget beneath the bar (like the picture) and the bar.
    MouseRecorder page;
    page.setMouseTracking(true);
    page.resize(200, 100);
    MouseRecorder beneath(&page);
    beneath.setMouseTracking(true);
    beneath.setGeometry(0, 0, 150, 80);
    MarkerBar bar(&page);
    bar.setGeometry(40, 30, 49, 8);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QWindow *window = page.windowHandle();
    QVERIFY(window);

    const QPoint onBar = bar.geometry().topLeft() + barPoint;
    for (Qt::MouseButton button : { Qt::LeftButton, Qt::RightButton, Qt::MiddleButton }) {
        QTest::mouseMove(window, onBar);
        QTest::mousePress(window, button, {}, onBar);
        QTest::mouseMove(window, onBar + QPoint(1, 0));
        QTest::mouseRelease(window, button, {}, onBar + QPoint(1, 0));
    }
    QTest::mouseDClick(window, Qt::LeftButton, {}, onBar);
    QCOMPARE(beneath.presses, 0);
    QCOMPARE(beneath.releases, 0);
    QCOMPARE(page.presses, 0);
    QCOMPARE(page.releases, 0);
    QCOMPARE(page.moves, 0);
    const int movesBefore = beneath.moves;

    // Next to the bar the widget beneath gets the mouse as usual.
    const QPoint offBar = bar.geometry().bottomLeft() + QPoint(0, 3);
    QTest::mouseMove(window, offBar);
    QTest::mousePress(window, Qt::LeftButton, {}, offBar);
    QTest::mouseRelease(window, Qt::LeftButton, {}, offBar);
    QCOMPARE(beneath.presses, 1);
    QCOMPARE(beneath.releases, 1);
    QVERIFY(beneath.moves > movesBefore);
}

void TestMarkerBar::accessibility()
{
    QWidget page;
    MarkerBar bar(&page);
    bar.setAccessibleName(QStringLiteral("KursorTo"));
    bar.setColor(QColor(0xff, 0x00, 0x00));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&bar);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Graphic);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("KursorTo"));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("красный"));
    bar.setColor(QColor(0x00, 0x00, 0xff));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("синий"));
    bar.setColor(QColor(0x00, 0xff, 0x00));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("зелёный"));
    bar.setColor(QColor(0xff, 0xff, 0xff));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("белый"));
    // A description set by the layout wins.
    bar.setAccessibleDescription(QStringLiteral("legend"));
    QCOMPARE(iface->text(QAccessible::Description), QStringLiteral("legend"));
}

QTEST_MAIN(TestMarkerBar)
#include "tst_markerbar.moc"
