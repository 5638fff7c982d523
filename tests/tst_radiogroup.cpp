#include "degreeselector.h"
#include "fontsubstitutes.h"
#include "radiogroup.h"

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

static const QStringList degreeItems
    = { "Все", "Первая степень", "Вторая степень", "Третья степень (А)", "Третья степень (Б)",
          "Четвёртая степень", "Пятая степень", "Шестая степень" };

static QFont windowFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(11);
    return font;
}

// A window with a line edit before the group and a button after it in the
// focus chain, the group built the way the window's layout builds it.
struct Window {
    QWidget window;
    QLineEdit *before = new QLineEdit(&window);
    RadioGroup *group = new RadioGroup(&window);
    QPushButton *after = new QPushButton(QStringLiteral("Выход"), &window);
    // Every emission, and whether the item was already marked, alone, when
    // it came.
    QList<int> emitted;
    bool markedBeforeSignal = true;

    // By default the items are set after every control exists, as a layout
    // built by uic does; `itemsFirst` builds the group whole before the
    // button after it is created.
    explicit Window(int start = 0, bool itemsFirst = false)
    {
        if (itemsFirst) {
            delete after;
            group->setItems(degreeItems);
            after = new QPushButton(QStringLiteral("Выход"), &window);
        }
        window.resize(300, 160);
        before->setGeometry(3, 3, 100, 20);
        group->setObjectName(QStringLiteral("Stepeny"));
        group->setTitle(QStringLiteral("Степени родства"));
        group->setFont(windowFont());
        group->setItems(degreeItems);
        group->setItemIndex(start);
        group->setGeometry(3, 30, 253, 81);
        after->setGeometry(3, 120, 75, 25);
        QObject::connect(group, &RadioGroup::userChoseItem, group, [this](int index) {
            emitted.append(index);
            markedBeforeSignal = markedBeforeSignal && group->itemIndex() == index
                && markedItems() == QList<int> { index };
        });
    }

    bool show()
    {
        window.show();
        return QTest::qWaitForWindowActive(&window);
    }

    QList<int> markedItems() const
    {
        QList<int> marked;
        for (int i = 0; i < group->items().size(); ++i) {
            if (group->itemButton(i)->isChecked())
                marked.append(i);
        }
        return marked;
    }

    // Where the keyboard focus is: "item N", "before", "after" or "none".
    // The line edit, first in the window's tab order, has it at start.
    QString focus() const
    {
        QWidget *f = QApplication::focusWidget();
        for (int i = 0; i < degreeItems.size(); ++i) {
            if (f == group->itemButton(i))
                return QStringLiteral("item %1").arg(i);
        }
        if (f == before)
            return QStringLiteral("before");
        if (f == after)
            return QStringLiteral("after");
        return QStringLiteral("none");
    }

    QPoint itemCentre(int index) const
    {
        return group->itemButton(index)->geometry().center() + group->pos();
    }

