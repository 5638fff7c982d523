#pragma once

#include "familytree.h"
#include "portraitpainter.h"

#include <QColor>
#include <QImage>
#include <QPainterPath>

// Draws the family-tree pictures from the persons' boxes, the couples and the
// degrees, so the drawing always agrees with the hit boxes. Picture 0 shows
// everybody; a degree picture shows only that degree's persons and leaves the
// other boxes blank, and it leaves out the lines of the couple whose daughter
// married into the family (21 and 22), since their line is no blood kinship
// of any degree.
class TreePainter {
public:
    static QColor backgroundColor();
    static QColor lineColor();

    // The 549x415 picture of a degree, 0 to 7.
    QImage paint(int degree) const;

    // Whether a degree's picture draws the couple's lines.
    static bool showsLines(const FamilyTree::Couple &couple, int degree);
    // A couple's lines: the arc between the spouses' boxes and, when they
    // have children, the line from the arc's middle down to each child's box.
    static QPainterPath coupleLines(const FamilyTree::Couple &couple);
    // Returns a description of lines that cross a box or another couple's
    // lines, or an empty string when the tree is drawn cleanly.
    static QString checkLines();

private:
    PortraitPainter portraits;
};
