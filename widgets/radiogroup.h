#pragma once

#include "degreeselector.h"

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QRadioButton;

// A captioned frame holding one radio button per item, in two columns, of
// which one is the chosen item. The user changes the chosen item by clicking
// another item, by the arrow keys (in item order, wrapping at both ends) or
// by Space on a focused item that is not the chosen one; each such change
// emits userChoseItem once, after the new item is marked. Setting the items
// or the chosen item from code emits nothing.
//
// The group, not each item, is the tab stop: Tab into the group lands on the
// chosen item (the first where none is chosen), Tab on an item leaves it.
// The items stand where DegreeSelector::itemRect puts them for the group's
// size and its font's text height, and follow both.
class RadioGroup : public QGroupBox {
    Q_OBJECT
    Q_PROPERTY(QStringList items READ items WRITE setItems)
    Q_PROPERTY(int itemIndex READ itemIndex WRITE setItemIndex)

public:
    explicit RadioGroup(QWidget *parent = nullptr);
    explicit RadioGroup(const QString &title, QWidget *parent = nullptr);

    QStringList items() const { return captions; }
    void setItems(const QStringList &items);

    // -1 where no item is chosen.
    int itemIndex() const { return selector.chosen(); }
    void setItemIndex(int index);

    // The radio button of an item; nullptr past the items.
    QRadioButton *itemButton(int index) const;

signals:
    void userChoseItem(int index);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    int indexOf(const QObject *object) const;
    void rebuild();
    void placeItems();
    void showChosen();
    void itemClicked(int index);

    QStringList captions;
    QList<QRadioButton *> buttons;
    DegreeSelector selector { 0 };
};
