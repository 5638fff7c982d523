#include "jpegdecoder.h"
#include "pictureview.h"

#include <QBuffer>
#include <QImageWriter>
#include <QMouseEvent>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <stdexcept>

namespace {

const QColor background(0x20, 0x40, 0x60);

QByteArray makeJpeg(const QImage &image, int quality = 95)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    if (!writer.write(image))
        qFatal("cannot write a test JPEG: %s", qPrintable(writer.errorString()));
    return bytes;
}

// Four flat quarters, large enough that JPEG keeps their colours.
QImage quarters(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                x < w / 2 ? (y < h / 2 ? qRgb(255, 0, 0) : qRgb(0, 255, 0))
                          : (y < h / 2 ? qRgb(0, 0, 255) : qRgb(255, 255, 0)));
    return img;
}

bool near(QRgb a, QColor b)
{
    return qAbs(qRed(a) - b.red()) < 24 && qAbs(qGreen(a) - b.green()) < 24
        && qAbs(qBlue(a) - b.blue()) < 24;
}

Qt::MouseButton buttonOf(QChar c)
{
    switch (c.unicode()) {
    case 'L':
        return Qt::LeftButton;
    case 'R':
        return Qt::RightButton;
    case 'M':
        return Qt::MiddleButton;
    default:
        return Qt::NoButton;
    }
}

QChar letterOf(Qt::MouseButton b)
{
    return b == Qt::LeftButton  ? u'L'
        : b == Qt::RightButton  ? u'R'
        : b == Qt::MiddleButton ? u'M'
                                : u'?';
}

QString modifiersText(Qt::KeyboardModifiers m)
{
    QString s;
    if (m & Qt::ShiftModifier)
        s += QStringLiteral(" shift");
    if (m & Qt::ControlModifier)
        s += QStringLiteral(" ctrl");
    if (m & Qt::AltModifier)
        s += QStringLiteral(" alt");
    return s;
}

// Records the view's signals as "down L 5 6" and "move -12 40".
struct Log : QObject {
    QStringList lines;
    explicit Log(PictureView *view)
    {
        connect(view, &PictureView::mouseDown, this,
            [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
                lines << QStringLiteral("down %1 %2 %3%4")
                             .arg(letterOf(b))
                             .arg(x)
                             .arg(y)
                             .arg(modifiersText(m));
            });
        connect(view, &PictureView::mouseMove, this, [this](Qt::KeyboardModifiers m, int x, int y) {
            lines << QStringLiteral("move %1 %2%3").arg(x).arg(y).arg(modifiersText(m));
        });
    }
};

} // namespace

class TestPictureView : public QObject {
    Q_OBJECT

private slots:
    void drawsAtNaturalSizeTopLeft();
    void keepsItsOwnCopy();
    void loadJpeg();
    void badJpegKeepsPicture_data();
    void badJpegKeepsPicture();
    void randomBytesNeverCrash();
    void jpegResource();
    void mouseDelivery_data();
    void mouseDelivery();
    void leftDragOutOfTheWindowedView();
    void otherButtonDragStaysInside();
};

void TestPictureView::drawsAtNaturalSizeTopLeft()
{
    PictureView view;
    QPalette pal = view.palette();
    pal.setColor(QPalette::Window, background);
    view.setPalette(pal);
    view.resize(120, 90);
    QImage picture(50, 40, QImage::Format_RGB32);
    picture.fill(Qt::red);
    picture.setPixel(0, 0, qRgb(0, 0, 255));
    picture.setPixel(49, 39, qRgb(0, 255, 0));
    view.setPicture(picture);
    QCOMPARE(view.sizeHint(), QSize(50, 40));

    const QImage shown = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(QColor(shown.pixel(0, 0)), QColor(0, 0, 255));
    QCOMPARE(QColor(shown.pixel(49, 39)), QColor(0, 255, 0));
    QCOMPARE(QColor(shown.pixel(25, 20)), QColor(Qt::red));
    // Not stretched, not centred: the rest is background.
    QCOMPARE(QColor(shown.pixel(50, 20)), background);
    QCOMPARE(QColor(shown.pixel(25, 40)), background);
    QCOMPARE(QColor(shown.pixel(119, 89)), background);

    // Larger than the view: cut at the right and bottom, still at 1:1.
    view.resize(30, 20);
    const QImage cut = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(QColor(cut.pixel(0, 0)), QColor(0, 0, 255));
    QCOMPARE(QColor(cut.pixel(29, 19)), QColor(Qt::red));
}

