#pragma once

#include <QPoint>
#include <QRect>

#include <array>

// The 22 persons of the family tree and where each one sits on the 549x415
// picture. A person number (1 to 22) is the one identity of a person: it
// indexes this table, the rows and columns of the kinship table and the
// status bar.
class PersonBoxes
{
public:
    static constexpr int Count = 22;
    // A box covers left..left+BoxWidth and top..top+BoxHeight, both ends
    // included, so it is 51x76 pixels.
    static constexpr int BoxWidth = 50;
    static constexpr int BoxHeight = 75;
    static constexpr int PictureWidth = 549;
    static constexpr int PictureHeight = 415;

    static bool isPerson(int person) { return person >= 1 && person <= Count; }
    static int left(int person);
    static int top(int person);
    // The pixels the hit test accepts for the person (51x76).
    static QRect box(int person);
    // The person whose box holds the picture position, or 0 for nobody.
    static int hitTest(int x, int y);
    static int hitTest(QPoint p) { return hitTest(p.x(), p.y()); }
    // Top-left of a marker bar under the person's head: on the box's last row.
    static QPoint markerPos(int person);

private:
    struct Place {
        int left;
        int top;
    };
    static const std::array<Place, Count> places;
};
