#include "degreeresources.h"
#include "degrees.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <QTest>

#include <stdexcept>

// The eight texts as the memo shows them: lines joined by CR LF, blanks
// counted out so a lost or extra blank shows in the comparison.
static QString blanks(int n)
{
    return QString(n, u' ');
}

static QString expectedText(int n)
{
    QStringList lines;
    switch (n) {
    case 0:
        lines = { blanks(4) };
        break;
    case 1:
        lines = { "ПЕРВАЯ СТЕПЕНЬ РОДСТВА:", blanks(7) + "отец и сын, отец и дочь,",
            blanks(7) + "мать и сын, мать и дочь; " };
        break;
    case 2:
        lines = { "ВТОРАЯ СТЕПЕНЬ РОДСТВА:", blanks(15) + "дед и внуки,внучки,",
            blanks(15) + "бабка и внуки,внучки;" };
        break;
    case 3:
        lines = { "ТРЕТЬЯ СТЕПЕНЬ РОДСТВА:", blanks(15) + "прадед,прабабка ",
            blanks(15) + "и правнуки;" };
        break;
    case 4:
        lines = { "ТРЕТЬЯ СТЕПЕНЬ РОДСТВА:", blanks(15) + "дядя и племянник,племянница",
            blanks(15) + "тетя и племянник,племянница" };
        break;
    case 5:
        lines = { "ЧЕТВЕРТАЯ СТЕПЕНЬ РОДСТВА:", blanks(5) + "двоюродные сестры  и братья,",
            blanks(5) + "двоюродный  дед и внучатые  племянники,",
            blanks(5) + "двоюродная  бабка  и внучатые племянницы;" };
        break;
    case 6:
        lines = { "ПЯТАЯ СТЕПЕНЬ  РОДСТВА:  ", "двоюродный дядя и двоюродные  племянники" };
        break;
    case 7:
        lines = { "ШЕСТАЯ СТЕПЕНЬ РОДСТВА:  ", blanks(5) + "троюродные  сестры и братья" };
        break;
    }
    return lines.join(QStringLiteral("\r\n"));
}

class TestDegreeResources : public QObject {
    Q_OBJECT

private slots:
    void storedBytes_data();
    void storedBytes();
    void textsAreSingleByteCyrillic();
    void loadDegreeText_data();
    void loadDegreeText();
    void nameIgnoresCase_data();
    void nameIgnoresCase();
    void missingTextThrows_data();
    void missingTextThrows();
    void textEndsAtFirstNul_data();
    void textEndsAtFirstNul();
    void missingPictureThrowsAndKeepsPicture_data();
    void missingPictureThrowsAndKeepsPicture();
    void pictures_data();
    void pictures();
    void pictureNameIgnoresCase();
};

void TestDegreeResources::storedBytes_data()
{
    QTest::addColumn<int>("n");
    QTest::addColumn<int>("size");
    QTest::addColumn<bool>("endsWithNul");
    // The sizes pin down every blank: the text, CR LF between lines and the
    // closing NUL, which text 5 alone lacks.
    QTest::newRow("0ST") << 0 << 5 << true;
    QTest::newRow("1ST") << 1 << 91 << true;
    QTest::newRow("2ST") << 2 << 98 << true;
    QTest::newRow("3ST") << 3 << 85 << true;
    QTest::newRow("4ST") << 4 << 112 << true;
    QTest::newRow("5ST") << 5 << 155 << false;
    QTest::newRow("6ST") << 6 << 68 << true;
    QTest::newRow("7ST") << 7 << 60 << true;
}

void TestDegreeResources::storedBytes()
{
    QFETCH(int, n);
    QFETCH(int, size);
    QFETCH(bool, endsWithNul);

    QFile file(QStringLiteral(":/RCDATA/%1ST").arg(n));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    const QByteArray bytes = file.readAll();
    QCOMPARE(bytes.size(), size);

    QStringEncoder encoder("windows-1251");
    QVERIFY(encoder.isValid());
    QByteArray expected = encoder.encode(expectedText(n));
    QVERIFY(!encoder.hasError());
    if (endsWithNul)
        expected.append('\0');
    QCOMPARE(bytes, expected);
    // Exactly one NUL, at the very end, or none.
    QCOMPARE(bytes.count('\0'), endsWithNul ? 1 : 0);
    // Lines are separated by CR LF pairs only.
    QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
    QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
}

void TestDegreeResources::textsAreSingleByteCyrillic()
{
    // Byte-level checks that do not go through any code page converter.
    QFile zero(QStringLiteral(":/RCDATA/0ST"));
    QVERIFY(zero.open(QIODevice::ReadOnly));
    QCOMPARE(zero.readAll(), QByteArray("    \0", 5));

    QFile five(QStringLiteral(":/RCDATA/5ST"));
    QVERIFY(five.open(QIODevice::ReadOnly));
    const QByteArray text5 = five.readAll();
    QCOMPARE(text5.size(), 155);
    QVERIFY(text5.endsWith(';'));
    // "ЧЕТВЕРТАЯ" in Windows-1251: Ч=D7 Е=C5 Т=D2 В=C2 Е=C5 Р=D0 Т=D2 А=C0 Я=DF.
    QVERIFY(text5.startsWith("\xD7\xC5\xD2\xC2\xC5\xD0\xD2\xC0\xDF "));
    QCOMPARE(text5.count("\r\n"), 3);
}