void TestPictureView::keepsItsOwnCopy()
{
    PictureView view;
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::red);
    view.setPicture(picture);
    picture.fill(Qt::blue);
    QCOMPARE(view.picture().pixel(5, 5), qRgb(255, 0, 0));

    // Built on a foreign buffer that goes away afterwards.
    {
        std::vector<uchar> pixels(4 * 4 * 4, 0xff);
        view.setPicture(QImage(pixels.data(), 4, 4, QImage::Format_RGB32));
    }
    QCOMPARE(view.picture().size(), QSize(4, 4));
    QCOMPARE(view.picture().pixel(3, 3), qRgb(255, 255, 255));
}

void TestPictureView::loadJpeg()
{
    PictureView view;
    view.loadJpeg(makeJpeg(quarters(549, 415)));
    const QImage p = view.picture();
    QCOMPARE(p.size(), QSize(549, 415));
    QVERIFY(near(p.pixel(100, 100), QColor(255, 0, 0)));
    QVERIFY(near(p.pixel(400, 100), QColor(0, 0, 255)));
    QVERIFY(near(p.pixel(100, 300), QColor(0, 255, 0)));
    QVERIFY(near(p.pixel(400, 300), QColor(255, 255, 0)));
}

void TestPictureView::badJpegKeepsPicture_data()
{
    const QByteArray good = makeJpeg(quarters(64, 48));
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("mayDecode");
    QTest::newRow("empty") << QByteArray() << false;
    QTest::newRow("one byte") << QByteArray(1, '\xff') << false;
    QTest::newRow("start marker only") << QByteArray("\xff\xd8", 2) << false;
    QTest::newRow("not a JPEG") << QByteArray("GIF89a....") << false;
    QTest::newRow("header cut") << good.left(40) << false;
    QTest::newRow("zeros") << QByteArray(4096, '\0') << false;
    // Cut inside the picture data: either an error or a padded picture.
    QTest::newRow("data cut") << good.left(good.size() * 3 / 4) << true;
    QByteArray scrambled = good;
    for (qsizetype i = scrambled.size() / 2; i < scrambled.size() - 2; i += 7)
        scrambled[i] = char(scrambled[i] ^ 0x5a);
    QTest::newRow("data scrambled") << scrambled << true;
    QByteArray badHeader = good;
    for (qsizetype i = 2; i < 200 && i < badHeader.size(); i += 3)
        badHeader[i] = char(0xff);
    QTest::newRow("header scrambled") << badHeader << true;
}

void TestPictureView::badJpegKeepsPicture()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, mayDecode);
    PictureView view;
    QImage old(7, 5, QImage::Format_RGB32);
    old.fill(Qt::cyan);
    view.setPicture(old);
    try {
        view.loadJpeg(bytes);
        QVERIFY2(mayDecode, "bad data decoded");
        QCOMPARE(view.picture().size(), QSize(64, 48));
    } catch (const JpegError &e) {
        QVERIFY(*e.what());
        QCOMPARE(view.picture(), old);
    }
}

void TestPictureView::randomBytesNeverCrash()
{
    QRandomGenerator random(20030501);
    const QByteArray good = makeJpeg(quarters(32, 24));
    PictureView view;
    for (int round = 0; round < 300; ++round) {
        QByteArray bytes;
        if (round % 3 == 0) {
            bytes.resize(random.bounded(1, 2000));
            for (char &c : bytes)
                c = char(random.bounded(256));
        } else {
            // A real JPEG with random bytes changed, or cut at random.
            bytes = good;
            for (int i = 0; i < 1 + int(random.bounded(8)); ++i)
                bytes[random.bounded(qsizetype(bytes.size()))] = char(random.bounded(256));
            if (round % 3 == 2)
                bytes.truncate(random.bounded(qsizetype(1), qsizetype(bytes.size())));
        }
        try {
            view.loadJpeg(bytes);
        } catch (const JpegError &) {
        }
    }
    // Still works afterwards.
    view.loadJpeg(good);
    QCOMPARE(view.picture().size(), QSize(32, 24));
}

