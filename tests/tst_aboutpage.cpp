#include "aboutpage.h"
#include "fontsubstitutes.h"
#include "linklabel.h"
#include "shadowlabel.h"

#include <QDesktopServices>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QUrl>

namespace {

const QString contactAddress = QStringLiteral("vetv@example.org");
const QString contactLink = QStringLiteral("mailto:vetv@example.org");

// Stands in for the system's mail handler and records every link handed to it.
class MailHandler : public QObject {
    Q_OBJECT

public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl &url) { urls << url; }
};

QFont pageFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(13);
    return font;
}

bool isBlue(QRgb pixel)
{
    return qRed(pixel) == 0 && qGreen(pixel) == 0 && qBlue(pixel) == 255;
}

} // namespace

class TestAboutPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void controlsInCreationOrder();
    void layout_data();
    void layout();
    void controlsKeepTheirPlaces_data();
    void controlsKeepTheirPlaces();
    void everythingFitsThePage();
    void linkLooks();
    void linkPresses_data();
    void linkPresses();
    void pressesElsewhereOpenNothing();

private:
    QLabel *label(const QString &name) const { return page->findChild<QLabel *>(name); }
    LinkLabel *link() const { return page->findChild<LinkLabel *>(QStringLiteral("LinkLabel2")); }

    AboutPage *page = nullptr;
    MailHandler *mail = nullptr;
};

void TestAboutPage::initTestCase()
{
    installFontSubstitutes();
}

void TestAboutPage::init()
{
    mail = new MailHandler;
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), mail, "open");
    page = new AboutPage;
    page->resize(767, 475);
    page->show();
    QVERIFY(QTest::qWaitForWindowExposed(page));
}

void TestAboutPage::cleanup()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    delete page;
    page = nullptr;
    delete mail;
    mail = nullptr;
}

void TestAboutPage::controlsInCreationOrder()
{
    QCOMPARE(page->objectName(), QStringLiteral("TabSheet3"));
    // Children keep their creation order, which is also their stacking
    // order: a later control lies over an earlier one.
    QStringList names;
    for (QObject *child : page->children())
        if (child->isWidgetType())
            names << child->objectName();
    const QStringList expected
        = { "RxLabel3", "RxLabel4", "RxLabel5", "LinkLabel2", "RxLabel6", "RxLabel7", "RxLabel8" };
    QCOMPARE(names, expected);

    for (const QString &name : expected) {
        if (name.startsWith(QStringLiteral("Rx")))
            QVERIFY2(qobject_cast<ShadowLabel *>(label(name)), qPrintable(name));
        else
            QVERIFY2(qobject_cast<LinkLabel *>(label(name)), qPrintable(name));
        QVERIFY(label(name)->isVisible());
    }
}

void TestAboutPage::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("topLeft");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("wordWrap");
    QTest::addColumn<int>("storedWidth");

    QTest::newRow("RxLabel3") << "RxLabel3" << QPoint(55, 48)
                              << QStringLiteral("Программа бесплатная  -  freeware") << false
                              << 224;
    QTest::newRow("RxLabel4") << "RxLabel4" << QPoint(55, 96)
                              << QStringLiteral("Автор не несёт никакой ответственности за "
                                                "абсолютно достоверную интерпретацию определений,")
                              << true << 662;
    QTest::newRow("RxLabel5")
        << "RxLabel5" << QPoint(55, 149)
        << QStringLiteral("Если есть ошибки, неточности, замечания, предложения - пишите") << false
        << 432;
    QTest::newRow("LinkLabel2") << "LinkLabel2" << QPoint(493, 149) << contactAddress << false
                                << 89;
    QTest::newRow("RxLabel6") << "RxLabel6" << QPoint(55, 70)
                              << QStringLiteral("Сделана была для того, чтобы самому лучьше "
                                                "разобраться в родственных связях")
                              << false << 534;
    QTest::newRow("RxLabel8") << "RxLabel8" << QPoint(53, 116)
                              << QStringLiteral(" используемых в программе. Все они взяты из "
                                                "Интернет и со слов людей.")
                              << false << 481;
}

