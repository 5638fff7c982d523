#include "fontsubstitutes.h"
#include "linklabel.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QTest>
#include <QUrl>
#include <QtMath>

namespace {

const QColor pageColour(0xd4, 0xd0, 0xc8);
const QColor blue(0x00, 0x00, 0xff);
const QString address = QStringLiteral("ivan.petrov@example.org");
const QString mailLink = QStringLiteral("mailto:ivan.petrov@example.org");

QFont labelFont(int pixelSize = 11)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(pixelSize);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

struct Page : QWidget {
    Page()
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, pageColour);
        pal.setColor(QPalette::WindowText, Qt::black);
        pal.setColor(QPalette::Link, Qt::green);
        pal.setColor(QPalette::LinkVisited, Qt::magenta);
        setPalette(pal);
        setAutoFillBackground(true);
        setFont(labelFont());
        resize(300, 100);
    }
};

// The text's advance, plus the overhang of a last glyph that reaches past it.
int textWidth(const QString &shown, const QFont &font)
{
    const QFontMetricsF fm(font);
    qreal width = fm.horizontalAdvance(shown);
    if (!shown.isEmpty())
        width += qMax(0.0, -fm.rightBearing(shown.back()));
    return qCeil(width);
}

QImage grabbed(QWidget &w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Every pixel is the page colour or pure blue; returns how many are blue.
int bluePixels(const QImage &img)
{
    int count = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QColor c(img.pixel(x, y));
            if (c == blue)
                ++count;
            else if (c != pageColour)
                return -1;
        }
    return count;
}

} // namespace

// Stands in for the system's mail handler.
class MailReceiver : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void handle(const QUrl &url) { urls << url; }
};

class TestLinkLabel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void sizeFollowsText_data();
    void sizeFollowsText();
    void alwaysPureBlue();
    void underline();
    void handCursorAndPageBackground();
    void pressHandsOverTheLink_data();
    void pressHandsOverTheLink();
    void everyPressHandsOverAgain();
    void badLinkIsQuiet();
    void accessibleLink();

private:
    MailReceiver m_receiver;
};

void TestLinkLabel::initTestCase()
{
    installFontSubstitutes();
}

void TestLinkLabel::init()
{
    m_receiver.urls.clear();
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &m_receiver, "handle");
}

void TestLinkLabel::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
}

void TestLinkLabel::sizeFollowsText_data()
{
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<bool>("underlined");
    QTest::addColumn<int>("height");
    QTest::newRow("relations page") << 11 << true << 13;
    QTest::newRow("about page") << 13 << false << 16;
}

void TestLinkLabel::sizeFollowsText()
{
    QFETCH(int, pixelSize);
    QFETCH(bool, underlined);
    QFETCH(int, height);
    Page page;
    LinkLabel label(&page);
    label.setFont(labelFont(pixelSize));
    label.setUnderline(underlined);
    label.setGeometry(618, 468, 71, 13);
    label.setText(address);
    QCOMPARE(label.size(), QSize(textWidth(address, labelFont(pixelSize)), height));
    QCOMPARE(label.pos(), QPoint(618, 468));
    label.setText(QStringLiteral("x@y"));
    QCOMPARE(label.width(), textWidth(QStringLiteral("x@y"), labelFont(pixelSize)));
    label.setFont(labelFont(pixelSize + 5));
    QVERIFY(label.height() > height);
}

void TestLinkLabel::alwaysPureBlue()
{
    Page page;
    LinkLabel label(address, &page);
    label.setHref(mailLink);
    label.move(10, 10);
    const int before = bluePixels(grabbed(label));
    QVERIFY(before > 20);

    // Not after a visit, not on hover, not with other palette colours.
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QTest::mouseMove(&label, QPoint(3, 3));
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(3, 3));
    QCOMPARE(m_receiver.urls.size(), 1);
    QCOMPARE(bluePixels(grabbed(label)), before);
    QPalette pal = label.palette();
    pal.setColor(QPalette::WindowText, Qt::red);
    label.setPalette(pal);
    QCOMPARE(bluePixels(grabbed(label)), before);
}

void TestLinkLabel::underline()
{
    Page page;
    LinkLabel label(QStringLiteral("mama"), &page); // no descenders
    QVERIFY(label.underline());
    const int baseline = QFontMetrics(labelFont()).ascent();
    auto inkBelowBaseline = [&] {
        const QImage img = grabbed(label);
        int count = 0;
        for (int y = baseline; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                count += QColor(img.pixel(x, y)) == blue;
        return count;
    };
    const QSize size = label.size();
    QVERIFY(inkBelowBaseline() >= label.width() - 2);
    label.setUnderline(false);
    QCOMPARE(inkBelowBaseline(), 0);
    QCOMPARE(label.size(), size);
}

void TestLinkLabel::handCursorAndPageBackground()
{
    Page page;
    LinkLabel label(QStringLiteral("."), &page);
    label.setFont(labelFont(20));
    QCOMPARE(label.cursor().shape(), Qt::PointingHandCursor);
    const QImage img = grabbed(label);
    QCOMPARE(QColor(img.pixel(0, 0)), pageColour);
    QCOMPARE(QColor(img.pixel(img.width() - 1, 0)), pageColour);
}

void TestLinkLabel::pressHandsOverTheLink_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<int>("handOvers");
    QTest::newRow("left") << Qt::LeftButton << 1;
    QTest::newRow("right") << Qt::RightButton << 0;
    QTest::newRow("middle") << Qt::MiddleButton << 0;
}

void TestLinkLabel::pressHandsOverTheLink()
{
    QFETCH(Qt::MouseButton, button);
    QFETCH(int, handOvers);
    Page page;
    LinkLabel label(address, &page);
    label.setHref(mailLink);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));

    // On the press already, not the release.
    QTest::mousePress(&label, button, {}, QPoint(2, 2));
    QCOMPARE(m_receiver.urls.size(), handOvers);
    QTest::mouseRelease(&label, button, {}, QPoint(2, 2));
    QCOMPARE(m_receiver.urls.size(), handOvers);
    for (const QUrl &url : std::as_const(m_receiver.urls))
        QCOMPARE(url, QUrl(mailLink));
}

void TestLinkLabel::everyPressHandsOverAgain()
{
    Page page;
    LinkLabel label(address, &page);
    label.setHref(mailLink);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QWindow *window = page.windowHandle();
    const QPoint at = label.geometry().center();
    // Through the window, as the system delivers it.
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
    QTest::mouseClick(window, Qt::RightButton, {}, at);
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
    QCOMPARE(m_receiver.urls.size(), 2);
}

void TestLinkLabel::badLinkIsQuiet()
{
    Page page;
    LinkLabel label(address, &page);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    // No target at all: nothing happens, nothing is shown.
    QTest::mouseClick(&label, Qt::LeftButton, {}, QPoint(2, 2));
    QCOMPARE(m_receiver.urls.size(), 0);
    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
}

void TestLinkLabel::accessibleLink()
{
    Page page;
    LinkLabel label(address, &page);
    label.setHref(mailLink);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&label);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Link);
    QCOMPARE(iface->text(QAccessible::Name), address);
    QVERIFY(iface->state().linked);
    QAccessibleActionInterface *action = iface->actionInterface();
    QVERIFY(action);
    QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(m_receiver.urls, QList<QUrl> { QUrl(mailLink) });
}

QTEST_MAIN(TestLinkLabel)
#include "tst_linklabel.moc"