void TestPictureView::jpegResource()
{
    PictureView view;
    QVERIFY(view.jpegResource().isEmpty());
    QImage old(3, 3, QImage::Format_RGB32);
    old.fill(Qt::cyan);
    view.setPicture(old);

    try {
        view.setJpegResource(QStringLiteral(":/JPEG/no-such-picture"));
        QFAIL("a missing resource was accepted");
    } catch (const JpegError &) {
        QFAIL("a missing resource is not a JPEG error");
    } catch (const std::runtime_error &e) {
        QVERIFY(QString::fromUtf8(e.what()).contains(QStringLiteral(":/JPEG/no-such-picture")));
    }
    QCOMPARE(view.picture(), old);
    QVERIFY(view.jpegResource().isEmpty());

    // Read and decoded; a file path works the same as a resource path.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString good = dir.filePath(QStringLiteral("good.jpg"));
    const QString bad = dir.filePath(QStringLiteral("bad.jpg"));
    {
        QFile file(good);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(makeJpeg(quarters(40, 30)));
        QFile junk(bad);
        QVERIFY(junk.open(QIODevice::WriteOnly));
        junk.write("not a picture");
    }
    QVERIFY(view.setProperty("jpegResource", good)); // as the layout sets it
    QCOMPARE(view.jpegResource(), good);
    QCOMPARE(view.picture().size(), QSize(40, 30));
    QVERIFY(near(view.picture().pixel(5, 5), QColor(255, 0, 0)));

    // Undecodable: JpegError, picture and path stay.
    QVERIFY_THROWS_EXCEPTION(JpegError, view.setJpegResource(bad));
    QCOMPARE(view.jpegResource(), good);
    QCOMPARE(view.picture().size(), QSize(40, 30));

    // An empty path clears.
    view.setJpegResource(QString());
    QVERIFY(view.jpegResource().isEmpty());
    QVERIFY(view.picture().isNull());
}

void TestPictureView::mouseDelivery_data()
{
    // Steps, separated by ";": "press B x y", "move B.. x y" (the buttons
    // held, "-" for none), "release B x y", optionally followed by
    // "shift"/"ctrl". The view is 100x80. Expected: the signals in order.
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("signalsSeen");
    QTest::newRow("hover inside") << "move - 10 20"
                                  << "move 10 20";
    QTest::newRow("hover at the top-left pixel") << "move - 0 0"
                                                 << "move 0 0";
    QTest::newRow("left press") << "press L 5 6"
                                << "down L 5 6";
    QTest::newRow("right press") << "press R 99 79"
                                 << "down R 99 79";
    QTest::newRow("middle press") << "press M 0 0"
                                  << "down M 0 0";
    QTest::newRow("modifiers") << "press L 1 2 shift ctrl; move L 3 4 alt"
                               << "down L 1 2 shift ctrl; move 3 4 alt";
    QTest::newRow("left drag to negative x") << "press L 5 5; move L -12 40; release L -12 40"
                                             << "down L 5 5; move -12 40";
    QTest::newRow("left drag beyond the size")
        << "press L 50 40; move L 100 80; move L 548 414; move L 100000 -100000"
        << "down L 50 40; move 100 80; move 548 414; move 100000 -100000";
    QTest::newRow("left drag ends with the release") << "press L 5 5; release L 5 5; move L -1 -1"
                                                     << "down L 5 5";
    QTest::newRow("right drag: inside only")
        << "press R 5 5; move R -12 40; move R 6 7; move R 100 0; release R 100 0"
        << "down R 5 5; move 6 7";
    QTest::newRow("middle drag: inside only")
        << "press M 5 5; move M 5 -1; move M 5 79; release M 5 79"
        << "down M 5 5; move 5 79";
    QTest::newRow("left then right, left released")
        << "press L 5 5; press R 6 6; release L 6 6; move R -3 3; move R 3 3"
        << "down L 5 5; down R 6 6; move 3 3";
    QTest::newRow("right then left keeps the left drag")
        << "press R 5 5; press L 6 6; release R 6 6; move L -3 3"
        << "down R 5 5; down L 6 6; move -3 3";
    QTest::newRow("left press outside the view") << "press R 5 5; press L -5 5; move L -6 5"
                                                 << "down R 5 5";
    QTest::newRow("lost release") << "press L 5 5; move - -8 8; move L -9 9"
                                  << "down L 5 5";
    QTest::newRow("double click") << "press L 5 5; release L 5 5; dclick L 5 5; release L 5 5"
                                  << "down L 5 5; down L 5 5";
}

