#include "treepainter.h"

#include "degrees.h"
#include "personboxes.h"

#include <QPainter>
#include <QPainterPathStroker>

#include <stdexcept>

namespace {

// The parents of the wife who married into the family: their arc and their
// line down to her belong to the full tree only.
constexpr int InLawHusband = 21;
constexpr int InLawWife = 22;

constexpr qreal LineWidth = 1.5;
// The spouses' arc hangs between the cards from shoulder height.
constexpr int ArcLevel = 50;
constexpr qreal MaxArcDepth = 7;
// Marker bars hang below each box and hide whatever lies under them.
constexpr int MarkerWidth = 49;
constexpr int MarkerHeight = 8;

QRect markerRect(int person)
{
    return QRect(PersonBoxes::markerPos(person), QSize(MarkerWidth, MarkerHeight));
}

// The row, between a generation and the next, on which the line to the
// children runs: half-way between the parents' marker bars and the children's
// boxes.
qreal childLineRow(int generation)
{
    int above = 0;
    int below = PersonBoxes::PictureHeight;
    for (int k = 1; k <= PersonBoxes::Count; ++k) {
        if (FamilyTree::generation(k) == generation)
            above = qMax(above, markerRect(k).bottom() + 1);
        else if (FamilyTree::generation(k) == generation + 1)
            below = qMin(below, PersonBoxes::top(k));
    }
    if (below - above < 6)
        throw std::logic_error("no room for the line to the children");
    return (above + below) / 2 + 0.5;
}

QPainterPath stroke(const QPainterPath &path)
{
    QPainterPathStroker stroker;
    stroker.setWidth(LineWidth);
    stroker.setCapStyle(Qt::FlatCap);
    return stroker.createStroke(path);
}

QString coupleName(const FamilyTree::Couple &c)
{
    return QStringLiteral("%1 and %2").arg(c.husband).arg(c.wife);
}

} // namespace

QColor TreePainter::backgroundColor()
{
    return QColor(0xfa, 0xf7, 0xf0);
}

QColor TreePainter::lineColor()
{
    return QColor(0x55, 0x58, 0x5e);
}

bool TreePainter::showsLines(const FamilyTree::Couple &couple, int degree)
{
    return degree == 0 || couple.husband != InLawHusband || couple.wife != InLawWife;
}

QPainterPath TreePainter::coupleLines(const FamilyTree::Couple &couple)
{
    QRect left = PersonBoxes::box(couple.husband);
    QRect right = PersonBoxes::box(couple.wife);
    if (left.left() > right.left())
        std::swap(left, right);
    // Picture x of the first column after the left box and of the right box.
    const qreal x1 = left.left() + left.width();
    const qreal x2 = right.left();
    const qreal gap = x2 - x1;
    if (gap < 2 * LineWidth)
        throw std::logic_error("the spouses' boxes leave no room for their arc");

    // The lower half of an ellipse across the gap. Its stroke ends flush with
    // both cards: the ends are vertical there, so the ellipse is narrowed by
    // half a line width on each side to keep the stroke out of the boxes.
    QPainterPath path;
    const qreal y0 = qMax(left.top(), right.top()) + ArcLevel;
    const qreal depth = qMin(gap * 0.7, MaxArcDepth);
    const QRectF arcBox(x1 + LineWidth / 2, y0 - depth, gap - LineWidth, 2 * depth);
    path.moveTo(arcBox.left(), y0);
    path.arcTo(arcBox, 180, 180);

    if (couple.children.isEmpty())
        return path;

    const qreal middle = (x1 + x2) / 2;
    const qreal row = childLineRow(FamilyTree::generation(couple.husband));
    // The line to the children drops from the arc's lowest point.
    path.moveTo(middle, y0 + depth);
    path.lineTo(middle, row);
    qreal from = middle;
    qreal to = middle;
    for (int child : couple.children) {
        const QRect box = PersonBoxes::box(child);
        const qreal x = box.left() + box.width() / 2.0;
        from = qMin(from, x);
        to = qMax(to, x);
        path.moveTo(x, row);
        path.lineTo(x, box.top());
    }
    // Reaching half a line width past the outer drops fills the corners.
    path.moveTo(from - LineWidth / 2, row);
    path.lineTo(to + LineWidth / 2, row);
    return path;
}

QString TreePainter::checkLines()
{
    const QList<FamilyTree::Couple> &couples = FamilyTree::couples();
    QList<QPainterPath> strokes;
    for (const FamilyTree::Couple &c : couples)
        strokes.append(stroke(coupleLines(c)));

    for (qsizetype i = 0; i < couples.size(); ++i) {
        for (int k = 1; k <= PersonBoxes::Count; ++k) {
            // The lines end on the boxes' edges; none may enter a box.
            const QRectF inside = QRectF(PersonBoxes::box(k)).adjusted(0.25, 0.25, -0.25, -0.25);
            if (strokes[i].intersects(inside))
                return QStringLiteral("a line of %1 crosses the box of %2")
                    .arg(coupleName(couples[i]))
                    .arg(k);
            const QRectF marker = QRectF(markerRect(k)).adjusted(0, 1, 0, 0);
            if (strokes[i].intersects(marker))
                return QStringLiteral("a line of %1 runs under the marker bar of %2")
                    .arg(coupleName(couples[i]))
                    .arg(k);
        }
        for (qsizetype j = i + 1; j < couples.size(); ++j) {
            if (strokes[i].intersects(strokes[j]))
                return QStringLiteral("the lines of %1 cross those of %2")
                    .arg(coupleName(couples[i]), coupleName(couples[j]));
        }
    }
    return QString();
}

QImage TreePainter::paint(int degree) const
{
    QImage image(PersonBoxes::PictureWidth, PersonBoxes::PictureHeight, QImage::Format_RGB32);
    image.fill(backgroundColor());

    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(lineColor(), LineWidth, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    for (const FamilyTree::Couple &c : FamilyTree::couples()) {
        if (showsLines(c, degree))
            p.drawPath(coupleLines(c));
    }
    for (int k : Degrees::persons(degree))
        portraits.paint(p, k, PersonBoxes::box(k));
    p.end();
    return image;
}
