#include "degrees.h"
#include "familytree.h"
#include "jpegdecoder.h"
#include "personboxes.h"

#include <QFile>
#include <QHash>
#include <QImageReader>
#include <QTest>

#include <algorithm>

// Checks the compiled-in tree pictures and icon as the program uses them:
// their format, and that every picture draws exactly its degree's persons in
// the boxes the hit test uses, with the tree's lines between them.
class TestArtwork : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void pictureDecodesAtFullSize_data();
    void pictureDecodesAtFullSize();
    void pictureIsBaselineJfif_data();
    void pictureIsBaselineJfif();
    void boxHoldsPortraitExactlyForTheDegree_data();
    void boxHoldsPortraitExactlyForTheDegree();
    void portraitIsTheSameInEveryPicture_data();
    void portraitIsTheSameInEveryPicture();
    void everyPersonHasOwnFace();
    void coupleLines_data();
    void coupleLines();
    void iconPng_data();
    void iconPng();
    void icoHoldsSeveralSizesWith32();

private:
    static QString pictureResource(int degree)
    {
        return QStringLiteral(":/JPEG/%1STEP").arg(degree);
    }
    static QByteArray readResource(const QString &name);
    const QImage &picture(int degree);
    QRgb background(int degree);

    QHash<int, QImage> pictures;
};

namespace {

int channelDistance(QRgb a, QRgb b)
{
    return qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b)) + qAbs(qBlue(a) - qBlue(b));
}

// The upper part of a box, where the head is, kept a few pixels clear of the
// box edges on which the tree's lines end.
QRect headArea(int person)
{
    const QRect box = PersonBoxes::box(person);
    return QRect(box.left() + 3, box.top() + 3, box.width() - 6, 52);
}

// The share of pixels in the area that clearly differ from the background:
// more than JPEG noise, less than any face, hair or clothes.
double drawnShare(const QImage &image, const QRect &area, QRgb background)
{
    int drawn = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (channelDistance(image.pixel(x, y), background) > 45)
                ++drawn;
    return double(drawn) / (area.width() * area.height());
}

// Mean per-channel difference of the same area in two images.
double meanDifference(const QImage &a, const QRect &areaA, const QImage &b, const QRect &areaB)
{
    qint64 sum = 0;
    for (int y = 0; y < areaA.height(); ++y)
        for (int x = 0; x < areaA.width(); ++x)
            sum += channelDistance(a.pixel(areaA.left() + x, areaA.top() + y),
                b.pixel(areaB.left() + x, areaB.top() + y));
    return double(sum) / (3.0 * areaA.width() * areaA.height());
}

// Whether the area holds a pixel of a drawn line (dark grey on a light ground).
bool holdsLine(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                return true;
    return false;
}

bool isInLawCouple(const FamilyTree::Couple &c)
{
    return c.husband == 21 && c.wife == 22;
}

} // namespace

QByteArray TestArtwork::readResource(const QString &name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

const QImage &TestArtwork::picture(int degree)
{
    auto it = pictures.find(degree);
    if (it == pictures.end()) {
        QImage image;
        try {
            image = decodeJpeg(readResource(pictureResource(degree)));
        } catch (const JpegError &) {
        }
        it = pictures.insert(degree, image);
    }
    return *it;
}

QRgb TestArtwork::background(int degree)
{
    // The strip right of all boxes and lines is bare background in every
    // picture; its median colour is robust against JPEG noise.
    const QImage &image = picture(degree);
    QList<int> r, g, b;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 536; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            r.append(qRed(c));
            g.append(qGreen(c));
            b.append(qBlue(c));
        }
    }
    auto median = [](QList<int> &v) {
        std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
        return v[v.size() / 2];
    };
    return qRgb(median(r), median(g), median(b));
}

void TestArtwork::initTestCase()
{
    for (int n = 0; n < Degrees::Count; ++n)
        QVERIFY2(!picture(n).isNull(), qPrintable(pictureResource(n) + " does not decode"));
    // The background must be light for the portraits and lines to stand out.
    QVERIFY(qGray(background(0)) > 220);
}

void TestArtwork::pictureDecodesAtFullSize_data()
{
    QTest::addColumn<int>("degree");
    for (int n = 0; n < Degrees::Count; ++n)
        QTest::addRow("%dSTEP", n) << n;
}

void TestArtwork::pictureDecodesAtFullSize()
{
    QFETCH(int, degree);
    const QByteArray data = readResource(pictureResource(degree));
    QVERIFY(!data.isEmpty());
    QImage image;
    try {
        image = decodeJpeg(data);
    } catch (const JpegError &e) {
        QFAIL(e.what());
    }
    QCOMPARE(image.size(), QSize(PersonBoxes::PictureWidth, PersonBoxes::PictureHeight));
    QCOMPARE(image.size(), QSize(549, 415));
    QVERIFY(!image.isGrayscale());
}

void TestArtwork::pictureIsBaselineJfif_data()
{
    pictureDecodesAtFullSize_data();
}

