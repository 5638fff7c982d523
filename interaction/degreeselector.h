#pragma once

#include "degrees.h"

#include <QRect>
#include <QSize>

// The rules of the degree selector: which item is chosen and what each user
// input does to it. Every input returns true exactly when it changed the
// chosen item, which is when the selector's handler must run; it never runs
// for the chosen item itself, for a click beside the items, or for Tab.
//
// The chosen item is 0 at start. It can be set from code to -1 (none) or to
// any item; a value past the last item leaves no item marked.
class DegreeSelector {
public:
    // Items stand in two columns, filled top to bottom, left column first.
    static constexpr int Columns = 2;

    explicit DegreeSelector(int count = Degrees::Count);

    int count() const { return items; }
    // Keeps the chosen item as it is, so the order in which a layout sets
    // the items and the chosen item does not matter.
    void setCount(int count);

    int chosen() const { return current; }
    bool isItem(int index) const { return index >= 0 && index < items; }
    // From code or the layout: marks the item, the handler does not run.
    void setChosen(int index);

    // The left button released over the item it was pressed on; an index that
    // is not an item (-1) is a click on the frame, the caption or a gap.
    // Space on the focused item counts as a click on it.
    bool click(int index);
    // An arrow key while item `focused` has the keyboard focus: Right and
    // Down go to the next item, Left and Up to the previous one, in item
    // order whatever the columns, wrapping at both ends; the item moved to
    // becomes the chosen one and takes the focus. Other keys do nothing.
    bool arrowKey(int focused, int key);
    // The item Tab lands on when it enters the group: the chosen one, or the
    // first where none is chosen. Tab never runs the handler.
    int tabTarget() const;
    // Where an arrow key from `focused` goes, or -1 for a key that is not an
    // arrow.
    int arrowTarget(int focused, int key) const;

    // Item `index` of `count` within a group of `groupSize` whose font's
    // text height is `textHeight`. Each column is (width - 10) / 2 wide, the
    // first 8 px in from the left; the height less the caption and 5 px of
    // frame is split into equal rows, and half of what the division leaves
    // over goes above the first row. Sizes round down and never go negative.
    static QRect itemRect(int index, QSize groupSize, int textHeight, int count = Degrees::Count);

private:
    int items;
    int current = 0;
};
