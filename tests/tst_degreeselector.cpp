#include "degreeselector.h"

#include <QTest>

// Plays a scenario on the selector. Steps, separated by blanks:
//   "click N"  release over item N (N = -1 for the frame, caption or a gap)
//   "focus N"  item N takes the focus without a click (press, drag off, release)
//   "right", "left", "up", "down"  an arrow key on the focused item
//   "space"    Space on the focused item
//   "tab"      Tab into the group
//   "home", "end", "pgdown", "enter"  keys the group does not use
// Returns the item chosen at each run of the handler; `focus` follows the
// keyboard focus the way the group moves it.
static QList<int> play(DegreeSelector &selector, int &focus, const QString &steps)
{
    QList<int> runs;
    const QStringList tokens = steps.split(u' ', Qt::SkipEmptyParts);
    for (int i = 0; i < tokens.size(); ++i) {
        const QString &step = tokens[i];
        bool ran = false;
        int key = 0;
        if (step == u"click") {
            const int index = tokens[++i].toInt();
            if (selector.isItem(index))
                focus = index;
            ran = selector.click(index);
        } else if (step == u"focus") {
            focus = tokens[++i].toInt();
        } else if (step == u"space") {
            ran = selector.click(focus);
        } else if (step == u"tab") {
            focus = selector.tabTarget();
        } else if (step == u"right") {
            key = Qt::Key_Right;
        } else if (step == u"left") {
            key = Qt::Key_Left;
        } else if (step == u"up") {
            key = Qt::Key_Up;
        } else if (step == u"down") {
            key = Qt::Key_Down;
        } else if (step == u"home") {
            key = Qt::Key_Home;
        } else if (step == u"end") {
            key = Qt::Key_End;
        } else if (step == u"pgdown") {
            key = Qt::Key_PageDown;
        } else if (step == u"enter") {
            key = Qt::Key_Return;
        } else {
            qFatal("unknown step %s", qPrintable(step));
        }
        if (key) {
            const int target = selector.arrowTarget(focus, key);
            ran = selector.arrowKey(focus, key);
            if (target >= 0)
                focus = target;
        }
        if (ran)
            runs.append(selector.chosen());
    }
    return runs;
}

class TestDegreeSelector : public QObject {
    Q_OBJECT

private slots:
    void startsOnFirstItemWithoutRunning();
    void inputs_data();
    void inputs();
    void setChosenFromCode_data();
    void setChosenFromCode();
    void fullCircle_data();
    void fullCircle();
    void itemRect_data();
    void itemRect();
    void itemsTileTheGroup_data();
    void itemsTileTheGroup();
    void itemRectOutOfRange();
};

void TestDegreeSelector::startsOnFirstItemWithoutRunning()
{
    DegreeSelector selector;
    QCOMPARE(selector.count(), Degrees::Count);
    QCOMPARE(selector.chosen(), 0);
    QCOMPARE(selector.tabTarget(), 0);
}