void TestAboutPage::layout()
{
    QFETCH(QString, name);
    QFETCH(QPoint, topLeft);
    QFETCH(QString, caption);
    QFETCH(bool, wordWrap);
    QFETCH(int, storedWidth);

    QLabel *l = label(name);
    QVERIFY(l);
    QCOMPARE(l->pos(), topLeft);
    QCOMPARE(l->text(), caption);
    QCOMPARE(l->wordWrap(), wordWrap);

    const QFont font = l->font();
    QCOMPARE(font.family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(font.pixelSize(), 13);
    QVERIFY(!font.bold());
    QVERIFY(!font.italic());

    // The size is the caption's, measured in the face that actually draws
    // it: shadowed labels are 2 px wider than their text, a wrapped one
    // keeps its stored width and grows in height only.
    const QFontMetrics metrics(pageFont());
    QSize expected;
    if (auto *shadow = qobject_cast<ShadowLabel *>(l)) {
        QVERIFY(shadow->autoSize());
        if (wordWrap) {
            const QRect area(0, 0, storedWidth - 2, 10000);
            expected
                = { storedWidth, metrics.boundingRect(area, Qt::TextWordWrap, caption).height() };
        } else {
            expected = metrics.size(0, caption) + QSize(2, 0);
        }
    } else {
        expected = metrics.size(0, caption);
    }
    QCOMPARE(l->size(), expected);
}

void TestAboutPage::controlsKeepTheirPlaces_data()
{
    QTest::addColumn<QSize>("pageSize");
    QTest::newRow("maximised") << QSize(1920, 1050);
    QTest::newRow("small") << QSize(300, 120);
    QTest::newRow("nothing") << QSize(0, 0);
}

void TestAboutPage::controlsKeepTheirPlaces()
{
    QFETCH(QSize, pageSize);
    QMap<QString, QRect> before;
    for (QLabel *l : page->findChildren<QLabel *>())
        before[l->objectName()] = l->geometry();
    QCOMPARE(before.size(), 7);

    page->resize(pageSize);
    QCoreApplication::processEvents();
    for (QLabel *l : page->findChildren<QLabel *>())
        QCOMPARE(l->geometry(), before.value(l->objectName()));
}

void TestAboutPage::everythingFitsThePage()
{
    // The page at the window's stored size is 767 x 475; nothing reaches past it.
    for (QLabel *l : page->findChildren<QLabel *>()) {
        QVERIFY2(l->geometry().right() < 767, qPrintable(l->objectName()));
        QVERIFY2(l->geometry().bottom() < 475, qPrintable(l->objectName()));
        QVERIFY2(!l->text().isEmpty(), qPrintable(l->objectName()));
    }
    // The disclaimer is one line within its stored width.
    QLabel *disclaimer = label(QStringLiteral("RxLabel7"));
    QVERIFY(disclaimer);
    QCOMPARE(disclaimer->pos(), QPoint(56, 173));
    QVERIFY(!disclaimer->wordWrap());
    QVERIFY(!disclaimer->text().contains(u'\n'));
    QCOMPARE(disclaimer->height(), QFontMetrics(pageFont()).size(0, QStringLiteral("Ж")).height());
    QVERIFY2(disclaimer->width() <= 626, qPrintable(QString::number(disclaimer->width())));
    QCOMPARE(disclaimer->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(disclaimer->font().pixelSize(), 13);
}

void TestAboutPage::linkLooks()
{
    LinkLabel *l = link();
    QVERIFY(l);
    QCOMPARE(l->text(), contactAddress);
    QCOMPARE(l->href(), contactLink);
    QVERIFY(!l->underline());
    QCOMPARE(l->cursor().shape(), Qt::PointingHandCursor);

    // Tell the button face from the page colour, then look at the pixels:
    // the text is pure blue on the button face, with no underline.
    QPalette palette = page->palette();
    palette.setColor(QPalette::Window, QColor(0xd0, 0x30, 0x30));
    palette.setColor(QPalette::Button, QColor(0x30, 0xd0, 0x30));
    page->setPalette(palette);
    const QImage image = l->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(image.size(), l->size());
    QCOMPARE(QColor(image.pixel(image.width() - 1, 0)), QColor(0x30, 0xd0, 0x30));
    QCOMPARE(QColor(image.pixel(0, image.height() - 1)), QColor(0x30, 0xd0, 0x30));

    // Every pixel is the button face, pure blue or a smoothed edge between
    // the two; an underline would be a row of ink across most of the caption.
    const QColor face(0x30, 0xd0, 0x30);
    int pureBlue = 0;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0, longest = 0;
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = QColor(image.pixel(x, y));
            const double ink = 1.0 - p.green() / double(face.green());
            QVERIFY2(qAbs(p.red() - face.red() * (1 - ink)) <= 24
                    && qAbs(p.blue() - (face.blue() + (255 - face.blue()) * ink)) <= 24,
                qPrintable(QStringLiteral("pixel %1,%2 is %3").arg(x).arg(y).arg(p.name())));
            if (isBlue(p.rgb()) || ink > 0.75)
                ++pureBlue;
            run = ink > 0.5 ? run + 1 : 0;
            longest = qMax(longest, run);
        }
        QVERIFY2(longest < image.width() / 2, qPrintable(QStringLiteral("row %1").arg(y)));
    }
    QVERIFY2(pureBlue >= 10, "the caption's stems are blue ink");
}

