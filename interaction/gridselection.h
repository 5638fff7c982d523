#pragma once

#include "kinshiptable.h"

#include <QFlags>

// One cell of the kinship grid; row 0 and column 0 are the headings.
struct GridCell {
    int row = 1;
    int column = 1;
    friend bool operator==(const GridCell &, const GridCell &) = default;
};

// The selection of the kinship grid: a current cell and an anchor cell, both
// among rows and columns 1..22; the selected block is the rectangle they span.
// The current cell is where the keys move from and where the focus rectangle
// is drawn; the anchor is the block's far corner.
class GridSelection {
public:
    static constexpr int First = 1;
    static constexpr int Last = KinshipTable::Size;

    // Keyboard moves of the current cell. Home and End go to the first and the
    // last column of the row; Top and Bottom (Ctrl+Home, Ctrl+End) to the
    // first and the last row of the column; PageLeft and PageRight
    // (Ctrl+PageUp, Ctrl+PageDown) move by a page of columns.
    enum class Move {
        Up,
        Down,
        Left,
        Right,
        PageUp,
        PageDown,
        Home,
        End,
        Top,
        Bottom,
        PageLeft,
        PageRight
    };

    // Where the mouse lies beyond the cells shown during a drag.
    enum Side { NoSide = 0, LeftSide = 1, RightSide = 2, AboveSide = 4, BelowSide = 8 };
    Q_DECLARE_FLAGS(Sides, Side)

    GridCell current() const { return currentCell; }
    GridCell anchor() const { return anchorCell; }
    TableBlock block() const;

    static bool isCell(int row, int column);

    // A left press on (row, column): the cell becomes the current cell and the
    // anchor, or with Shift only the anchor. Headings and positions outside
    // the table select nothing; returns whether the press took a cell, which
    // is when a drag may follow.
    bool press(int row, int column, bool shift);
    // The mouse, held since a press, is over (row, column): the anchor goes
    // there. Headings and positions outside are ignored.
    bool dragTo(int row, int column);
    // Moves the current cell; with extend the anchor stays and the block
    // grows or shrinks, without it the anchor follows. pageRows and
    // pageColumns are how many rows and columns a page holds (at least 1).
    void move(Move move, bool extend, int pageRows, int pageColumns);
    // One step of the drag's automatic scrolling: the anchor moves one cell
    // toward each side the mouse lies beyond, never out of 1..22.
    void autoScrollStep(Sides sides);

private:
    GridCell currentCell;
    GridCell anchorCell;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(GridSelection::Sides)
