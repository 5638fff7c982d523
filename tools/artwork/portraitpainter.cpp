#include "portraitpainter.h"

#include "familytree.h"
#include "personboxes.h"

#include <QFont>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QMap>
#include <QPainter>
#include <QPainterPath>

#include <stdexcept>

namespace {

// A bust emoji brings its own shoulders; a head emoji gets shoulders drawn
// under it in the person's clothes colour.
enum class Build { Bust, Head };

struct Look {
    const char16_t *face;
    Build build;
    QRgb clothes; // for heads only
};

// Grandparents are old faces with grey hair, their children wear office
// clothes, the grandchildren are young adults with distinct hair, and the
// youngest generation are a boy or a girl. Skin tones follow the families.
const Look looks[PersonBoxes::Count] = {
    { u"\U0001F474\U0001F3FB", Build::Head, 0xff5b7594 }, //  1 old man, light
    { u"\U0001F475\U0001F3FB", Build::Head, 0xffa8456b }, //  2 old woman, light
    { u"\U0001F468\U0001F3FB\u200D\U0001F4BC", Build::Bust, 0 }, //  3 man office worker, light
    { u"\U0001F469\U0001F3FB\u200D\U0001F4BC", Build::Bust, 0 }, //  4 woman office worker, light
    { u"\U0001F469\U0001F3FD\u200D\U0001F4BC", Build::Bust, 0 }, //  5 woman office worker, medium
    { u"\U0001F468\U0001F3FC\u200D\U0001F4BC", Build::Bust,
        0 }, //  6 man office worker, medium-light
    { u"\U0001F469\U0001F3FE\u200D\U0001F9B1", Build::Bust,
        0 }, //  7 woman, curly hair, medium-dark
    { u"\U0001F471\U0001F3FC\u200D\u2640\uFE0F", Build::Bust, 0 }, //  8 blond woman, medium-light
    { u"\U0001F468\U0001F3FB\u200D\U0001F9B0", Build::Bust, 0 }, //  9 man, red hair, light
    { u"\U0001F471\U0001F3FB\u200D\u2642\uFE0F", Build::Bust, 0 }, // 10 blond man, light
    { u"\U0001F469\U0001F3FC\u200D\U0001F9B0", Build::Bust, 0 }, // 11 woman, red hair, medium-light
    { u"\U0001F468\U0001F3FD\u200D\U0001F9B1", Build::Bust, 0 }, // 12 man, curly hair, medium
    { u"\U0001F466\U0001F3FD", Build::Head, 0xfff2994a }, // 13 boy, medium
    { u"\U0001F467\U0001F3FD", Build::Head, 0xffe0588a }, // 14 girl, medium
    { u"\U0001F466\U0001F3FB", Build::Head, 0xff2f9bd6 }, // 15 boy, light
    { u"\U0001F467\U0001F3FC", Build::Head, 0xff9b6bd6 }, // 16 girl, medium-light
    { u"\U0001F466\U0001F3FC", Build::Head, 0xff3cb371 }, // 17 boy, medium-light
    { u"\U0001F467\U0001F3FB", Build::Head, 0xff2bb5a8 }, // 18 girl, light
    { u"\U0001F466\U0001F3FE", Build::Head, 0xffe0a91f }, // 19 boy, medium-dark
    { u"\U0001F467\U0001F3FE", Build::Head, 0xfff07e5a }, // 20 girl, medium-dark
    { u"\U0001F474\U0001F3FD", Build::Head, 0xff6f7f3a }, // 21 old man, medium
    { u"\U0001F475\U0001F3FD", Build::Head, 0xff7a5a9a }, // 22 old woman, medium
};

const Look &look(int person)
{
    if (!PersonBoxes::isPerson(person))
        throw std::out_of_range("person number out of range");
    return looks[person - 1];
}

// The emoji font's bitmaps are 136 pixels high: rendering at that size and
// scaling the image down once keeps the faces sharp.
constexpr int GlyphPixelSize = 136;

// Card geometry in box pixels: a bust stands on the card's bottom edge and is
// BustHeight high, which leaves room above the head for the person number.
constexpr qreal BustHeight = 60;
// A head emoji is scaled to the height of a bust's head.
constexpr qreal HeadShare = 0.69;
constexpr qreal CornerRadius = 6;

QRect opaqueBounds(const QImage &image)
{
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) > 8) {
                left = qMin(left, x);
                right = qMax(right, x);
                top = qMin(top, y);
                bottom = qMax(bottom, y);
            }
        }
    }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// The face's skin colour, for the neck under a head emoji: the most frequent
