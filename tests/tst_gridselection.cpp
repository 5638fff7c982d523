#include "gridselection.h"

#include <QRandomGenerator>
#include <QTest>

Q_DECLARE_METATYPE(GridCell)
Q_DECLARE_METATYPE(TableBlock)

namespace {

// Runs a small script of selection inputs, one per string:
//   "press R C", "shift-press R C", "drag R C",
//   "key NAME" / "shift-key NAME" with NAME one of the GridSelection::Move names,
//   "page ROWS COLUMNS" (the page sizes for the following keys; 22 and 20 at first),
//   "step SIDES" with SIDES made of L, R, A (above), B (below), or "-" for none.
void run(GridSelection &selection, const QStringList &script)
{
    using Move = GridSelection::Move;
    static const QHash<QString, Move> moves = {
        { "Up", Move::Up },
        { "Down", Move::Down },
        { "Left", Move::Left },
        { "Right", Move::Right },
        { "PageUp", Move::PageUp },
        { "PageDown", Move::PageDown },
        { "Home", Move::Home },
        { "End", Move::End },
        { "Top", Move::Top },
        { "Bottom", Move::Bottom },
        { "PageLeft", Move::PageLeft },
        { "PageRight", Move::PageRight },
    };
    int pageRows = 22, pageColumns = 20;
    for (const QString &line : script) {
        const QStringList words = line.split(u' ');
        const QString &verb = words.at(0);
        if (verb == u"press" || verb == u"shift-press") {
            selection.press(words.at(1).toInt(), words.at(2).toInt(), verb == u"shift-press");
        } else if (verb == u"drag") {
            selection.dragTo(words.at(1).toInt(), words.at(2).toInt());
        } else if (verb == u"key" || verb == u"shift-key") {
            QVERIFY2(moves.contains(words.at(1)), qPrintable(line));
            selection.move(moves.value(words.at(1)), verb == u"shift-key", pageRows, pageColumns);
        } else if (verb == u"page") {
            pageRows = words.at(1).toInt();
            pageColumns = words.at(2).toInt();
        } else if (verb == u"step") {
            GridSelection::Sides sides;
            for (QChar side : words.at(1)) {
                if (side == u'L')
                    sides |= GridSelection::LeftSide;
                else if (side == u'R')
                    sides |= GridSelection::RightSide;
                else if (side == u'A')
                    sides |= GridSelection::AboveSide;
                else if (side == u'B')
                    sides |= GridSelection::BelowSide;
            }
            selection.autoScrollStep(sides);
        } else {
            QFAIL(qPrintable("unknown step " + line));
        }
    }
}

} // namespace

class TestGridSelection : public QObject {
    Q_OBJECT

private slots:
    void startsAtTheFirstCell();
    void selection_data();
    void selection();
    void pressAndDragReportWhetherTheyTookACell_data();
    void pressAndDragReportWhetherTheyTookACell();
    void randomInputKeepsAValidBlock();
};

void TestGridSelection::startsAtTheFirstCell()
{
    const GridSelection selection;
    QCOMPARE(selection.current(), (GridCell { 1, 1 }));
    QCOMPARE(selection.anchor(), (GridCell { 1, 1 }));
    QCOMPARE(selection.block(), (TableBlock { 1, 1, 1, 1 }));
}