void TestDegreeSelector::inputs_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("focus");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<QList<int>>("runs");
    QTest::addColumn<int>("focusAfter");

    // Clicks.
    QTest::newRow("click another item") << 0 << -1 << "click 3" << 3 << QList<int> { 3 } << 3;
    QTest::newRow("click the chosen item") << 0 << -1 << "click 0" << 0 << QList<int> {} << 0;
    QTest::newRow("click right after start on Все")
        << 0 << -1 << "click 0 click 0" << 0 << QList<int> {} << 0;
    QTest::newRow("double-click another item")
        << 2 << -1 << "click 6 click 6" << 6 << QList<int> { 6 } << 6;
    QTest::newRow("double-click the chosen item")
        << 5 << 5 << "click 5 click 5" << 5 << QList<int> {} << 5;
    QTest::newRow("click frame") << 4 << -1 << "click -1" << 4 << QList<int> {} << -1;
    QTest::newRow("click past the items") << 4 << 4 << "click 8" << 4 << QList<int> {} << 4;
    QTest::newRow("back to Все") << 0 << -1 << "click 5 click 0" << 0 << QList<int> { 5, 0 } << 0;
    QTest::newRow("every item once")
        << 0 << -1 << "click 1 click 2 click 3 click 4 click 5 click 6 click 7" << 7
        << QList<int> { 1, 2, 3, 4, 5, 6, 7 } << 7;

    // Arrows go in item order, across the columns, wrapping at both ends.
    QTest::newRow("Down on 3 goes to 4") << 3 << 3 << "down" << 4 << QList<int> { 4 } << 4;
    QTest::newRow("Right on 0 goes to 1") << 0 << 0 << "right" << 1 << QList<int> { 1 } << 1;
    QTest::newRow("Down on 7 wraps to 0") << 7 << 7 << "down" << 0 << QList<int> { 0 } << 0;
    QTest::newRow("Right on 7 wraps to 0") << 7 << 7 << "right" << 0 << QList<int> { 0 } << 0;
    QTest::newRow("Up on 0 wraps to 7") << 0 << 0 << "up" << 7 << QList<int> { 7 } << 7;
    QTest::newRow("Left on 0 wraps to 7") << 0 << 0 << "left" << 7 << QList<int> { 7 } << 7;
    QTest::newRow("Up on 4 goes to 3") << 4 << 4 << "up" << 3 << QList<int> { 3 } << 3;
    QTest::newRow("Left on 5 goes to 4") << 5 << 5 << "left" << 4 << QList<int> { 4 } << 4;
    QTest::newRow("Down twice") << 2 << 2 << "down down" << 4 << QList<int> { 3, 4 } << 4;
    QTest::newRow("Down then Up") << 2 << 2 << "down up" << 2 << QList<int> { 3, 2 } << 2;
    QTest::newRow("eight Downs come round") << 0 << 0 << "down down down down down down down down"
                                            << 0 << QList<int> { 1, 2, 3, 4, 5, 6, 7, 0 } << 0;
    QTest::newRow("arrow from a focused item that is not chosen")
        << 0 << -1 << "focus 5 down" << 6 << QList<int> { 6 } << 6;
    QTest::newRow("arrow back onto the chosen item")
        << 3 << -1 << "focus 4 up" << 3 << QList<int> {} << 3;

    // Keys the group does not use.
    QTest::newRow("Home") << 3 << 3 << "home" << 3 << QList<int> {} << 3;
    QTest::newRow("End, PageDown, Enter")
        << 3 << 3 << "end pgdown enter" << 3 << QList<int> {} << 3;

    // Space and Tab.
    QTest::newRow("Space on the chosen item") << 6 << 6 << "space" << 6 << QList<int> {} << 6;
    QTest::newRow("Space on a focused item not chosen")
        << 0 << -1 << "focus 2 space" << 2 << QList<int> { 2 } << 2;
    QTest::newRow("Space twice") << 0 << -1 << "focus 2 space space" << 2 << QList<int> { 2 } << 2;
    QTest::newRow("Tab lands on the chosen item") << 5 << -1 << "tab" << 5 << QList<int> {} << 5;
    QTest::newRow("Tab then Down") << 5 << -1 << "tab down" << 6 << QList<int> { 6 } << 6;
    QTest::newRow("Tab then Space") << 1 << -1 << "tab space" << 1 << QList<int> {} << 1;
}

void TestDegreeSelector::inputs()
{
    QFETCH(int, start);
    QFETCH(int, focus);
    QFETCH(QString, steps);
    QFETCH(int, chosen);
    QFETCH(QList<int>, runs);
    QFETCH(int, focusAfter);

    DegreeSelector selector;
    selector.setChosen(start);
    QCOMPARE(play(selector, focus, steps), runs);
    QCOMPARE(selector.chosen(), chosen);
    QCOMPARE(focus, focusAfter);
}

void TestDegreeSelector::setChosenFromCode_data()
{
    QTest::addColumn<int>("set");
    QTest::addColumn<int>("chosen");
    QTest::addColumn<int>("tabTarget");
    QTest::addColumn<QString>("steps");
    QTest::addColumn<QList<int>>("runs");

    QTest::newRow("an item") << 6 << 6 << 6 << "click 6" << QList<int> {};
    QTest::newRow("none") << -1 << -1 << 0 << "click 0" << QList<int> { 0 };
    QTest::newRow("below none") << -7 << -1 << 0 << "tab" << QList<int> {};
    QTest::newRow("none, Tab and Space choose the first")
        << -1 << -1 << 0 << "tab space" << QList<int> { 0 };
    QTest::newRow("past the last item") << 12 << 12 << 0 << "click 7" << QList<int> { 7 };
    QTest::newRow("none, Down from nowhere") << -1 << -1 << 0 << "down" << QList<int> { 0 };
    QTest::newRow("none, Up from nowhere") << -1 << -1 << 0 << "up" << QList<int> { 7 };
}

void TestDegreeSelector::setChosenFromCode()
{
    QFETCH(int, set);
    QFETCH(int, chosen);
    QFETCH(int, tabTarget);
    QFETCH(QString, steps);
    QFETCH(QList<int>, runs);

    DegreeSelector selector;
    selector.setChosen(set);
    QCOMPARE(selector.chosen(), chosen);
    QCOMPARE(selector.tabTarget(), tabTarget);
    int focus = -1;
    QCOMPARE(play(selector, focus, steps), runs);
}