// opaque colour of the lower middle of the face (cheeks and chin).
QColor skinColor(const QImage &head)
{
    QMap<QRgb, int> votes;
    QMap<QRgb, QList<QRgb>> members;
    for (int y = head.height() * 50 / 100; y < head.height() * 75 / 100; ++y) {
        for (int x = head.width() * 30 / 100; x < head.width() * 70 / 100; ++x) {
            const QRgb c = head.pixel(x, y);
            if (qAlpha(c) < 250)
                continue;
            const QRgb bin = qRgb(qRed(c) & 0xf0, qGreen(c) & 0xf0, qBlue(c) & 0xf0);
            ++votes[bin];
            members[bin].append(c);
        }
    }
    QRgb best = 0;
    int bestVotes = -1;
    for (auto it = votes.cbegin(); it != votes.cend(); ++it) {
        if (it.value() > bestVotes) {
            best = it.key();
            bestVotes = it.value();
        }
    }
    if (bestVotes <= 0)
        return QColor(0xf5, 0xd0, 0xa9);
    int r = 0, g = 0, b = 0;
    const QList<QRgb> &list = members[best];
    for (QRgb c : list) {
        r += qRed(c);
        g += qGreen(c);
        b += qBlue(c);
    }
    const int n = int(list.size());
    return QColor(r / n, g / n, b / n);
}

// Rounded shoulders of a drawn bust, centred at cx, from top down past bottom.
QPainterPath shoulders(qreal cx, qreal top, qreal bottom, qreal halfWidth)
{
    QPainterPath path;
    const qreal drop = halfWidth * 0.55;
    path.moveTo(cx - halfWidth, bottom + 1);
    path.lineTo(cx - halfWidth, top + drop);
    path.cubicTo(
        cx - halfWidth, top + drop * 0.25, cx - halfWidth * 0.6, top, cx - halfWidth * 0.3, top);
    path.lineTo(cx + halfWidth * 0.3, top);
    path.cubicTo(
        cx + halfWidth * 0.6, top, cx + halfWidth, top + drop * 0.25, cx + halfWidth, top + drop);
    path.lineTo(cx + halfWidth, bottom + 1);
    path.closeSubpath();
    return path;
}

} // namespace

QString PortraitPainter::fontFamily()
{
    return QStringLiteral("Noto Color Emoji");
}

QString PortraitPainter::checkFont()
{
    QFont font(fontFamily());
    font.setPixelSize(GlyphPixelSize);
    if (QFontInfo(font).family() != fontFamily())
        return QStringLiteral("the font \"%1\" is not installed").arg(fontFamily());
    // A sequence the font lacks falls apart into several glyphs, each as wide
    // as a whole face.
    const QFontMetricsF metrics(font);
    const qreal single = metrics.horizontalAdvance(QString(QChar(0x263A)));
    for (int k = 1; k <= PersonBoxes::Count; ++k) {
        const qreal advance = metrics.horizontalAdvance(face(k));
        if (advance > single * 1.5)
            return QStringLiteral("the face of person %1 is not one glyph").arg(k);
    }
    return QString();
}

QString PortraitPainter::face(int person)
{
    return QString::fromUtf16(look(person).face);
}

