#include "iconpainter.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace {

struct Disc {
    QPointF centre; // in icon units, 0 to 1
    QColor colour;
};

const Disc discs[3] = {
    { { 0.22, 0.24 }, QColor(0xd3, 0x2f, 0x2f) }, // red
    { { 0.78, 0.24 }, QColor(0x1b, 0x6e, 0x2e) }, // dark green
    { { 0.50, 0.76 }, QColor(0x1e, 0x55, 0xc0) }, // blue
};

constexpr qreal Radius = 0.205;
constexpr qreal LineWidth = 0.075;
const QColor LetterColour(0xff, 0xdd, 0x00);

// Below this size a font's letters blur into blots; the icon then draws its
// letters from a 3x5 pixel alphabet instead, and larger discs leave less room
// for the lines.
constexpr int SmallSize = 32;
constexpr qreal SmallGrow = 1.12;
const char *const pixelLetters[3][5] = {
    { "##.", "#.#", "##.", "#.#", "##." }, // В
    { "###", "#..", "##.", "#..", "###" }, // Е
    { "###", ".#.", ".#.", ".#.", ".#." }, // Т
};

QPointF centreOf(int disc, bool small)
{
    const QPointF c = discs[disc].centre;
    if (!small)
        return c;
    // Moved towards the corners so the larger discs stay inside the icon.
    const QPointF middle(0.5, 0.5);
    return middle + (c - middle) * 1.04;
}

} // namespace

QImage IconPainter::paint(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size, size);

    const bool small = size < SmallSize;
    const qreal radius = small ? Radius * SmallGrow : Radius;

    // Grey lines between the discs' centres, under the discs.
    p.setPen(
        QPen(QColor(0x8c, 0x8c, 0x8c), qMax(LineWidth, 1.5 / size), Qt::SolidLine, Qt::RoundCap));
    p.drawLine(centreOf(0, small), centreOf(1, small));
    p.drawLine(centreOf(0, small), centreOf(2, small));
    p.drawLine(centreOf(1, small), centreOf(2, small));

    QFont font(QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    // Letters are drawn in pixels: fonts snap badly at fractional sizes.
    font.setPixelSize(qMax(5, qRound(size * 0.27)));
    const QString text = letters();
    for (int i = 0; i < 3; ++i) {
        const Disc &d = discs[i];
        const QPointF centre = centreOf(i, small);
        const QRectF r(centre - QPointF(radius, radius), QSizeF(2 * radius, 2 * radius));
        QRadialGradient shade(centre - QPointF(radius * 0.35, radius * 0.4), radius * 1.6);
        shade.setColorAt(0, d.colour.lighter(135));
        shade.setColorAt(1, d.colour.darker(115));
        p.setPen(QPen(d.colour.darker(160), qMax(0.03, 0.8 / size)));
        p.setBrush(shade);
        p.drawEllipse(r);

        p.save();
        p.resetTransform();
        if (small) {
            const int x0 = qRound(centre.x() * size - 1.5);
            const int y0 = qRound(centre.y() * size - 2.5);
            for (int row = 0; row < 5; ++row)
                for (int col = 0; col < 3; ++col)
                    if (pixelLetters[i][row][col] == '#')
                        p.fillRect(QRect(x0 + col, y0 + row, 1, 1), LetterColour);
        } else {
            p.setFont(font);
            p.setPen(LetterColour);
            const QRectF pixels(r.x() * size, r.y() * size, r.width() * size, r.height() * size);
            p.drawText(pixels, Qt::AlignCenter, text.mid(i, 1));
        }
        p.restore();
    }
    p.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}