void TestDegreeSelector::fullCircle_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("key");
    QTest::addColumn<QList<int>>("order");
    QTest::newRow("Down through eight")
        << 8 << int(Qt::Key_Down) << QList<int> { 1, 2, 3, 4, 5, 6, 7, 0 };
    QTest::newRow("Left through eight")
        << 8 << int(Qt::Key_Left) << QList<int> { 7, 6, 5, 4, 3, 2, 1, 0 };
    QTest::newRow("Right through three") << 3 << int(Qt::Key_Right) << QList<int> { 1, 2, 0 };
    QTest::newRow("one item never moves") << 1 << int(Qt::Key_Down) << QList<int> { 0 };
}

void TestDegreeSelector::fullCircle()
{
    QFETCH(int, count);
    QFETCH(int, key);
    QFETCH(QList<int>, order);

    DegreeSelector selector(count);
    int focus = 0;
    QList<int> visited;
    for (int i = 0; i < order.size(); ++i) {
        const bool ran = selector.arrowKey(focus, key);
        QCOMPARE(ran, count > 1);
        focus = selector.chosen();
        visited.append(focus);
    }
    QCOMPARE(visited, order);
}

void TestDegreeSelector::itemRect_data()
{
    QTest::addColumn<QSize>("group");
    QTest::addColumn<int>("textHeight");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("rect");

    // The selector of the relations page: 253x81 with a 13 px font.
    const QSize page(253, 81);
    const int lefts[] = { 8, 129 };
    const int tops[] = { 15, 30, 45, 60 };
    for (int i = 0; i < 8; ++i)
        QTest::addRow("253x81 item %d", i)
            << page << 13 << i << QRect(lefts[i / 4], tops[i % 4], 121, 15);

    // Odd width: the column width rounds down. Height left over below the
    // caption: 100 - 16 - 5 = 79, rows of 19, 3 px spare, 1 of them on top.
    QTest::newRow("300x100 h16 item 0") << QSize(300, 100) << 16 << 0 << QRect(8, 18, 145, 19);
    QTest::newRow("300x100 h16 item 7") << QSize(300, 100) << 16 << 7 << QRect(153, 75, 145, 19);
    QTest::newRow("254x81 item 4") << QSize(254, 81) << 13 << 4 << QRect(130, 15, 122, 15);
    // A larger font: 81 - 20 - 5 = 56, rows of 14, nothing spare.
    QTest::newRow("253x81 h20 item 3") << page << 20 << 3 << QRect(8, 63, 121, 14);
    // Degenerate sizes give empty rectangles, never negative ones.
    QTest::newRow("0x0 item 5") << QSize(0, 0) << 13 << 5 << QRect(8, 14, 0, 0);
    QTest::newRow("font taller than group") << QSize(253, 10) << 13 << 1 << QRect(8, 14, 121, 0);
}

void TestDegreeSelector::itemRect()
{
    QFETCH(QSize, group);
    QFETCH(int, textHeight);
    QFETCH(int, index);
    QFETCH(QRect, rect);
    QCOMPARE(DegreeSelector::itemRect(index, group, textHeight), rect);
}

void TestDegreeSelector::itemsTileTheGroup_data()
{
    QTest::addColumn<QSize>("group");
    QTest::addColumn<int>("textHeight");
    QTest::newRow("253x81 h13") << QSize(253, 81) << 13;
    QTest::newRow("400x200 h16") << QSize(400, 200) << 16;
    QTest::newRow("101x47 h11") << QSize(101, 47) << 11;
}

void TestDegreeSelector::itemsTileTheGroup()
{
    QFETCH(QSize, group);
    QFETCH(int, textHeight);

    // Items sit below the caption, inside the frame, without overlapping,
    // in item order down the left column and then down the right one.
    const QRect inner(QPoint(0, textHeight), QPoint(group.width() - 1, group.height() - 1));
    QList<QRect> rects;
    for (int i = 0; i < 8; ++i) {
        const QRect r = DegreeSelector::itemRect(i, group, textHeight);
        QVERIFY2(inner.contains(r), qPrintable(QStringLiteral("item %1").arg(i)));
        for (const QRect &other : std::as_const(rects))
            QVERIFY(!other.intersects(r));
        rects.append(r);
    }
    for (int i = 1; i < 8; ++i) {
        if (i == 4) {
            QVERIFY(rects[4].left() > rects[3].right());
            QCOMPARE(rects[4].top(), rects[0].top());
        } else {
            QCOMPARE(rects[i].top(), rects[i - 1].bottom() + 1);
            QCOMPARE(rects[i].left(), rects[i - 1].left());
        }
    }
}

void TestDegreeSelector::itemRectOutOfRange()
{
    QVERIFY(DegreeSelector::itemRect(-1, QSize(253, 81), 13).isNull());
    QVERIFY(DegreeSelector::itemRect(8, QSize(253, 81), 13).isNull());
}

QTEST_APPLESS_MAIN(TestDegreeSelector)
#include "tst_degreeselector.moc"
