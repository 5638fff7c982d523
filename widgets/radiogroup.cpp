#include "radiogroup.h"

#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>

namespace {

// A radio button whose check mark only the group sets: a click reports
// itself and leaves the mark alone, so clicking the chosen item cannot clear
// it. Like a native radio button it takes clicks anywhere in its area, not
// only on the indicator and the caption.
class RadioItem : public QRadioButton
{
public:
    using QRadioButton::QRadioButton;

protected:
    void nextCheckState() override { }
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};

bool isArrow(int key)
{
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

} // namespace

RadioGroup::RadioGroup(QWidget *parent)
    : QGroupBox(parent)
{
}

RadioGroup::RadioGroup(const QString &title, QWidget *parent)
    : QGroupBox(title, parent)
{
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

int RadioGroup::indexOf(QObject *object) const
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
            button->removeEventFilter(this);
            button->disconnect(this);
            button->hide();
            button->deleteLater();
        }
        buttons.clear();
        for (int i = 0; i < captions.size(); ++i) {
            QRadioButton *button = new RadioItem(this);
            button->setObjectName(QStringLiteral("item%1").arg(i));
            // The group alone decides which button is marked.
            button->setAutoExclusive(false);
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
        buttons[i]->setGeometry(DegreeSelector::itemRect(i, size(), textHeight, int(buttons.size())));
}

void RadioGroup::showChosen()
{
    const int chosen = selector.chosen();
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setChecked(i == chosen);
    // While the focus is inside the group the focused item stays the tab
    // stop, so Tab leaves the group from wherever the focus is.
    if (indexOf(QApplication::focusWidget()) < 0)
        setTabStop(selector.tabTarget());
}

void RadioGroup::setTabStop(int index)
{
    for (int i = 0; i < buttons.size(); ++i)
        buttons[i]->setFocusPolicy(i == index ? Qt::StrongFocus : Qt::ClickFocus);
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

    switch (event->type()) {
    case QEvent::KeyPress: {
        // Qt would move the focus by the buttons' places; the group goes by
        // item order instead.
        const auto *key = static_cast<QKeyEvent *>(event);
        if (!isArrow(key->key()))
            break;
        const int target = selector.arrowTarget(index, key->key());
        const bool changed = selector.arrowKey(index, key->key());
        showChosen();
        if (target >= 0)
            buttons[target]->setFocus(Qt::OtherFocusReason);
        if (changed)
            emit userChoseItem(target);
        return true;
    }
    case QEvent::FocusIn:
        setTabStop(index);
        break;
    case QEvent::FocusOut:
        if (indexOf(QApplication::focusWidget()) < 0)
            setTabStop(selector.tabTarget());
        break;
    default:
        break;
    }
    return QGroupBox::eventFilter(watched, event);
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