void TestPictureView::mouseDelivery()
{
    QFETCH(QString, steps);
    QFETCH(QString, signalsSeen);
    PictureView view;
    view.resize(100, 80);
    Log log(&view);

    Qt::MouseButtons held;
    for (const QString &step : steps.split(u';')) {
        const QStringList w = step.simplified().split(u' ');
        QVERIFY2(w.size() >= 4, qPrintable(step));
        const QPointF pos(w[2].toInt(), w[3].toInt());
        Qt::KeyboardModifiers mods;
        for (const QString &m : w.mid(4))
            mods |= m == u"shift" ? Qt::ShiftModifier
                : m == u"ctrl"    ? Qt::ControlModifier
                                  : Qt::AltModifier;
        QEvent::Type type;
        Qt::MouseButton button = Qt::NoButton;
        if (w[0] == u"move") {
            type = QEvent::MouseMove;
            held = {};
            for (QChar c : w[1])
                held |= buttonOf(c);
        } else {
            button = buttonOf(w[1][0]);
            if (w[0] == u"release") {
                type = QEvent::MouseButtonRelease;
                held &= ~button;
            } else {
                type = w[0] == u"press" ? QEvent::MouseButtonPress : QEvent::MouseButtonDblClick;
                held |= button;
            }
        }
        QMouseEvent event(type, pos, view.mapToGlobal(pos), button, held, mods);
        QCoreApplication::sendEvent(&view, &event);
    }
    QCOMPARE(log.lines.join(QStringLiteral("; ")), signalsSeen);
}

void TestPictureView::leftDragOutOfTheWindowedView()
{
    // The view sits inside a page; the system hands the moves of a left drag
    // to it wherever the pointer goes.
    QWidget page;
    page.resize(300, 200);
    PictureView view(&page);
    view.setGeometry(40, 30, 100, 80);
    Log log(&view);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QWindow *window = page.windowHandle();

    QTest::mouseMove(window, QPoint(45, 35));
    QTest::mousePress(window, Qt::LeftButton, {}, QPoint(45, 35));
    QTest::mouseMove(window, QPoint(28, 70)); // 12 px left of the view
    QTest::mouseMove(window, QPoint(250, 150)); // right of and below it
    QTest::mouseRelease(window, Qt::LeftButton, {}, QPoint(250, 150));
    QTest::mouseMove(window, QPoint(260, 150)); // no longer the view's
    QCOMPARE(log.lines.first(), QStringLiteral("move 5 5"));
    QVERIFY(log.lines.contains(QStringLiteral("down L 5 5")));
    QVERIFY(log.lines.contains(QStringLiteral("move -12 40")));
    QCOMPARE(log.lines.last(), QStringLiteral("move 210 120"));
}

void TestPictureView::otherButtonDragStaysInside()
{
    QWidget page;
    page.resize(300, 200);
    PictureView view(&page);
    view.setGeometry(40, 30, 100, 80);
    Log log(&view);
    page.show();
    QVERIFY(QTest::qWaitForWindowExposed(&page));
    QWindow *window = page.windowHandle();

    QTest::mouseMove(window, QPoint(45, 35));
    QTest::mousePress(window, Qt::RightButton, {}, QPoint(45, 35));
    QTest::mouseMove(window, QPoint(28, 70));
    QTest::mouseMove(window, QPoint(50, 70));
    QTest::mouseRelease(window, Qt::RightButton, {}, QPoint(50, 70));
    QCOMPARE(
        log.lines.join(QStringLiteral("; ")), QStringLiteral("move 5 5; down R 5 5; move 10 40"));
}

QTEST_MAIN(TestPictureView)
#include "tst_pictureview.moc"