QColor PortraitPainter::cardColor(int person)
{
    return FamilyTree::sex(person) == FamilyTree::Sex::Male ? QColor(0xd6, 0xe6, 0xf7)
                                                            : QColor(0xf9, 0xdc, 0xe6);
}

QImage PortraitPainter::glyph(const QString &face) const
{
    const auto cached = glyphs.constFind(face);
    if (cached != glyphs.cend())
        return *cached;

    QImage canvas(GlyphPixelSize * 2, GlyphPixelSize * 2, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    {
        QPainter p(&canvas);
        QFont font(fontFamily());
        font.setPixelSize(GlyphPixelSize);
        p.setFont(font);
        p.drawText(canvas.rect(), Qt::AlignCenter, face);
    }
    const QImage image = canvas.copy(opaqueBounds(canvas)).convertToFormat(QImage::Format_ARGB32);
    glyphs.insert(face, image);
    return image;
}

QImage PortraitPainter::card(int person, QSize size) const
{
    const Look &l = look(person);
    const qreal s = Supersample;
    const QRectF area(QPointF(0, 0), QSizeF(size) * s);

    QImage image(area.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);

    // The card: a soft vertical gradient of the person's colour.
    const QColor base = cardColor(person);
    QPainterPath cardPath;
    const QRectF cardRect = area.adjusted(s / 2, s / 2, -s / 2, -s / 2);
    cardPath.addRoundedRect(cardRect, CornerRadius * s, CornerRadius * s);
    QLinearGradient fill(area.topLeft(), area.bottomLeft());
    fill.setColorAt(0, base.lighter(106));
    fill.setColorAt(1, base.darker(104));
    p.fillPath(cardPath, fill);

    p.save();
    p.setClipPath(cardPath);
    const qreal cx = area.center().x();
    const qreal bustTop = area.bottom() - BustHeight * s;
    const QImage art = glyph(face(person));
    if (l.build == Build::Bust) {
        const qreal h = BustHeight * s;
        const qreal w = art.width() * h / art.height();
        p.drawImage(QRectF(cx - w / 2, bustTop, w, h),
            art.scaled(QSizeF(w, h).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    } else {
        const qreal h = BustHeight * HeadShare * s;
        const qreal w = art.width() * h / art.height();
        const qreal chin = bustTop + h;
        const qreal shirtTop = bustTop + BustHeight * 0.80 * s;
        const QColor skin = skinColor(art);
        // Neck, then the shirt with a round neckline showing the neck.
        const qreal neck = h * 0.17;
        p.fillRect(QRectF(cx - neck, chin - h * 0.2, neck * 2, shirtTop - chin + h * 0.3), skin);
        const QColor clothes = QColor::fromRgb(l.clothes);
        p.fillPath(shoulders(cx, shirtTop, area.bottom(), area.width() * 0.47), clothes);
        QPainterPath neckline;
        neckline.addEllipse(QPointF(cx, shirtTop), neck * 1.25, neck * 0.95);
        p.fillPath(neckline, skin);
        p.drawImage(QRectF(cx - w / 2, bustTop, w, h),
            art.scaled(QSizeF(w, h).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    p.restore();

    // A thin edge in a deeper shade keeps the card apart from the background.
    p.setPen(QPen(base.darker(118), s));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cardPath);
    p.end();
    return image;
}

void PortraitPainter::paint(QPainter &painter, int person, const QRect &box) const
{
    const QImage big = card(person, box.size());
    painter.drawImage(
        box.topLeft(), big.scaled(box.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation));

    // The person number, as the status bar shows it, in the card's top-left
    // corner above the head.
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(9);
    font.setBold(true);
    painter.save();
    painter.setFont(font);
    painter.setPen(QColor(0x5a, 0x60, 0x6a));
    painter.drawText(QRect(box.left() + 4, box.top() + 2, 24, 11), Qt::AlignLeft | Qt::AlignTop,
        QString::number(person));
    painter.restore();
}