void TestAboutPage::linkPresses_data()
{
    QTest::addColumn<QString>("clicks"); // l, r, m: a press and release of that button
    QTest::addColumn<int>("opened");
    QTest::newRow("one left press") << "l" << 1;
    QTest::newRow("every press again") << "lll" << 3;
    QTest::newRow("right") << "r" << 0;
    QTest::newRow("middle") << "m" << 0;
    QTest::newRow("mixed") << "rlmlr" << 2;
}

void TestAboutPage::linkPresses()
{
    QFETCH(QString, clicks);
    QFETCH(int, opened);
    LinkLabel *l = link();
    QVERIFY(l);
    const QPoint centre = l->rect().center();
    int expected = 0;
    for (QChar c : clicks) {
        const Qt::MouseButton button = c == u'l' ? Qt::LeftButton
            : c == u'r'                          ? Qt::RightButton
                                                 : Qt::MiddleButton;
        QTest::mousePress(l, button, {}, centre);
        // The link goes out on the press, not on the release.
        if (button == Qt::LeftButton)
            ++expected;
        QCOMPARE(mail->urls.size(), expected);
        QTest::mouseRelease(l, button, {}, centre);
        QCOMPARE(mail->urls.size(), expected);
    }
    QCOMPARE(mail->urls.size(), opened);
    for (const QUrl &url : std::as_const(mail->urls)) {
        QCOMPARE(url, QUrl(contactLink));
        QCOMPARE(url.scheme(), QStringLiteral("mailto"));
        QCOMPARE(url.path(), contactAddress);
    }
}

void TestAboutPage::pressesElsewhereOpenNothing()
{
    // A press on the link that is dragged away and released elsewhere opens
    // it once; presses on the other labels and on the bare page open nothing.
    LinkLabel *l = link();
    QVERIFY(l);
    QTest::mousePress(l, Qt::LeftButton, {}, l->rect().center());
    QMouseEvent move(QEvent::MouseMove, QPointF(-200, 300), l->mapToGlobal(QPointF(-200, 300)),
        Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(l, &move);
    QTest::mouseRelease(l, Qt::LeftButton, {}, QPoint(-200, 300));
    QCOMPARE(mail->urls.size(), 1);

    for (QLabel *other : page->findChildren<QLabel *>()) {
        if (other == l)
            continue;
        QTest::mouseClick(other, Qt::LeftButton, {}, other->rect().center());
    }
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(700, 400));
    QTest::mouseClick(page, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(mail->urls.size(), 1);
}

QTEST_MAIN(TestAboutPage)
#include "tst_aboutpage.moc"
