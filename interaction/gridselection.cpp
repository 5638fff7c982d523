#include "gridselection.h"

#include <algorithm>

static int clampToTable(int index)
{
    return std::clamp(index, GridSelection::First, GridSelection::Last);
}

TableBlock GridSelection::block() const
{
    return { std::min(currentCell.row, anchorCell.row),
        std::min(currentCell.column, anchorCell.column), std::max(currentCell.row, anchorCell.row),
        std::max(currentCell.column, anchorCell.column) };
}

bool GridSelection::isCell(int row, int column)
{
    return First <= row && row <= Last && First <= column && column <= Last;
}

bool GridSelection::press(int row, int column, bool shift)
{
    if (!isCell(row, column))
        return false;
    anchorCell = { row, column };
    if (!shift)
        currentCell = anchorCell;
    return true;
}

bool GridSelection::dragTo(int row, int column)
{
    if (!isCell(row, column))
        return false;
    anchorCell = { row, column };
    return true;
}

void GridSelection::move(Move move, bool extend, int pageRows, int pageColumns)
{
    // A page never moves further than across the whole table.
    pageRows = std::clamp(pageRows, 1, Last);
    pageColumns = std::clamp(pageColumns, 1, Last);
    GridCell to = currentCell;
    switch (move) {
    case Move::Up:
        --to.row;
        break;
    case Move::Down:
        ++to.row;
        break;
    case Move::Left:
        --to.column;
        break;
    case Move::Right:
        ++to.column;
        break;
    case Move::PageUp:
        to.row -= pageRows;
        break;
    case Move::PageDown:
        to.row += pageRows;
        break;
    case Move::Home:
        to.column = First;
        break;
    case Move::End:
        to.column = Last;
        break;
    case Move::Top:
        to.row = First;
        break;
    case Move::Bottom:
        to.row = Last;
        break;
    case Move::PageLeft:
        to.column -= pageColumns;
        break;
    case Move::PageRight:
        to.column += pageColumns;
        break;
    }
    currentCell = { clampToTable(to.row), clampToTable(to.column) };
    if (!extend)
        anchorCell = currentCell;
}

void GridSelection::autoScrollStep(Sides sides)
{
    if (sides & LeftSide)
        --anchorCell.column;
    if (sides & RightSide)
        ++anchorCell.column;
    if (sides & AboveSide)
        --anchorCell.row;
    if (sides & BelowSide)
        ++anchorCell.row;
    anchorCell = { clampToTable(anchorCell.row), clampToTable(anchorCell.column) };
}