void TestArtwork::pictureIsBaselineJfif()
{
    QFETCH(int, degree);
    const QByteArray data = readResource(pictureResource(degree));
    const auto byte = [&](qsizetype i) { return i < data.size() ? uchar(data[i]) : 0; };
    QVERIFY(data.size() > 20);
    QCOMPARE(byte(0), 0xff);
    QCOMPARE(byte(1), 0xd8); // SOI

    // Walk the marker segments up to the start of the scan.
    bool jfif = false;
    int baselineFrames = 0;
    qsizetype pos = 2;
    bool first = true;
    while (true) {
        QVERIFY2(pos + 4 <= data.size(), "no start of scan");
        QCOMPARE(byte(pos), 0xff);
        const uchar marker = byte(pos + 1);
        const int length = byte(pos + 2) << 8 | byte(pos + 3);
        QVERIFY(length >= 2);
        QVERIFY(pos + 2 + length <= data.size());
        const QByteArray body = data.mid(pos + 4, length - 2);
        if (first) {
            // The JFIF header comes right after SOI.
            QCOMPARE(marker, uchar(0xe0));
            QVERIFY(body.startsWith(QByteArray("JFIF\0", 5)));
            jfif = true;
            first = false;
        }
        if (marker == 0xc0) {
            ++baselineFrames;
            QVERIFY(body.size() >= 6);
            QCOMPARE(uchar(body[0]), uchar(8)); // sample precision
            QCOMPARE(uchar(body[1]) << 8 | uchar(body[2]), 415);
            QCOMPARE(uchar(body[3]) << 8 | uchar(body[4]), 549);
            QCOMPARE(uchar(body[5]), uchar(3)); // colour components
        } else if (marker >= 0xc1 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8
            && marker != 0xcc) {
            QFAIL(qPrintable(QStringLiteral("frame marker FF%1 is not baseline")
                                 .arg(QString::number(marker, 16).toUpper())));
        }
        if (marker == 0xda) // SOS
            break;
        pos += 2 + length;
    }
    QVERIFY(jfif);
    QCOMPARE(baselineFrames, 1);
    QCOMPARE(byte(data.size() - 2), 0xff);
    QCOMPARE(byte(data.size() - 1), 0xd9); // EOI
}

void TestArtwork::boxHoldsPortraitExactlyForTheDegree_data()
{
    QTest::addColumn<int>("degree");
    QTest::addColumn<int>("person");
    QTest::addColumn<bool>("drawn");
    for (int n = 0; n < Degrees::Count; ++n) {
        for (int k = 1; k <= PersonBoxes::Count; ++k) {
            // Picture 0 is the full tree: all 22 heads.
            const bool drawn = n == 0 || Degrees::persons(n).contains(k);
            QTest::addRow("%dSTEP person %d", n, k) << n << k << drawn;
        }
    }
}

void TestArtwork::boxHoldsPortraitExactlyForTheDegree()
{
    QFETCH(int, degree);
    QFETCH(int, person);
    QFETCH(bool, drawn);
    const double share = drawnShare(picture(degree), headArea(person), background(degree));
    if (drawn)
        QVERIFY2(share > 0.30, qPrintable(QStringLiteral("only %1 of the box drawn").arg(share)));
    else
        QVERIFY2(share < 0.01, qPrintable(QStringLiteral("%1 of a blank box drawn").arg(share)));
}

void TestArtwork::portraitIsTheSameInEveryPicture_data()
{
    QTest::addColumn<int>("degree");
    QTest::addColumn<int>("person");
    for (int n = 1; n < Degrees::Count; ++n)
        for (int k : Degrees::persons(n))
            QTest::addRow("%dSTEP person %d", n, k) << n << k;
}

void TestArtwork::portraitIsTheSameInEveryPicture()
{
    // A person looks the same, at the same place, in the degree pictures as
    // in the full tree: only the others disappear.
    QFETCH(int, degree);
    QFETCH(int, person);
    const QRect box = PersonBoxes::box(person);
    const double diff = meanDifference(picture(degree), box, picture(0), box);
    QVERIFY2(diff < 3.0, qPrintable(QStringLiteral("differs by %1 per channel").arg(diff)));
}

void TestArtwork::everyPersonHasOwnFace()
{
    // Two persons with the same face would be told apart by nobody; compare
    // every pair on the full tree, below the person numbers. The same face
    // drawn twice differs by JPEG noise only, one or two levels.
    const QImage &image = picture(0);
    const auto faceArea = [](int person) {
        const QRect box = PersonBoxes::box(person);
        return QRect(box.left() + 3, box.top() + 14, box.width() - 6, 46);
    };
    for (int a = 1; a <= PersonBoxes::Count; ++a) {
        for (int b = a + 1; b <= PersonBoxes::Count; ++b) {
            const double diff = meanDifference(image, faceArea(a), image, faceArea(b));
            QVERIFY2(diff > 6.0,
                qPrintable(QStringLiteral("%1 and %2 differ by only %3 per channel")
                               .arg(a)
                               .arg(b)
                               .arg(diff)));
        }
    }
}

