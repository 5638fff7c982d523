#include "degreeselector.h"

#include <Qt>

#include <algorithm>

DegreeSelector::DegreeSelector(int count)
    : items(std::max(count, 0))
{
}

void DegreeSelector::setCount(int count)
{
    items = std::max(count, 0);
}

void DegreeSelector::setChosen(int index)
{
    current = std::max(index, -1);
}

bool DegreeSelector::click(int index)
{
    if (!isItem(index) || index == current)
        return false;
    current = index;
    return true;
}

int DegreeSelector::arrowTarget(int focused, int key) const
{
    if (items == 0)
        return -1;
    // Without a focused item the move starts from the chosen one, and from
    // just before the first where none is chosen.
    const int from = isItem(focused) ? focused : isItem(current) ? current : -1;
    switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Down:
        return (from + 1) % items;
    case Qt::Key_Left:
    case Qt::Key_Up:
        return from < 0 ? items - 1 : (from + items - 1) % items;
    default:
        return -1;
    }
}

bool DegreeSelector::arrowKey(int focused, int key)
{
    const int target = arrowTarget(focused, key);
    if (target < 0 || target == current)
        return false;
    current = target;
    return true;
}

int DegreeSelector::tabTarget() const
{
    if (isItem(current))
        return current;
    return items > 0 ? 0 : -1;
}

QRect DegreeSelector::itemRect(int index, QSize groupSize, int textHeight, int count)
{
    if (index < 0 || index >= count)
        return {};
    const int rows = (count + Columns - 1) / Columns;
    const int free = std::max(groupSize.height() - textHeight - 5, 0);
    const int width = std::max(groupSize.width() - 10, 0) / Columns;
    const int height = free / rows;
    const int left = 8 + (index / rows) * width;
    const int top = textHeight + 1 + (free % rows) / 2 + (index % rows) * height;
    return QRect(left, top, width, height);
}