void TestGridSelection::selection_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<GridCell>("current");
    QTest::addColumn<GridCell>("anchor");
    QTest::addColumn<TableBlock>("block"); // r1, c1, r2, c2

    // Mouse.
    QTest::newRow("press") << QStringList { "press 5 7" } << GridCell { 5, 7 } << GridCell { 5, 7 }
                           << TableBlock { 5, 7, 5, 7 };
    QTest::newRow("press, press again")
        << QStringList { "press 5 7", "press 22 22" } << GridCell { 22, 22 } << GridCell { 22, 22 }
        << TableBlock { 22, 22, 22, 22 };
    QTest::newRow("drag down right") << QStringList { "press 2 2", "drag 4 5" } << GridCell { 2, 2 }
                                     << GridCell { 4, 5 } << TableBlock { 2, 2, 4, 5 };
    QTest::newRow("drag up left") << QStringList { "press 5 5", "drag 3 2" } << GridCell { 5, 5 }
                                  << GridCell { 3, 2 } << TableBlock { 3, 2, 5, 5 };
    QTest::newRow("drag up right") << QStringList { "press 5 5", "drag 1 9" } << GridCell { 5, 5 }
                                   << GridCell { 1, 9 } << TableBlock { 1, 5, 5, 9 };
    QTest::newRow("drag and back")
        << QStringList { "press 5 5", "drag 9 9", "drag 5 5" } << GridCell { 5, 5 }
        << GridCell { 5, 5 } << TableBlock { 5, 5, 5, 5 };
    QTest::newRow("drag onto a heading is ignored")
        << QStringList { "press 5 5", "drag 7 8", "drag 0 3", "drag 4 0", "drag 0 0" }
        << GridCell { 5, 5 } << GridCell { 7, 8 } << TableBlock { 5, 5, 7, 8 };
    QTest::newRow("drag outside the table is ignored")
        << QStringList { "press 5 5", "drag 23 5", "drag 5 23", "drag -1 -1" } << GridCell { 5, 5 }
        << GridCell { 5, 5 } << TableBlock { 5, 5, 5, 5 };
    QTest::newRow("shift-press moves the anchor only")
        << QStringList { "press 2 2", "shift-press 4 6" } << GridCell { 2, 2 } << GridCell { 4, 6 }
        << TableBlock { 2, 2, 4, 6 };
    QTest::newRow("shift-press from the start")
        << QStringList { "shift-press 3 3" } << GridCell { 1, 1 } << GridCell { 3, 3 }
        << TableBlock { 1, 1, 3, 3 };
    QTest::newRow("shift-press, then drag")
        << QStringList { "press 4 4", "shift-press 6 6", "drag 2 8" } << GridCell { 4, 4 }
        << GridCell { 2, 8 } << TableBlock { 2, 4, 4, 8 };
    QTest::newRow("press on the column headings")
        << QStringList { "press 3 3", "press 0 5" } << GridCell { 3, 3 } << GridCell { 3, 3 }
        << TableBlock { 3, 3, 3, 3 };
    QTest::newRow("press on the row headings")
        << QStringList { "press 3 3", "press 5 0" } << GridCell { 3, 3 } << GridCell { 3, 3 }
        << TableBlock { 3, 3, 3, 3 };
    QTest::newRow("press on the corner")
        << QStringList { "press 3 3", "drag 4 4", "press 0 0" } << GridCell { 3, 3 }
        << GridCell { 4, 4 } << TableBlock { 3, 3, 4, 4 };
    QTest::newRow("shift-press on a heading")
        << QStringList { "press 3 3", "shift-press 0 6" } << GridCell { 3, 3 } << GridCell { 3, 3 }
        << TableBlock { 3, 3, 3, 3 };
    QTest::newRow("press outside the table")
        << QStringList { "press 3 3", "press 23 1", "press 1 23", "press -1 4", "press 4 -1" }
        << GridCell { 3, 3 } << GridCell { 3, 3 } << TableBlock { 3, 3, 3, 3 };

    // The drag of (2,2) to (4,5) leaves the current cell at (2,2); Shift+Right
    // moves the current cell, so the block loses column 2.
    QTest::newRow("drag, then shift-right")
        << QStringList { "press 2 2", "drag 4 5", "shift-key Right" } << GridCell { 2, 3 }
        << GridCell { 4, 5 } << TableBlock { 2, 3, 4, 5 };
    QTest::newRow("drag, then right collapses")
        << QStringList { "press 2 2", "drag 4 5", "key Right" } << GridCell { 2, 3 }
        << GridCell { 2, 3 } << TableBlock { 2, 3, 2, 3 };

    // Keys without Shift: the anchor follows.
    QTest::newRow("right") << QStringList { "key Right" } << GridCell { 1, 2 } << GridCell { 1, 2 }
                           << TableBlock { 1, 2, 1, 2 };
    QTest::newRow("down, down") << QStringList { "key Down", "key Down" } << GridCell { 3, 1 }
                                << GridCell { 3, 1 } << TableBlock { 3, 1, 3, 1 };
    QTest::newRow("left, up at the first cell")
        << QStringList { "key Left", "key Up" } << GridCell { 1, 1 } << GridCell { 1, 1 }
        << TableBlock { 1, 1, 1, 1 };
    QTest::newRow("right, down at the last cell")
        << QStringList { "press 22 22", "key Right", "key Down" } << GridCell { 22, 22 }
        << GridCell { 22, 22 } << TableBlock { 22, 22, 22, 22 };
    QTest::newRow("up, left") << QStringList { "press 5 5", "key Up", "key Left", "key Left" }
                              << GridCell { 4, 3 } << GridCell { 4, 3 }
                              << TableBlock { 4, 3, 4, 3 };
    QTest::newRow("page down: all rows shown")
        << QStringList { "key PageDown" } << GridCell { 22, 1 } << GridCell { 22, 1 }
        << TableBlock { 22, 1, 22, 1 };
    QTest::newRow("page down by 5")
        << QStringList { "page 5 4", "press 3 4", "key PageDown" } << GridCell { 8, 4 }
        << GridCell { 8, 4 } << TableBlock { 8, 4, 8, 4 };
    QTest::newRow("page up by 5") << QStringList { "page 5 4", "press 8 4", "key PageUp" }
                                  << GridCell { 3, 4 } << GridCell { 3, 4 }
                                  << TableBlock { 3, 4, 3, 4 };
    QTest::newRow("page up stops at row 1")
        << QStringList { "page 5 4", "press 3 4", "key PageUp" } << GridCell { 1, 4 }
        << GridCell { 1, 4 } << TableBlock { 1, 4, 1, 4 };
    QTest::newRow("page down stops at row 22")
        << QStringList { "page 5 4", "press 20 4", "key PageDown" } << GridCell { 22, 4 }
        << GridCell { 22, 4 } << TableBlock { 22, 4, 22, 4 };
    QTest::newRow("home") << QStringList { "press 5 7", "key Home" } << GridCell { 5, 1 }
                          << GridCell { 5, 1 } << TableBlock { 5, 1, 5, 1 };
    QTest::newRow("end") << QStringList { "press 5 7", "key End" } << GridCell { 5, 22 }
                         << GridCell { 5, 22 } << TableBlock { 5, 22, 5, 22 };
    QTest::newRow("top (ctrl+home)") << QStringList { "press 5 7", "key Top" } << GridCell { 1, 7 }
                                     << GridCell { 1, 7 } << TableBlock { 1, 7, 1, 7 };
    QTest::newRow("bottom (ctrl+end)")
        << QStringList { "press 5 7", "key Bottom" } << GridCell { 22, 7 } << GridCell { 22, 7 }
        << TableBlock { 22, 7, 22, 7 };
    QTest::newRow("page right (ctrl+page down)")
        << QStringList { "press 5 7", "key PageRight" } << GridCell { 5, 22 } << GridCell { 5, 22 }
        << TableBlock { 5, 22, 5, 22 };
    QTest::newRow("page left by 4")
        << QStringList { "page 5 4", "press 5 7", "key PageLeft" } << GridCell { 5, 3 }
        << GridCell { 5, 3 } << TableBlock { 5, 3, 5, 3 };
    QTest::newRow("a page of 0 rows moves one row")
        << QStringList { "page 0 0", "press 5 7", "key PageDown", "key PageRight" }
        << GridCell { 6, 8 } << GridCell { 6, 8 } << TableBlock { 6, 8, 6, 8 };
    QTest::newRow("a page of negative size moves one row")
        << QStringList { "page -30 -30", "press 5 7", "key PageUp", "key PageLeft" }
        << GridCell { 4, 6 } << GridCell { 4, 6 } << TableBlock { 4, 6, 4, 6 };
    QTest::newRow("an enormous page stops at the edge") << QStringList {
        "page 2147483647 2147483647", "press 5 7", "key PageDown", "key PageRight"
    } << GridCell { 22, 22 } << GridCell { 22, 22 } << TableBlock { 22, 22, 22, 22 };
    QTest::newRow("an enormous page back stops at the edge")
        << QStringList { "page 2147483647 2147483647", "press 5 7", "key PageUp", "key PageLeft" }
        << GridCell { 1, 1 } << GridCell { 1, 1 } << TableBlock { 1, 1, 1, 1 };

    // Keys with Shift: the anchor stays.
    QTest::newRow("shift-down") << QStringList { "press 5 5", "shift-key Down" }
                                << GridCell { 6, 5 } << GridCell { 5, 5 }
                                << TableBlock { 5, 5, 6, 5 };
    QTest::newRow("shift-up, shift-left")
        << QStringList { "press 5 5", "shift-key Up", "shift-key Left" } << GridCell { 4, 4 }
        << GridCell { 5, 5 } << TableBlock { 4, 4, 5, 5 };
    QTest::newRow("shift-right twice, shift-left shrinks")
        << QStringList { "press 5 5", "shift-key Right", "shift-key Right", "shift-key Left" }
        << GridCell { 5, 6 } << GridCell { 5, 5 } << TableBlock { 5, 5, 5, 6 };
    QTest::newRow("shift-left across the anchor")
        << QStringList { "press 5 5", "shift-key Right", "shift-key Left", "shift-key Left" }
        << GridCell { 5, 4 } << GridCell { 5, 5 } << TableBlock { 5, 4, 5, 5 };
    QTest::newRow("shift-home") << QStringList { "press 5 5", "shift-key Home" }
                                << GridCell { 5, 1 } << GridCell { 5, 5 }
                                << TableBlock { 5, 1, 5, 5 };
    QTest::newRow("shift-end") << QStringList { "press 5 5", "shift-key End" } << GridCell { 5, 22 }
                               << GridCell { 5, 5 } << TableBlock { 5, 5, 5, 22 };
    QTest::newRow("shift-page-down")
        << QStringList { "press 5 5", "shift-key PageDown" } << GridCell { 22, 5 }
        << GridCell { 5, 5 } << TableBlock { 5, 5, 22, 5 };
    QTest::newRow("shift-page-up by 3")
        << QStringList { "page 3 3", "press 5 5", "shift-key PageUp" } << GridCell { 2, 5 }
        << GridCell { 5, 5 } << TableBlock { 2, 5, 5, 5 };
    QTest::newRow("shift-top, shift-bottom")
        << QStringList { "press 5 5", "shift-key Top", "shift-key Right", "shift-key Bottom" }
        << GridCell { 22, 6 } << GridCell { 5, 5 } << TableBlock { 5, 5, 22, 6 };
    QTest::newRow("shift at the edge keeps the block")
        << QStringList { "press 3 3", "shift-key Up", "shift-key Up", "shift-key Up",
               "shift-key Left", "shift-key Left", "shift-key Left" }
        << GridCell { 1, 1 } << GridCell { 3, 3 } << TableBlock { 1, 1, 3, 3 };
    QTest::newRow("shift-press, then keys without shift")
        << QStringList { "press 2 2", "shift-press 6 6", "key Down" } << GridCell { 3, 2 }
        << GridCell { 3, 2 } << TableBlock { 3, 2, 3, 2 };

    // The drag's automatic scrolling moves the anchor, never the current cell.
    QTest::newRow("step right") << QStringList { "press 5 5", "drag 6 6", "step R" }
                                << GridCell { 5, 5 } << GridCell { 6, 7 }
                                << TableBlock { 5, 5, 6, 7 };
    QTest::newRow("step left and above")
        << QStringList { "press 5 5", "drag 6 6", "step LA" } << GridCell { 5, 5 }
        << GridCell { 5, 5 } << TableBlock { 5, 5, 5, 5 };
    QTest::newRow("steps left past the current cell")
        << QStringList { "press 5 5", "step L", "step L", "step L" } << GridCell { 5, 5 }
        << GridCell { 5, 2 } << TableBlock { 5, 2, 5, 5 };
    QTest::newRow("step below and right")
        << QStringList { "press 5 5", "step RB" } << GridCell { 5, 5 } << GridCell { 6, 6 }
        << TableBlock { 5, 5, 6, 6 };
    QTest::newRow("step with no side")
        << QStringList { "press 5 5", "drag 7 7", "step -" } << GridCell { 5, 5 }
        << GridCell { 7, 7 } << TableBlock { 5, 5, 7, 7 };
    QTest::newRow("steps stop at column and row 22")
        << QStringList { "press 20 20", "step RB", "step RB", "step RB", "step RB" }
        << GridCell { 20, 20 } << GridCell { 22, 22 } << TableBlock { 20, 20, 22, 22 };
    QTest::newRow("steps stop at column and row 1")
        << QStringList { "press 2 3", "step LA", "step LA", "step LA", "step LA" }
        << GridCell { 2, 3 } << GridCell { 1, 1 } << TableBlock { 1, 1, 2, 3 };
    QTest::newRow("step at the first cell") << QStringList { "step LA" } << GridCell { 1, 1 }
                                            << GridCell { 1, 1 } << TableBlock { 1, 1, 1, 1 };
    QTest::newRow("step at the last cell")
        << QStringList { "press 22 22", "step RB" } << GridCell { 22, 22 } << GridCell { 22, 22 }
        << TableBlock { 22, 22, 22, 22 };
    QTest::newRow("step right at column 22 still goes down")
        << QStringList { "press 5 22", "step RB" } << GridCell { 5, 22 } << GridCell { 6, 22 }
        << TableBlock { 5, 22, 6, 22 };
    QTest::newRow("opposite sides cancel")
        << QStringList { "press 5 5", "step LR", "step AB" } << GridCell { 5, 5 }
        << GridCell { 5, 5 } << TableBlock { 5, 5, 5, 5 };
}