void TestDegreeResources::loadDegreeText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<int>("lines");
    const int lineCounts[Degrees::Count] = { 1, 3, 3, 3, 3, 4, 2, 2 };
    for (int n = 0; n < Degrees::Count; ++n)
        QTest::newRow(qPrintable(Degrees::textName(n)))
            << Degrees::textName(n) << expectedText(n) << lineCounts[n];
}

void TestDegreeResources::loadDegreeText()
{
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QFETCH(int, lines);

    const QString text = LoadDegreeText(name);
    QCOMPARE(text, expected);
    QVERIFY(!text.contains(QChar(0)));
    QCOMPARE(text.split(QStringLiteral("\r\n")).size(), lines);
}

void TestDegreeResources::nameIgnoresCase_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("lower") << "3st";
    QTest::newRow("mixed St") << "3St";
    QTest::newRow("mixed sT") << "3sT";
    QTest::newRow("upper") << "3ST";
}

void TestDegreeResources::nameIgnoresCase()
{
    QFETCH(QString, name);
    QCOMPARE(LoadDegreeText(name), expectedText(3));
}

void TestDegreeResources::missingTextThrows_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("past the last degree") << "8st";
    QTest::newRow("negative") << "-1st";
    QTest::newRow("leading zero") << "03st";
    QTest::newRow("no suffix") << "3";
    QTest::newRow("longer suffix") << "3stx";
    QTest::newRow("empty") << "";
    QTest::newRow("picture name") << "3step";
    QTest::newRow("path out of the folder") << "../JPEG/3STEP";
    QTest::newRow("folder and name") << "RCDATA/3ST";
    QTest::newRow("absolute resource path") << ":/RCDATA/3ST";
    QTest::newRow("trailing blank") << "3st ";
}

void TestDegreeResources::missingTextThrows()
{
    QFETCH(QString, name);
    try {
        LoadDegreeText(name);
        QFAIL("no exception for a missing text");
    } catch (const std::runtime_error &error) {
        const QString message = QString::fromUtf8(error.what());
        QVERIFY2(message.contains(name), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("not found")), qPrintable(message));
    }
}

void TestDegreeResources::textEndsAtFirstNul_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no NUL: all bytes") << QByteArray("\xE4\xE5\xE4;") << "дед;";
    QTest::newRow("NUL at the end") << QByteArray("\xE4\xE5\xE4\0", 4) << "дед";
    QTest::newRow("NUL inside") << QByteArray("ab\0cd\0", 6) << "ab";
    QTest::newRow("NUL first") << QByteArray("\0abc", 4) << "";
    QTest::newRow("only NULs") << QByteArray(3, '\0') << "";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("CR LF kept") << QByteArray("a\r\nb\0", 5) << "a\r\nb";
    QTest::newRow("yo and Yo") << QByteArray("\xB8\xA8") << "ёЁ";
    QTest::newRow("no-break space") << QByteArray("\xA0") << "\u00A0";
}

void TestDegreeResources::textEndsAtFirstNul()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QCOMPARE(degreeTextFromBytes(bytes), expected);
}

void TestDegreeResources::missingPictureThrowsAndKeepsPicture_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("past the last degree") << "8step";
    QTest::newRow("text name") << "3st";
    QTest::newRow("empty") << "";
    QTest::newRow("path into the texts") << "../RCDATA/3ST";
}

void TestDegreeResources::missingPictureThrowsAndKeepsPicture()
{
    QFETCH(QString, name);
    QImage picture(7, 5, QImage::Format_RGB32);
    picture.fill(Qt::green);
    const QImage before = picture;
    try {
        LoadJpegFromResource(name, picture);
        QFAIL("no exception for a missing picture");
    } catch (const std::runtime_error &error) {
        QVERIFY2(QString::fromUtf8(error.what()).contains(name), error.what());
    }
    QCOMPARE(picture, before);
}

static bool picturesPresent()
{
    return !QDir(QStringLiteral(":/JPEG")).isEmpty();
}

void TestDegreeResources::pictures_data()
{
    QTest::addColumn<int>("n");
    for (int n = 0; n < Degrees::Count; ++n)
        QTest::newRow(qPrintable(Degrees::pictureName(n))) << n;
}

void TestDegreeResources::pictures()
{
    if (!picturesPresent())
        QSKIP("the degree pictures are not in the resources yet");
    QFETCH(int, n);

    QImage picture(3, 3, QImage::Format_RGB32);
    picture.fill(Qt::green);
    LoadJpegFromResource(Degrees::pictureName(n), picture);
    QCOMPARE(picture.size(), QSize(549, 415));
    QVERIFY(!picture.isNull());
}

void TestDegreeResources::pictureNameIgnoresCase()
{
    if (!picturesPresent())
        QSKIP("the degree pictures are not in the resources yet");

    QImage upper;
    LoadJpegFromResource(QStringLiteral("4STEP"), upper);
    for (const QString &name :
        { QStringLiteral("4step"), QStringLiteral("4Step"), QStringLiteral("4sTeP") }) {
        QImage picture;
        LoadJpegFromResource(name, picture);
        QCOMPARE(picture, upper);
    }
    // Different degrees are different pictures.
    QImage other;
    LoadJpegFromResource(QStringLiteral("5step"), other);
    QVERIFY(other != upper);
}

QTEST_GUILESS_MAIN(TestDegreeResources)
#include "tst_degreeresources.moc"
