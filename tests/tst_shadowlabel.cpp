#include "fontsubstitutes.h"
#include "shadowlabel.h"

#include <QAccessible>
#include <QPainter>
#include <QTest>
#include <QtMath>

namespace {

const QColor pageColour(0xd4, 0xd0, 0xc8);
const QColor lightColour(0xff, 0x00, 0x00); // distinct from the text, for the checks
const QColor textColour(0x00, 0x00, 0x00);

QFont labelFont(int pixelSize = 11)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPixelSize(pixelSize);
    f.setStyleStrategy(QFont::NoAntialias); // pure colours to compare
    return f;
}

struct Page : QWidget {
    explicit Page(int pixelSize = 11)
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, pageColour);
        pal.setColor(QPalette::Light, lightColour);
        pal.setColor(QPalette::WindowText, textColour);
        setPalette(pal);
        setAutoFillBackground(true);
        setFont(labelFont(pixelSize));
        resize(800, 200);
    }
};

int textWidth(const QString &shown, const QFont &font)
{
    // Its advance, plus the overhang of a last glyph that reaches past it.
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

// The glyphs' ink when the shown text is drawn plainly with its top-left at
// (0, 0), with a margin so that ink at negative offsets can be looked up.
struct Ink {
    static constexpr int margin = 4;
    QImage img;
    Ink(const QString &shown, const QFont &font, QSize size)
        : img(size + QSize(2 * margin, 2 * margin), QImage::Format_RGB32)
    {
        img.fill(Qt::white);
        QPainter p(&img);
        p.setFont(font);
        p.setPen(Qt::black);
        p.drawText(QRect(QPoint(margin, margin), size), Qt::AlignLeft | Qt::AlignTop, shown);
    }
    bool at(int x, int y) const
    {
        x += margin;
        y += margin;
        return img.valid(x, y) && img.pixel(x, y) != qRgb(255, 255, 255);
    }
};

} // namespace

class TestShadowLabel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void size_data();
    void size();
    void sizeFollowsCaptionAndFont();
    void pixelsMatchTwoOffsetCopies_data();
    void pixelsMatchTwoOffsetCopies();
    void singleStrokeShadowUpAndLeft();
    void leftAndRightColumnsStayClear();
    void wordWrapKeepsWidth();
    void accessibleName();
};

void TestShadowLabel::initTestCase()
{
    installFontSubstitutes();
}

void TestShadowLabel::size_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<int>("height");
    QTest::newRow("version, 11 px") << QStringLiteral("Версия 1.0   Май 2003")
                                    << QStringLiteral("Версия 1.0   Май 2003") << 11 << 13;
    QTest::newRow("freeware, 13 px")
        << QStringLiteral("Программа бесплатная  -  freeware")
        << QStringLiteral("Программа бесплатная  -  freeware") << 13 << 16;
    QTest::newRow("ampersands") << QStringLiteral("A&&&B") << QStringLiteral("A&B") << 11 << 13;
    QTest::newRow("empty") << QString() << QString() << 11 << 13;
}

void TestShadowLabel::size()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QFETCH(int, pixelSize);
    QFETCH(int, height);
    Page page(pixelSize);
    ShadowLabel label(&page);
    QVERIFY(label.autoSize());
    label.setGeometry(55, 48, 224, 16);
    label.setText(caption);
    // As high as the text and 2 px wider.
    QCOMPARE(label.size(), QSize(textWidth(shown, labelFont(pixelSize)) + 2, height));
    QCOMPARE(label.pos(), QPoint(55, 48));
}

void TestShadowLabel::sizeFollowsCaptionAndFont()
{
    Page page;
    ShadowLabel label(QStringLiteral("Разработка"), &page);
    QCOMPARE(label.width(), textWidth(QStringLiteral("Разработка"), labelFont()) + 2);
    label.setText(QStringLiteral("Версия"));
    QCOMPARE(label.width(), textWidth(QStringLiteral("Версия"), labelFont()) + 2);
    label.setProperty("text", QStringLiteral("Май"));
    QCOMPARE(label.width(), textWidth(QStringLiteral("Май"), labelFont()) + 2);
    label.setFont(labelFont(13));
    QCOMPARE(label.size(), QSize(textWidth(QStringLiteral("Май"), labelFont(13)) + 2, 16));
    label.setAutoSize(false);
    label.resize(100, 30);
    label.setText(QStringLiteral("Разработка"));
    QCOMPARE(label.size(), QSize(100, 30));
}

void TestShadowLabel::pixelsMatchTwoOffsetCopies_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("topRowInk");
    QTest::newRow("ink on the top row") << QStringLiteral("Й") << QStringLiteral("Й") << true;
    QTest::newRow("developer") << QStringLiteral("Разработка  Иван Петров")
                               << QStringLiteral("Разработка  Иван Петров") << false;
    QTest::newRow("version") << QStringLiteral("Версия 1.0   Май 2003")
                             << QStringLiteral("Версия 1.0   Май 2003") << false;
    QTest::newRow("ampersand") << QStringLiteral("a&&b") << QStringLiteral("a&b") << false;
}