void TestArtwork::coupleLines_data()
{
    QTest::addColumn<int>("degree");
    QTest::addColumn<int>("couple");
    QTest::addColumn<bool>("drawn");
    const QList<FamilyTree::Couple> &couples = FamilyTree::couples();
    for (int n = 0; n < Degrees::Count; ++n) {
        for (int i = 0; i < couples.size(); ++i) {
            const FamilyTree::Couple &c = couples[i];
            // The in-law parents' lines show on the full tree only.
            const bool drawn = n == 0 || !isInLawCouple(c);
            QTest::addRow("%dSTEP couple %d+%d", n, c.husband, c.wife) << n << i << drawn;
        }
    }
}

void TestArtwork::coupleLines()
{
    QFETCH(int, degree);
    QFETCH(int, couple);
    QFETCH(bool, drawn);
    const FamilyTree::Couple &c = FamilyTree::couples().at(couple);
    const QImage &image = picture(degree);

    // The spouses' arc runs in the gap between their boxes.
    QRect left = PersonBoxes::box(c.husband);
    QRect right = PersonBoxes::box(c.wife);
    if (left.left() > right.left())
        std::swap(left, right);
    QVERIFY(left.right() + 1 < right.left());
    const QRect gap(QPoint(left.right() + 1, qMax(left.top(), right.top())),
        QPoint(right.left() - 1, qMin(left.bottom(), right.bottom())));
    QCOMPARE(holdsLine(image, gap), drawn);

    // A line drops onto the top of each child's box.
    for (int child : c.children) {
        const QRect box = PersonBoxes::box(child);
        const QRect above(box.left() + 2, box.top() - 5, box.width() - 4, 4);
        QVERIFY2(holdsLine(image, above) == drawn,
            qPrintable(QStringLiteral("line to child %1").arg(child)));
    }
}

void TestArtwork::iconPng_data()
{
    QTest::addColumn<int>("size");
    for (int size : { 16, 22, 24, 32, 48, 64, 128, 256 })
        QTest::addRow("%d", size) << size;
}

void TestArtwork::iconPng()
{
    QFETCH(int, size);
    const QImage icon(QStringLiteral(":/icons/vetvitsa-%1.png").arg(size));
    QCOMPARE(icon.size(), QSize(size, size));
    QVERIFY(icon.hasAlphaChannel());
    QCOMPARE(qAlpha(icon.pixel(0, size - 1)), 0);
    QCOMPARE(qAlpha(icon.pixel(size - 1, size - 1)), 0);

    // Red disc at the top left, dark green at the top right, blue below,
    // yellow letters and grey lines between them.
    int red = 0, green = 0, blue = 0, yellow = 0, grey = 0;
    const int half = size / 2;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const QRgb c = icon.pixel(x, y);
            if (qAlpha(c) < 200)
                continue;
            const int r = qRed(c), g = qGreen(c), b = qBlue(c);
            if (r > 150 && g > 150 && b < 90)
                ++yellow;
            else if (qAbs(r - g) < 12 && qAbs(g - b) < 12 && r > 100 && r < 200)
                ++grey;
            else if (y < half && x < half && r > 120 && g < 90 && b < 90)
                ++red;
            else if (y < half && x >= half && g > r + 30 && g > b + 30 && g < 170)
                ++green;
            else if (y >= half && b > r + 60 && b > g + 30)
                ++blue;
        }
    }
    const int area = size * size;
    QVERIFY2(red > area / 25, "no red disc at the top left");
    QVERIFY2(green > area / 25, "no dark green disc at the top right");
    QVERIFY2(blue > area / 25, "no blue disc below");
    QVERIFY2(yellow >= 9, "no yellow letters");
    QVERIFY2(grey >= 2, "no grey lines");
}

void TestArtwork::icoHoldsSeveralSizesWith32()
{
    QImageReader reader(QStringLiteral(":/icons/vetvitsa.ico"), "ico");
    QVERIFY2(reader.canRead(), qPrintable(reader.errorString()));
    QVERIFY(reader.imageCount() > 1);
    QImage icon32;
    QList<int> sizes;
    for (int i = 0; i < reader.imageCount(); ++i) {
        QVERIFY(reader.jumpToImage(i));
        const QImage image = reader.read();
        QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
        QCOMPARE(image.width(), image.height());
        sizes.append(image.width());
        if (image.width() == 32)
            icon32 = image.convertToFormat(QImage::Format_ARGB32);
    }
    QVERIFY2(!icon32.isNull(), "no 32x32 image in the icon file");
    QVERIFY(sizes.contains(16));
    QVERIFY(sizes.contains(48));
    QVERIFY(sizes.contains(256));

    // The 32x32 image is the same icon as the PNG of that size.
    const QImage png
        = QImage(QStringLiteral(":/icons/vetvitsa-32.png")).convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(png.size(), icon32.size());
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb a = icon32.pixel(x, y), b = png.pixel(x, y);
            QVERIFY(qAbs(qAlpha(a) - qAlpha(b)) <= 2);
            if (qAlpha(a) > 128)
                QVERIFY(channelDistance(a, b) <= 6);
        }
    }
}

QTEST_GUILESS_MAIN(TestArtwork)
#include "tst_artwork.moc"