    // Plays the steps through the window, as the system delivers input:
    //   "click N", "dclick N", "rclick N"  left click, left double-click,
    //                                      right click on item N's centre
    //   "at X,Y"     left click at a point of the group
    //   "drag N M"   press on item N, release over item M
    //   "down", "up", "left", "right", "space", "home"  a key
    //   "tab"        focus on the line edit, then Tab
    //   "backtab"    focus on the button, then Shift+Tab
    //   "tabkey", "backtabkey"  Tab, Shift+Tab from wherever the focus is
    //   "focus N"    item N takes the focus from code
    void play(const QString &steps)
    {
        QWindow *w = window.windowHandle();
        const QStringList tokens = steps.split(u' ', Qt::SkipEmptyParts);
        for (int i = 0; i < tokens.size(); ++i) {
            const QString &step = tokens[i];
            if (step == u"click") {
                QTest::mouseClick(w, Qt::LeftButton, {}, itemCentre(tokens[++i].toInt()));
            } else if (step == u"dclick") {
                QTest::mouseDClick(w, Qt::LeftButton, {}, itemCentre(tokens[++i].toInt()));
            } else if (step == u"rclick") {
                QTest::mouseClick(w, Qt::RightButton, {}, itemCentre(tokens[++i].toInt()));
            } else if (step == u"at") {
                const QStringList xy = tokens[++i].split(u',');
                QTest::mouseClick(
                    w, Qt::LeftButton, {}, group->pos() + QPoint(xy[0].toInt(), xy[1].toInt()));
            } else if (step == u"drag") {
                const QPoint from = itemCentre(tokens[++i].toInt());
                const QPoint to = itemCentre(tokens[++i].toInt());
                QTest::mousePress(w, Qt::LeftButton, {}, from);
                QTest::mouseMove(w, to);
                QTest::mouseRelease(w, Qt::LeftButton, {}, to);
            } else if (step == u"down") {
                QTest::keyClick(w, Qt::Key_Down);
            } else if (step == u"up") {
                QTest::keyClick(w, Qt::Key_Up);
            } else if (step == u"left") {
                QTest::keyClick(w, Qt::Key_Left);
            } else if (step == u"right") {
                QTest::keyClick(w, Qt::Key_Right);
            } else if (step == u"space") {
                QTest::keyClick(w, Qt::Key_Space);
            } else if (step == u"home") {
                QTest::keyClick(w, Qt::Key_Home);
            } else if (step == u"tab") {
                before->setFocus(Qt::OtherFocusReason);
                QTest::keyClick(w, Qt::Key_Tab);
            } else if (step == u"backtab") {
                after->setFocus(Qt::OtherFocusReason);
                QTest::keyClick(w, Qt::Key_Backtab, Qt::ShiftModifier);
            } else if (step == u"tabkey") {
                QTest::keyClick(w, Qt::Key_Tab);
            } else if (step == u"backtabkey") {
                QTest::keyClick(w, Qt::Key_Backtab, Qt::ShiftModifier);
            } else if (step == u"focus") {
                group->itemButton(tokens[++i].toInt())->setFocus(Qt::OtherFocusReason);
            } else {
                qFatal("unknown step %s", qPrintable(step));
            }
        }
    }
};

class TestRadioGroup : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void startStateEmitsNothing();
    void userInput_data();
    void userInput();
    void tabOrder_data();
    void tabOrder();
    void setFromCodeEmitsNothing_data();
    void setFromCodeEmitsNothing();
    void propertyOrderDoesNotMatter();
    void itemGeometry();
    void itemsFollowSizeAndFont();
    void newItemsFromTheHandler();
    void accessibility();
};

void TestRadioGroup::initTestCase()
{
    installFontSubstitutes();
    QCOMPARE(QFontMetrics(windowFont()).height(), 13);
}

void TestRadioGroup::startStateEmitsNothing()
{
    Window w;
    QVERIFY(w.show());
    QCoreApplication::processEvents();
    QCOMPARE(w.emitted, QList<int> {});
    QCOMPARE(w.group->itemIndex(), 0);
    QCOMPARE(w.markedItems(), QList<int> { 0 });
    QCOMPARE(w.group->items(), degreeItems);
    QCOMPARE(w.group->title(), QStringLiteral("Степени родства"));
    for (int i = 0; i < degreeItems.size(); ++i)
        QCOMPARE(w.group->itemButton(i)->text(), degreeItems[i]);
    QCOMPARE(w.group->itemButton(8), nullptr);
    QCOMPARE(w.group->itemButton(-1), nullptr);
}

