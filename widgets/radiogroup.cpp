#include "radiogroup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>

namespace {

// A radio button whose check mark only the group sets: a click reports
// itself and leaves the mark alone. The buttons stay auto-exclusive, which
// is also how assistive technology tells radio buttons from check boxes.
// Like a native radio button it takes clicks anywhere in its area, not only
// on the indicator and the caption.
class RadioItem : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override { }
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
    void focusInEvent(QFocusEvent *event) override
    {
        QRadioButton::focusInEvent(event);
        // Qt makes the focused button of an exclusive set a tab stop; here
        // the group is the tab stop, wherever the items sit in the focus chain.
        setFocusPolicy(Qt::ClickFocus);
    }
};

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

RadioGroup::RadioGroup(QWidget *parent)
    : QGroupBox(parent)
{
    // The group is the one tab stop; it hands the focus to the chosen item.
    setFocusPolicy(Qt::TabFocus);
}

RadioGroup::RadioGroup(const QString &title, QWidget *parent)
    : RadioGroup(parent)
{
    setTitle(title);
}

void RadioGroup::setItems(const QStringList &items)
{
    captions = items;
    rebuild();
}

void RadioGroup::setItemIndex(int index)
{
    selector.setChosen(index);
    showChosen();
}

QRadioButton *RadioGroup::itemButton(int index) const
{
    return index >= 0 && index < buttons.size() ? buttons[index] : nullptr;
}

int RadioGroup::indexOf(const QObject *object) const
{
    for (int i = 0; i < buttons.size(); ++i) {
        if (buttons[i] == object)
            return i;
    }
    return -1;
}

void RadioGroup::rebuild()
{
    if (buttons.size() != captions.size()) {
        // The items may be replaced from a handler that a click on one of
        // them called, so the old buttons go only once that event is done.
        for (QRadioButton *button : std::as_const(buttons)) {
            button->setAutoExclusive(false);
            button->removeEventFilter(this);
            button->disconnect(this);
            button->hide();
            button->deleteLater();
        }
        buttons.clear();
        for (int i = 0; i < captions.size(); ++i) {
            QRadioButton *button = new RadioItem(this);
            button->setObjectName(QStringLiteral("item%1").arg(i));
            // Tab reaches the items through the group, never one by one.
            button->setFocusPolicy(Qt::ClickFocus);
            button->installEventFilter(this);
            connect(button, &QAbstractButton::clicked, this, [this, i] { itemClicked(i); });
            buttons.append(button);
        }
        selector.setCount(int(captions.size()));
    }
    for (int i = 0; i < captions.size(); ++i)
        buttons[i]->setText(captions[i]);
    placeItems();
    showChosen();
    for (QRadioButton *button : std::as_const(buttons))
        button->show();
}

void RadioGroup::placeItems()
{
    const int textHeight = fontMetrics().height();
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setGeometry(
            DegreeSelector::itemRect(i, size(), textHeight, int(buttons.size())));
}

void RadioGroup::showChosen()
{
    const int chosen = selector.chosen();
    if (QRadioButton *button = itemButton(chosen)) {
        // Marking one item clears the others.
        button->setChecked(true);
        return;
    }
    // No item chosen: an exclusive button refuses to clear its own mark.
    for (QRadioButton *button : std::as_const(buttons)) {
        if (button->isChecked()) {
            button->setAutoExclusive(false);
            button->setChecked(false);
            button->setAutoExclusive(true);
        }
    }
}

void RadioGroup::itemClicked(int index)
{
    // A click on the chosen item changes nothing: its mark was never touched.
    if (!selector.click(index))
        return;
    showChosen();
    emit userChoseItem(index);
}

bool RadioGroup::eventFilter(QObject *watched, QEvent *event)
{
    const int index = indexOf(watched);
    if (index < 0)
        return QGroupBox::eventFilter(watched, event);

    if (event->type() == QEvent::KeyPress) {
        // Qt would move the focus by the buttons' places; the group goes by
        // item order instead.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!isArrow(key->key()))
            return QGroupBox::eventFilter(watched, event);
        const int target = selector.arrowTarget(index, key->key());
        const bool changed = selector.arrowKey(index, key->key());
        showChosen();
        if (target >= 0)
            buttons[target]->setFocus(Qt::OtherFocusReason);
        if (changed)
            emit userChoseItem(target);
        return true;
    }
    return QGroupBox::eventFilter(watched, event);
}

void RadioGroup::focusInEvent(QFocusEvent *event)
{
    if (QRadioButton *target = itemButton(selector.tabTarget()))
        target->setFocus(event->reason());
    else
        QGroupBox::focusInEvent(event);
}

bool RadioGroup::focusNextPrevChild(bool next)
{
    // Tab or Shift+Tab on an item leaves the group: the focus goes to the
    // next tab stop after the group, or the one before it, in the window's
    // focus chain, passing over the items themselves. The items may sit
    // anywhere in that chain: a layout often sets them after creating every
    // other control.
    if (indexOf(QApplication::focusWidget()) < 0)
        return QGroupBox::focusNextPrevChild(next);
    QWidget *top = window();
    for (QWidget *w = next ? nextInFocusChain() : previousInFocusChain(); w && w != this;
         w = next ? w->nextInFocusChain() : w->previousInFocusChain()) {
        if (isAncestorOf(w) || w->window() != top || w->focusProxy())
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(top)) {
            w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    }
    return false;
}

void RadioGroup::resizeEvent(QResizeEvent *event)
{
    QGroupBox::resizeEvent(event);
    placeItems();
}

void RadioGroup::changeEvent(QEvent *event)
{
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        placeItems();
}