void TestShadowLabel::pixelsMatchTwoOffsetCopies()
{
    QFETCH(QString, caption);
    QFETCH(QString, shown);
    QFETCH(bool, topRowInk);
    Page page;
    ShadowLabel label(caption, &page);
    const QImage img = grabbed(label);
    const Ink ink(shown, labelFont(), label.size());
    const int w = label.width();

    int lightPixels = 0;
    for (int y = 0; y < label.height(); ++y)
        for (int x = 0; x < w; ++x) {
            QColor expected = pageColour;
            if (x >= 1 && x <= w - 2) {
                if (ink.at(x - 1, y)) // caption with its top-left at (1, 0)
                    expected = textColour;
                else if (ink.at(x, y + 1)) // shadow with its top-left at (0, -1)
                    expected = lightColour;
            }
            if (expected == lightColour)
                ++lightPixels;
            QVERIFY2(QColor(img.pixel(x, y)) == expected,
                qPrintable(QStringLiteral("at %1,%2: %3 instead of %4")
                               .arg(x)
                               .arg(y)
                               .arg(QColor(img.pixel(x, y)).name(), expected.name())));
        }
    QVERIFY(lightPixels > 0);
    if (topRowInk) {
        // The caption's top row is ink, so the shadow's top row lay above
        // the label and was cut off (checked by the comparison above).
        bool ink0 = false;
        for (int x = 0; x < w; ++x)
            ink0 = ink0 || ink.at(x, 0);
        QVERIFY(ink0);
    }
}

void TestShadowLabel::singleStrokeShadowUpAndLeft()
{
    // A single vertical stroke: the caption's column and, one left and one
    // up, the light column.
    Page page;
    ShadowLabel label(QStringLiteral("l"), &page);
    const Ink ink(QStringLiteral("l"), labelFont(), label.size());
    int column = -1, top = -1, bottom = -1;
    for (int y = 0; y < label.height(); ++y)
        for (int x = 0; x < label.width(); ++x)
            if (ink.at(x, y)) {
                column = x;
                if (top < 0)
                    top = y;
                bottom = y;
            }
    QVERIFY(column >= 0 && top >= 1);
    const QImage img = grabbed(label);
    for (int y = 0; y < label.height(); ++y)
        for (int x = 0; x < label.width(); ++x) {
            QColor expected = pageColour;
            if (x == column + 1 && y >= top && y <= bottom)
                expected = textColour;
            else if (x == column && y >= top - 1 && y <= bottom - 1)
                expected = lightColour;
            QCOMPARE(QColor(img.pixel(x, y)), expected);
        }
}

void TestShadowLabel::leftAndRightColumnsStayClear()
{
    // A full block fills its cell: its shadow would reach column 0.
    Page page;
    ShadowLabel label(QStringLiteral("██"), &page);
    QImage img = grabbed(label);
    for (int y = 0; y < label.height(); ++y) {
        QCOMPARE(QColor(img.pixel(0, y)), pageColour);
        QCOMPARE(QColor(img.pixel(label.width() - 1, y)), pageColour);
    }
    QCOMPARE(QColor(img.pixel(1, 5)), textColour);

    // Narrower than its text: the caption is cut 1 px before the right edge.
    label.setAutoSize(false);
    label.resize(8, label.height());
    img = grabbed(label);
    for (int y = 0; y < label.height(); ++y) {
        QCOMPARE(QColor(img.pixel(0, y)), pageColour);
        QCOMPARE(QColor(img.pixel(7, y)), pageColour);
    }
    QCOMPARE(QColor(img.pixel(6, 5)), textColour);
}

void TestShadowLabel::wordWrapKeepsWidth()
{
    const QString caption = QStringLiteral(
        "Автор не несёт никакой ответственности за абсолютно достоверную интерпретацию "
        "определений,");
    Page page(13);
    ShadowLabel label(&page);
    label.setGeometry(55, 96, 300, 16);
    label.setWordWrap(true);
    label.setText(caption);
    QCOMPARE(label.width(), 300);
    QVERIFY(label.height() >= 32);
    QCOMPARE(label.height() % 16, 0);
    // Ink below the first line.
    const QImage img = grabbed(label);
    bool secondLine = false;
    for (int x = 0; x < img.width() && !secondLine; ++x)
        for (int y = 17; y < img.height() && !secondLine; ++y)
            secondLine = QColor(img.pixel(x, y)) == textColour;
    QVERIFY(secondLine);

    // Fixed size: wraps within it, size untouched.
    label.setAutoSize(false);
    label.setGeometry(55, 96, 300, 16);
    label.setText(caption + caption);
    QCOMPARE(label.size(), QSize(300, 16));
}

void TestShadowLabel::accessibleName()
{
    Page page;
    ShadowLabel label(QStringLiteral("Версия 1.0   Май 2003"), &page);
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&label);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::StaticText);
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Версия 1.0   Май 2003"));
    label.setText(QStringLiteral("Tom && &Jerry"));
    QCOMPARE(iface->text(QAccessible::Name), QStringLiteral("Tom & Jerry"));
}

QTEST_MAIN(TestShadowLabel)
#include "tst_shadowlabel.moc"