void TestRadioGroup::userInput_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QList<int>>("emitted");
    QTest::addColumn<QString>("focus");

    // Mouse.
    QTest::newRow("click another item") << 0 << "click 3" << 3 << QList<int> { 3 } << "item 3";
    QTest::newRow("click right column") << 0 << "click 6" << 6 << QList<int> { 6 } << "item 6";
    QTest::newRow("click the chosen item") << 0 << "click 0" << 0 << QList<int> {} << "item 0";
    QTest::newRow("double-click the chosen item")
        << 2 << "dclick 2" << 2 << QList<int> {} << "item 2";
    QTest::newRow("double-click another item")
        << 2 << "dclick 5" << 5 << QList<int> { 5 } << "item 5";
    QTest::newRow("click one, then another")
        << 0 << "click 1 click 7 click 7" << 7 << QList<int> { 1, 7 } << "item 7";
    QTest::newRow("back to Все") << 4 << "click 0" << 0 << QList<int> { 0 } << "item 0";
    // Any button's press focuses the item; only the left button chooses.
    QTest::newRow("right click") << 0 << "rclick 3" << 0 << QList<int> {} << "item 3";
    // An item takes clicks in its whole area, past the end of its caption.
    QTest::newRow("right of Все's caption")
        << 3 << "at 120,20" << 0 << QList<int> { 0 } << "item 0";
    QTest::newRow("right of item 6's caption")
        << 0 << "at 247,52" << 6 << QList<int> { 6 } << "item 6";
    QTest::newRow("item 7's bottom-right pixel")
        << 0 << "at 249,74" << 7 << QList<int> { 7 } << "item 7";
    QTest::newRow("item 1 at its top-left pixel")
        << 0 << "at 8,30" << 1 << QList<int> { 1 } << "item 1";
    QTest::newRow("caption") << 0 << "at 30,5" << 0 << QList<int> {} << "before";
    QTest::newRow("frame corner") << 0 << "at 0,0" << 0 << QList<int> {} << "before";
    QTest::newRow("left margin") << 0 << "at 4,40" << 0 << QList<int> {} << "before";
    QTest::newRow("right margin") << 0 << "at 251,40" << 0 << QList<int> {} << "before";
    QTest::newRow("below the last row") << 0 << "at 60,77" << 0 << QList<int> {} << "before";
    QTest::newRow("between caption and first row")
        << 3 << "at 60,14" << 3 << QList<int> {} << "before";
    QTest::newRow("press, release over another item")
        << 0 << "drag 2 5" << 0 << QList<int> {} << "item 2";

    // Arrow keys in item order.
    QTest::newRow("Down on 3 goes to 4")
        << 3 << "focus 3 down" << 4 << QList<int> { 4 } << "item 4";
    QTest::newRow("Down on 7 wraps to 0")
        << 7 << "focus 7 down" << 0 << QList<int> { 0 } << "item 0";
    QTest::newRow("Up on 0 wraps to 7") << 0 << "focus 0 up" << 7 << QList<int> { 7 } << "item 7";
    QTest::newRow("Right on 0 goes to 1")
        << 0 << "focus 0 right" << 1 << QList<int> { 1 } << "item 1";
    QTest::newRow("Left on 4 goes to 3")
        << 4 << "focus 4 left" << 3 << QList<int> { 3 } << "item 3";
    QTest::newRow("Right on 3 goes to 4, not across")
        << 3 << "focus 3 right" << 4 << QList<int> { 4 } << "item 4";
    QTest::newRow("Up on 4 goes to 3") << 4 << "focus 4 up" << 3 << QList<int> { 3 } << "item 3";
    QTest::newRow("click then arrows")
        << 0 << "click 2 down down up" << 3 << QList<int> { 2, 3, 4, 3 } << "item 3";
    QTest::newRow("Home does nothing") << 3 << "focus 3 home" << 3 << QList<int> {} << "item 3";

    // Tab and Space.
    QTest::newRow("Tab lands on the chosen item") << 5 << "tab" << 5 << QList<int> {} << "item 5";
    QTest::newRow("Tab lands on Все at start") << 0 << "tab" << 0 << QList<int> {} << "item 0";
    QTest::newRow("Shift+Tab lands on the chosen item")
        << 5 << "backtab" << 5 << QList<int> {} << "item 5";
    QTest::newRow("Tab leaves the group at once")
        << 2 << "tab tabkey" << 2 << QList<int> {} << "after";
    QTest::newRow("Tab, Down") << 6 << "tab down" << 7 << QList<int> { 7 } << "item 7";
    QTest::newRow("Tab, Tab back in after an arrow")
        << 6 << "tab down tabkey backtab" << 7 << QList<int> { 7 } << "item 7";
    QTest::newRow("Space on the chosen item") << 4 << "tab space" << 4 << QList<int> {} << "item 4";
    QTest::newRow("Space on a pressed item not chosen")
        << 0 << "drag 2 5 space" << 2 << QList<int> { 2 } << "item 2";
    QTest::newRow("Tab out of a pressed item, back to the chosen")
        << 0 << "drag 2 5 tabkey backtab" << 0 << QList<int> {} << "item 0";
}