void TestGridSelection::selection()
{
    QFETCH(QStringList, script);
    QFETCH(GridCell, current);
    QFETCH(GridCell, anchor);
    QFETCH(TableBlock, block);

    GridSelection selection;
    run(selection, script);
    QCOMPARE(selection.current(), current);
    QCOMPARE(selection.anchor(), anchor);
    QCOMPARE(selection.block(), block);
    QVERIFY(selection.block().isValid());
}

void TestGridSelection::pressAndDragReportWhetherTheyTookACell_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("taken");

    QTest::newRow("first cell") << 1 << 1 << true;
    QTest::newRow("last cell") << 22 << 22 << true;
    QTest::newRow("corner") << 0 << 0 << false;
    QTest::newRow("column heading") << 0 << 4 << false;
    QTest::newRow("row heading") << 4 << 0 << false;
    QTest::newRow("row 23") << 23 << 4 << false;
    QTest::newRow("column 23") << 4 << 23 << false;
    QTest::newRow("none") << -1 << -1 << false;
    QTest::newRow("far away") << 1000000 << -1000000 << false;
}

void TestGridSelection::pressAndDragReportWhetherTheyTookACell()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, taken);

    GridSelection selection;
    QCOMPARE(selection.press(row, column, false), taken);
    QCOMPARE(selection.press(row, column, true), taken);
    QCOMPARE(selection.dragTo(row, column), taken);
    const GridCell expected = taken ? GridCell { row, column } : GridCell { 1, 1 };
    QCOMPARE(selection.current(), expected);
    QCOMPARE(selection.anchor(), expected);
}