void TestRadioGroup::userInput()
{
    QFETCH(int, start);
    QFETCH(QString, steps);
    QFETCH(int, chosen);
    QFETCH(QList<int>, emitted);
    QFETCH(QString, focus);

    Window w(start);
    QVERIFY(w.show());
    w.play(steps);
    QCOMPARE(w.emitted, emitted);
    QVERIFY(w.markedBeforeSignal);
    QCOMPARE(w.group->itemIndex(), chosen);
    QCOMPARE(w.markedItems(), QList<int> { chosen });
    QCOMPARE(w.focus(), focus);
}

void TestRadioGroup::tabOrder_data()
{
    QTest::addColumn<bool>("itemsFirst");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QString>("focus");
    for (const bool itemsFirst : { false, true }) {
        const char *order = itemsFirst ? "items first" : "items last";
        QTest::addRow("%s: Tab in", order) << itemsFirst << "tab"
                                           << "item 4";
        QTest::addRow("%s: Tab in and out", order) << itemsFirst << "tab tabkey"
                                                   << "after";
        QTest::addRow("%s: Shift+Tab in", order) << itemsFirst << "backtab"
                                                 << "item 4";
        QTest::addRow("%s: Shift+Tab out", order) << itemsFirst << "tab down backtabkey"
                                                  << "before";
        QTest::addRow("%s: round the window", order) << itemsFirst << "tab tabkey tabkey tabkey"
                                                     << "item 4";
    }
}

void TestRadioGroup::tabOrder()
{
    QFETCH(bool, itemsFirst);
    QFETCH(QString, steps);
    QFETCH(QString, focus);

    Window w(4, itemsFirst);
    QVERIFY(w.show());
    w.play(steps);
    QCOMPARE(w.focus(), focus);
}

void TestRadioGroup::setFromCodeEmitsNothing_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QList<int>>("marked");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("emitted");
    QTest::addColumn<QString>("focus");
    QTest::newRow("an item, then click it")
        << 6 << QList<int> { 6 } << "click 6" << QList<int> {} << "item 6";
    QTest::newRow("none, then Tab lands on the first")
        << -1 << QList<int> {} << "tab" << QList<int> {} << "item 0";
    QTest::newRow("none, then Tab and Space")
        << -1 << QList<int> {} << "tab space" << QList<int> { 0 } << "item 0";
    QTest::newRow("none, then click the first")
        << -1 << QList<int> {} << "click 0" << QList<int> { 0 } << "item 0";
    QTest::newRow("past the last, then click the last")
        << 9 << QList<int> {} << "click 7" << QList<int> { 7 } << "item 7";
}

void TestRadioGroup::setFromCodeEmitsNothing()
{
    QFETCH(int, index);
    QFETCH(QList<int>, marked);
    QFETCH(QString, steps);
    QFETCH(QList<int>, emitted);
    QFETCH(QString, focus);

    Window w;
    QVERIFY(w.show());
    w.group->setItemIndex(index);
    QCOMPARE(w.emitted, QList<int> {});
    QCOMPARE(w.markedItems(), marked);
    w.play(steps);
    QCOMPARE(w.emitted, emitted);
    QVERIFY(w.markedBeforeSignal);
    QCOMPARE(w.focus(), focus);
}

void TestRadioGroup::propertyOrderDoesNotMatter()
{
    // A layout may set the chosen item before the items exist.
    RadioGroup group;
    QSignalSpy spy(&group, &RadioGroup::userChoseItem);
    QVERIFY(group.setProperty("itemIndex", 3));
    QVERIFY(group.setProperty("items", degreeItems));
    QCOMPARE(group.property("itemIndex").toInt(), 3);
    QVERIFY(group.itemButton(3)->isChecked());
    QCOMPARE(group.property("items").toStringList(), degreeItems);

    // The same captions again keep the buttons and the mark.
    QRadioButton *third = group.itemButton(3);
    group.setItems(degreeItems);
    QCOMPARE(group.itemButton(3), third);
    QVERIFY(third->isChecked());
    QCOMPARE(spy.count(), 0);
}

void TestRadioGroup::itemGeometry()
{
    Window w;
    QVERIFY(w.show());
    QCOMPARE(w.group->fontMetrics().height(), 13);
    const int lefts[] = { 8, 129 };
    const int tops[] = { 15, 30, 45, 60 };
    for (int i = 0; i < degreeItems.size(); ++i)
        QCOMPARE(w.group->itemButton(i)->geometry(), QRect(lefts[i / 4], tops[i % 4], 121, 15));

    // The marks are drawn: the chosen item's pixels differ from an unchosen
    // item's, and choosing swaps them.
    const QImage chosenBefore = w.group->itemButton(0)->grab().toImage();
    const QImage otherBefore = w.group->itemButton(4)->grab().toImage();
    w.play(QStringLiteral("click 4"));
    const QImage otherAfter = w.group->itemButton(0)->grab().toImage();
    const QImage chosenAfter = w.group->itemButton(4)->grab().toImage();
    QVERIFY(chosenBefore != otherAfter);
    QVERIFY(otherBefore != chosenAfter);
}

void TestRadioGroup::itemsFollowSizeAndFont()
{
    Window w;
    QVERIFY(w.show());
    w.group->resize(300, 100);
    for (int i = 0; i < degreeItems.size(); ++i)
        QCOMPARE(
            w.group->itemButton(i)->geometry(), DegreeSelector::itemRect(i, QSize(300, 100), 13));

    QFont bigger = windowFont();
    bigger.setPixelSize(16);
    w.group->setFont(bigger);
    const int height = QFontMetrics(bigger).height();
    QVERIFY(height > 13);
    for (int i = 0; i < degreeItems.size(); ++i)
        QCOMPARE(w.group->itemButton(i)->geometry(),
            DegreeSelector::itemRect(i, QSize(300, 100), height));
}

void TestRadioGroup::newItemsFromTheHandler()
{
    // A handler that replaces the items while the click that ran it is still
    // being delivered to the old button.
    Window w;
    QVERIFY(w.show());
    QObject::connect(w.group, &RadioGroup::userChoseItem, w.group, [&w] {
        w.group->setItems({ QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c") });
    });
    w.play(QStringLiteral("click 5"));
    QCOMPARE(w.emitted, QList<int> { 5 });
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(w.group->findChildren<QRadioButton *>().size(), 3);
    QCOMPARE(w.group->itemIndex(), 5);
    QCOMPARE(w.group->itemButton(3), nullptr);

    // The new buttons work: item 1 is chosen by a click, once.
    QTest::mouseClick(w.window.windowHandle(), Qt::LeftButton, {}, w.itemCentre(1));
    QCOMPARE(w.emitted, (QList<int> { 5, 1 }));
    QVERIFY(w.group->itemButton(1)->isChecked());
}

void TestRadioGroup::accessibility()
{
    Window w(2);
    QVERIFY(w.show());

    QAccessibleInterface *group = QAccessible::queryAccessibleInterface(w.group);
    QVERIFY(group);
    QCOMPARE(group->role(), QAccessible::Grouping);
    QCOMPARE(group->text(QAccessible::Name), QStringLiteral("Степени родства"));

    // Checks in a lambda report a failure and return from the lambda only.
    auto checkItems = [&](int chosen) {
        QList<QAccessibleInterface *> radios;
        for (int c = 0; c < group->childCount(); ++c) {
            QAccessibleInterface *child = group->child(c);
            if (child && child->role() == QAccessible::RadioButton)
                radios.append(child);
        }
        QCOMPARE(radios.size(), degreeItems.size());
        for (int i = 0; i < radios.size(); ++i) {
            QCOMPARE(radios[i]->text(QAccessible::Name), degreeItems[i]);
            QVERIFY(radios[i]->state().checkable);
            QCOMPARE(bool(radios[i]->state().checked), i == chosen);
            QCOMPARE(radios[i]->parent(), group);
        }
    };
    checkItems(2);
    QVERIFY(!QTest::currentTestFailed());
    w.play(QStringLiteral("click 6"));
    checkItems(6);
    QVERIFY(!QTest::currentTestFailed());
    w.play(QStringLiteral("focus 6 down"));
    checkItems(7);
}

QTEST_MAIN(TestRadioGroup)
#include "tst_radiogroup.moc"