void TestGridSelection::randomInputKeepsAValidBlock()
{
    // Whatever comes in, the block is valid and spanned by the two cells.
    QRandomGenerator random(20030501);
    GridSelection selection;
    for (int i = 0; i < 20000; ++i) {
        const int row = random.bounded(-3, 27);
        const int column = random.bounded(-3, 27);
        switch (random.bounded(5)) {
        case 0:
            selection.press(row, column, random.bounded(2));
            break;
        case 1:
            selection.dragTo(row, column);
            break;
        case 2:
            selection.move(GridSelection::Move(random.bounded(12)), random.bounded(2), row, column);
            break;
        case 3:
            selection.autoScrollStep(GridSelection::Sides::fromInt(random.bounded(16)));
            break;
        default:
            selection.move(GridSelection::Move(random.bounded(12)), random.bounded(2),
                random.generate(), -int(random.generate() >> 1));
            break;
        }
        const TableBlock block = selection.block();
        QVERIFY(block.isValid());
        const GridCell current = selection.current();
        const GridCell anchor = selection.anchor();
        QVERIFY(GridSelection::isCell(current.row, current.column));
        QVERIFY(GridSelection::isCell(anchor.row, anchor.column));
        QCOMPARE(block,
            (TableBlock { std::min(current.row, anchor.row),
                std::min(current.column, anchor.column), std::max(current.row, anchor.row),
                std::max(current.column, anchor.column) }));
    }
}

QTEST_APPLESS_MAIN(TestGridSelection)
#include "tst_gridselection.moc"
