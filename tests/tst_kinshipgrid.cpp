#include "fontsubstitutes.h"
#include "kinshipgrid.h"
#include "kinshiptable.h"

#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStringEncoder>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(GridCell)

namespace {

struct Term {
    int row;
    int column;
    bool affinity;
    QString text;
};

KinshipTable makeTable(const QList<Term> &terms)
{
    QString data;
    for (const Term &t : terms)
        data += QStringLiteral("%1\t%2\t%3\t%4\r\n")
                    .arg(t.row)
                    .arg(t.column)
                    .arg(t.affinity ? 1 : 0)
                    .arg(t.text);
    QStringEncoder encode("windows-1251");
    const QByteArray bytes = encode(data);
    return KinshipTable::fromData(bytes);
}

// A window holding the grid at its top-left and a line edit after it in the
// focus chain.
struct Harness {
    QWidget window;
    KinshipGrid *grid;
    QLineEdit *after;
    KinshipTable table;

    explicit Harness(KinshipTable content = {})
        : grid(new KinshipGrid(&window))
        , after(new QLineEdit(&window))
        , table(std::move(content))
    {
        window.resize(800, 500);
        grid->move(0, 0);
        after->setGeometry(0, 470, 100, 20);
        grid->setTable(&table);
        window.show();
        if (!QTest::qWaitForWindowActive(&window))
            qWarning("the test window did not become active");
        grid->setFocus();
    }

    QWidget *viewport() const { return grid->viewport(); }
    QPoint centre(int row, int column) const { return grid->cellRect(row, column).center(); }
    QImage shot() const
    {
        return viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QImage cell(const QImage &shot, int row, int column) const
    {
        return shot.copy(grid->cellRect(row, column));
    }

    void press(int row, int column, Qt::KeyboardModifiers modifiers = {},
        Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mousePress(viewport(), button, modifiers, centre(row, column));
    }
    void release(const QPoint &pos, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseRelease(viewport(), button, {}, pos);
    }
    // A move with the left button held, sent as an explicit event.
    void drag(const QPoint &pos)
    {
        QMouseEvent move(QEvent::MouseMove, pos, viewport()->mapToGlobal(pos), Qt::NoButton,
            Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(), &move);
    }
    void selectBlock(GridCell from, GridCell to)
    {
        press(from.row, from.column);
        drag(centre(to.row, to.column));
        release(centre(to.row, to.column));
    }
};

// Pixels are compared as RGB values: palette colours may be stored with
// another colour model than the image's.
QRgb colourAt(const QImage &image, int x, int y)
{
    return image.pixel(x, y);
}

// Text pixels: darker than the selection colour and the headings' shadow.
bool isDark(QRgb pixel)
{
    return qGray(pixel) < 100;
}

int darkPixels(const QImage &image, int fromX = 0, int toX = -1, int fromY = 0, int toY = -1)
{
    if (toX < 0)
        toX = image.width() - 1;
    if (toY < 0)
        toY = image.height() - 1;
    int count = 0;
    for (int y = fromY; y <= toY; ++y)
        for (int x = fromX; x <= toX; ++x)
            count += isDark(image.pixel(x, y));
    return count;
}

// The right-most column of an image holding a dark pixel, or -1.
int lastDarkColumn(const QImage &image)
{
    for (int x = image.width() - 1; x >= 0; --x)
        if (darkPixels(image, x, x) > 0)
            return x;
    return -1;
}

} // namespace

class TestKinshipGrid : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void geometry();
    void cellRects_data();
    void cellRects();
    void cellAt_data();
    void cellAt();
    void headingsStayWhenScrolled();

    void headingsAndGridLines();
    void selectedBlockColours();
    void focusCell();
    void focusCellStaysWhileAnotherWindowIsActive();
    void affinityCellsAreItalic();
    void textPlacement();
    void ampersandsAndLineBreaksAreShownAsText();
    void hugeTermsPaintQuickly();
    void refreshShowsChangedTerms();

    void mouse_data();
    void mouse();
    void otherButtonsOnlyFocus();
    void mouseEventsInAnyOrder();
    void sidesBeyond_data();
    void sidesBeyond();
    void autoScrollSteps();
    void autoScrollByTheTimer();

    void keys_data();
    void keys();
    void clipboardKeys_data();
    void clipboardKeys();
    void tabLeavesTheGrid();
    void windowShortcutsDoNotTakeTheGridsKeys();

    void accessibility();
};

void TestKinshipGrid::initTestCase()
{
    installFontSubstitutes();
}

void TestKinshipGrid::geometry()
{
    Harness h;
    QCOMPARE(h.grid->size(), QSize(760, 458));
    QCOMPARE(h.grid->frameShape(), QFrame::WinPanel);
    QCOMPARE(h.grid->frameShadow(), QFrame::Sunken);
    QCOMPARE(h.grid->frameWidth(), 2);
    QCOMPARE(h.viewport()->width(), 756);
    QVERIFY(h.grid->horizontalScrollBar()->isVisible());
    QVERIFY(!h.grid->verticalScrollBar()->isVisible());

    // 828 px of columns in 756: twenty columns are shown whole beside the
    // headings, so the view scrolls by two columns at most.
    QCOMPARE(h.grid->pageColumns(), 20);
    QCOMPARE(h.grid->horizontalScrollBar()->minimum(), 0);
    QCOMPARE(h.grid->horizontalScrollBar()->maximum(), 2);
    // All 23 rows fit: nothing scrolls vertically.
    QVERIFY(h.viewport()->height() >= 23 * 19 - 1);
    QCOMPARE(h.grid->pageRows(), 22);
    QCOMPARE(h.grid->verticalScrollBar()->maximum(), 0);
    QCOMPARE(h.grid->topRow(), 1);

    QCOMPARE(h.grid->font().family(), QStringLiteral("MS Sans Serif"));
    QCOMPARE(h.grid->font().pixelSize(), 11);
    QVERIFY(!h.grid->font().italic());
}

void TestKinshipGrid::cellRects_data()
{
    QTest::addColumn<int>("leftColumn");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QRect>("rect");

    QTest::newRow("corner") << 1 << 0 << 0 << QRect(0, 0, 35, 18);
    QTest::newRow("heading of column 1") << 1 << 0 << 1 << QRect(36, 0, 35, 18);
    QTest::newRow("heading of row 1") << 1 << 1 << 0 << QRect(0, 19, 35, 18);
    QTest::newRow("first cell") << 1 << 1 << 1 << QRect(36, 19, 35, 18);
    QTest::newRow("row 22") << 1 << 22 << 1 << QRect(36, 418, 35, 18);
    QTest::newRow("column 20, the last shown") << 1 << 3 << 20 << QRect(720, 57, 35, 18);
    QTest::newRow("column 21, just beyond the viewport") << 1 << 3 << 21 << QRect(756, 57, 35, 18);
    QTest::newRow("scrolled: corner") << 3 << 0 << 0 << QRect(0, 0, 35, 18);
    QTest::newRow("scrolled: row heading") << 3 << 5 << 0 << QRect(0, 95, 35, 18);
    QTest::newRow("scrolled: heading of column 3") << 3 << 0 << 3 << QRect(36, 0, 35, 18);
    QTest::newRow("scrolled: column 3") << 3 << 5 << 3 << QRect(36, 95, 35, 18);
    QTest::newRow("scrolled: column 22") << 3 << 5 << 22 << QRect(720, 95, 35, 18);
    QTest::newRow("scrolled: column 2 is hidden") << 3 << 5 << 2 << QRect();
    QTest::newRow("scrolled: heading of column 1 is hidden") << 3 << 0 << 1 << QRect();
    QTest::newRow("row 23") << 1 << 23 << 1 << QRect();
    QTest::newRow("column -1") << 1 << 1 << -1 << QRect();
}

void TestKinshipGrid::cellRects()
{
    QFETCH(int, leftColumn);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QRect, rect);

    Harness h;
    h.grid->horizontalScrollBar()->setValue(leftColumn - 1);
    QCOMPARE(h.grid->leftColumn(), leftColumn);
    QCOMPARE(h.grid->cellRect(row, column), rect);
}

void TestKinshipGrid::cellAt_data()
{
    QTest::addColumn<int>("leftColumn");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<GridCell>("cell");

    const GridCell none { -1, -1 };
    QTest::newRow("corner") << 1 << QPoint(0, 0) << GridCell { 0, 0 };
    QTest::newRow("column heading") << 1 << QPoint(40, 5) << GridCell { 0, 1 };
    QTest::newRow("row heading") << 1 << QPoint(5, 40) << GridCell { 2, 0 };
    QTest::newRow("first cell, top-left pixel") << 1 << QPoint(36, 19) << GridCell { 1, 1 };
    QTest::newRow("first cell, its right grid line") << 1 << QPoint(71, 19) << GridCell { 1, 1 };
    QTest::newRow("first cell, its bottom grid line") << 1 << QPoint(36, 37) << GridCell { 1, 1 };
    QTest::newRow("second row") << 1 << QPoint(36, 38) << GridCell { 2, 1 };
    QTest::newRow("second column") << 1 << QPoint(72, 19) << GridCell { 1, 2 };
    QTest::newRow("row 22") << 1 << QPoint(50, 430) << GridCell { 22, 1 };
    QTest::newRow("below row 22") << 1 << QPoint(50, 437) << none;
    QTest::newRow("column 20's grid line, the viewport's last pixel")
        << 1 << QPoint(755, 100) << GridCell { 5, 20 };
    QTest::newRow("right of the viewport") << 1 << QPoint(756, 100) << none;
    QTest::newRow("left of the viewport") << 1 << QPoint(-1, 100) << none;
    QTest::newRow("above the viewport") << 1 << QPoint(100, -1) << none;
    QTest::newRow("scrolled: column 3 next to the headings")
        << 3 << QPoint(40, 100) << GridCell { 5, 3 };
    QTest::newRow("scrolled: column 22") << 3 << QPoint(750, 100) << GridCell { 5, 22 };
    QTest::newRow("scrolled: beyond column 22") << 3 << QPoint(756, 100) << none;
    QTest::newRow("scrolled: row heading") << 3 << QPoint(20, 100) << GridCell { 5, 0 };
    QTest::newRow("scrolled: heading of column 4") << 3 << QPoint(80, 10) << GridCell { 0, 4 };
}

void TestKinshipGrid::cellAt()
{
    QFETCH(int, leftColumn);
    QFETCH(QPoint, pos);
    QFETCH(GridCell, cell);

    Harness h;
    h.grid->horizontalScrollBar()->setValue(leftColumn - 1);
    QCOMPARE(h.grid->cellAt(pos), cell);
}

void TestKinshipGrid::headingsStayWhenScrolled()
{
    Harness h(makeTable({ { 5, 3, false, "дядя" }, { 7, 22, false, "зять" } }));
    h.after->setFocus();
    const QImage before = h.shot();
    const QImage headingColumn = before.copy(0, 0, 36, h.viewport()->height());
    const QImage heading3 = h.cell(before, 0, 3);
    const QImage cell53 = h.cell(before, 5, 3);

    h.grid->horizontalScrollBar()->setValue(2);
    const QImage after = h.shot();
    // The row headings do not move; the column headings and cells move together.
    QCOMPARE(after.copy(0, 0, 36, h.viewport()->height()), headingColumn);
    QCOMPARE(h.grid->cellRect(0, 3).topLeft(), QPoint(36, 0));
    QCOMPARE(h.cell(after, 0, 3), heading3);
    QCOMPARE(h.cell(after, 5, 3), cell53);
    QVERIFY(darkPixels(h.cell(after, 7, 22)) > 0);
}

void TestKinshipGrid::headingsAndGridLines()
{
    Harness h;
    h.after->setFocus();
    const QImage img = h.shot();
    const QPalette pal = h.grid->palette();
    const QRgb black = qRgb(0, 0, 0);
    const QRgb silver = qRgb(0xC0, 0xC0, 0xC0);

    // Heading cells: button face with a raised edge.
    for (const auto &[row, column] :
        { std::pair { 0, 0 }, { 0, 1 }, { 0, 20 }, { 1, 0 }, { 22, 0 } }) {
        const QRect r = h.grid->cellRect(row, column);
        QCOMPARE(colourAt(img, r.right() - 3, r.bottom() - 3), pal.color(QPalette::Button).rgb());
        QCOMPARE(colourAt(img, r.left() + 10, r.top()), pal.color(QPalette::Light).rgb());
        QCOMPARE(colourAt(img, r.left(), r.top() + 10), pal.color(QPalette::Light).rgb());
        QCOMPARE(colourAt(img, r.left() + 10, r.bottom()), pal.color(QPalette::Dark).rgb());
        QCOMPARE(colourAt(img, r.right(), r.top() + 10), pal.color(QPalette::Dark).rgb());
    }
    // The corner is empty, the headings hold the numbers.
    QCOMPARE(darkPixels(h.cell(img, 0, 0)), 0);
    QVERIFY(darkPixels(h.cell(img, 0, 1)) > 0);
    QVERIFY(darkPixels(h.cell(img, 22, 0)) > 0);
    QVERIFY(h.cell(img, 0, 1) != h.cell(img, 0, 2));
    QCOMPARE(h.cell(img, 0, 7), h.cell(img, 7, 0));

    // Black lines among the headings.
    QCOMPARE(colourAt(img, 35, 5), black); // right of the corner
    QCOMPARE(colourAt(img, 10, 18), black); // below the corner
    QCOMPARE(colourAt(img, 71, 5), black); // between the headings of columns 1 and 2
    QCOMPARE(colourAt(img, 50, 18), black); // below the heading of column 1
    QCOMPARE(colourAt(img, 35, 30), black); // right of the heading of row 1
    QCOMPARE(colourAt(img, 10, 37), black); // between the headings of rows 1 and 2
    QCOMPARE(colourAt(img, 10, 436), black); // below the heading of row 22
    // Silver lines among the other cells.
    QCOMPARE(colourAt(img, 71, 30), silver); // between (1,1) and (1,2)
    QCOMPARE(colourAt(img, 50, 37), silver); // between (1,1) and (2,1)
    QCOMPARE(colourAt(img, 71, 37), silver); // where four cells meet
    QCOMPARE(colourAt(img, 400, 436), silver); // below row 22
    // Other cells have the window background.
    QCOMPARE(colourAt(img, 100, 100), pal.color(QPalette::Base).rgb());
}

void TestKinshipGrid::selectedBlockColours()
{
    Harness h(makeTable({ { 3, 3, false, "дядя" }, { 8, 8, false, "дядя" } }));
    h.selectBlock({ 2, 2 }, { 4, 5 });
    h.after->setFocus();
    QVERIFY(!h.grid->hasFocus());
    const QImage img = h.shot();
    const QRgb highlight = h.grid->palette().color(QPalette::Active, QPalette::Highlight).rgb();

    for (int row = 2; row <= 4; ++row) {
        for (int column = 2; column <= 5; ++column) {
            const QRect r = h.grid->cellRect(row, column);
            QCOMPARE(colourAt(img, r.right() - 1, r.bottom() - 1), highlight);
            QCOMPARE(colourAt(img, r.left(), r.top()), highlight);
        }
    }
    // Without the focus the current cell is coloured like the rest.
    QCOMPARE(
        colourAt(img, h.grid->cellRect(2, 2).left() + 1, h.grid->cellRect(2, 2).top()), highlight);
    QCOMPARE(
        colourAt(img, h.grid->cellRect(1, 2).center().x(), h.grid->cellRect(1, 2).center().y()),
        h.grid->palette().color(QPalette::Base).rgb());
    QCOMPARE(
        colourAt(img, h.grid->cellRect(2, 6).center().x(), h.grid->cellRect(2, 6).center().y()),
        h.grid->palette().color(QPalette::Base).rgb());

    // White text on the selection; the same term elsewhere is dark.
    const QImage selected = h.cell(img, 3, 3);
    int light = 0;
    for (int y = 0; y < selected.height(); ++y)
        for (int x = 0; x < selected.width(); ++x)
            light += qGray(selected.pixel(x, y)) > 220;
    QVERIFY(light > 5);
    QCOMPARE(darkPixels(selected), 0);
    QVERIFY(darkPixels(h.cell(img, 8, 8)) > 5);
}

void TestKinshipGrid::focusCell()
{
    Harness h(makeTable({ { 2, 2, false, "дядя" } }));
    h.selectBlock({ 2, 2 }, { 4, 5 });
    QVERIFY(h.grid->hasFocus());
    const QPalette pal = h.grid->palette();
    const QRgb highlight = pal.color(QPalette::Active, QPalette::Highlight).rgb();

    const QRgb text = pal.color(QPalette::Text).rgb();
    const QRgb base = pal.color(QPalette::Base).rgb();
    // The dots lie on a checkerboard laid from the cell's top-left pixel.
    const auto dotAt = [](int dx, int dy) { return (dx + dy) % 2 == 0; };

    QImage img = h.shot();
    const QRect r = h.grid->cellRect(2, 2);
    // The current cell keeps its normal colours inside a dotted rectangle.
    QCOMPARE(colourAt(img, r.right() - 1, r.bottom() - 1), pal.color(QPalette::Base).rgb());
    QVERIFY(darkPixels(h.cell(img, 2, 2)) > 5);
    for (int x = r.left(); x <= r.right(); ++x) {
        for (const int y : { r.top(), r.bottom() }) {
            const QRgb expected = dotAt(x - r.left(), y - r.top()) ? text : base;
            QCOMPARE(colourAt(img, x, y), expected);
        }
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        for (const int x : { r.left(), r.right() }) {
            const QRgb expected = dotAt(x - r.left(), y - r.top()) ? text : base;
            QCOMPARE(colourAt(img, x, y), expected);
        }
    }
    // The rest of the block stays filled.
    QCOMPARE(
        colourAt(img, h.grid->cellRect(3, 3).center().x(), h.grid->cellRect(3, 3).center().y()),
        highlight);
    QCOMPARE(colourAt(img, h.grid->cellRect(4, 5).left(), h.grid->cellRect(4, 5).top()), highlight);

    // Losing the focus to another control of the window takes it away.
    h.after->setFocus();
    img = h.shot();
    QCOMPARE(colourAt(img, r.right() - 1, r.bottom() - 1), highlight);
    QCOMPARE(colourAt(img, r.left(), r.top()), highlight);
    QCOMPARE(darkPixels(h.cell(img, 2, 2)), 0);

    // Moving the current cell moves the rectangle.
    h.grid->setFocus();
    QTest::keyClick(h.grid, Qt::Key_Right, Qt::ShiftModifier);
    img = h.shot();
    const QRect moved = h.grid->cellRect(2, 3);
    QCOMPARE(colourAt(img, moved.left(), moved.top()), pal.color(QPalette::Text).rgb());
    QCOMPARE(colourAt(img, moved.left() + 1, moved.top()), pal.color(QPalette::Base).rgb());
    QCOMPARE(
        colourAt(img, r.left(), r.top()), pal.color(QPalette::Base).rgb()); // (2,2) left the block
}

void TestKinshipGrid::focusCellStaysWhileAnotherWindowIsActive()
{
    Harness h;
    h.selectBlock({ 2, 2 }, { 3, 3 });
    QVERIFY(h.grid->hasFocus());
    const QRect r = h.grid->cellRect(2, 2);
    const QRgb text = h.grid->palette().color(QPalette::Text).rgb();
    QCOMPARE(colourAt(h.shot(), r.left(), r.top()), text);

    QWidget other;
    other.resize(100, 100);
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    QVERIFY(!h.window.isActiveWindow());
    QCOMPARE(h.window.focusWidget(), h.grid);
    const QImage img = h.shot();
    QCOMPARE(colourAt(img, r.left(), r.top()), text);
    QCOMPARE(colourAt(img, r.right() - 1, r.bottom() - 1),
        h.grid->palette().color(QPalette::Base).rgb());
}

void TestKinshipGrid::affinityCellsAreItalic()
{
    Harness h(makeTable({ { 1, 2, true, "свёкр" }, { 1, 3, false, "свёкр" },
        { 1, 4, false, "свёкр" }, { 1, 5, true, "свёкр" }, { 17, 17, true, "" } }));
    h.after->setFocus();
    QImage img = h.shot();
    QCOMPARE(h.cell(img, 1, 3), h.cell(img, 1, 4));
    QCOMPARE(h.cell(img, 1, 2), h.cell(img, 1, 5));
    QVERIFY(h.cell(img, 1, 2) != h.cell(img, 1, 3));

    // The empty affinity cell shows its face once it holds a term.
    h.table.PasteText({ 17, 17, 17, 17 }, u"свёкр");
    h.grid->refresh();
    img = h.shot();
    QCOMPARE(h.cell(img, 17, 17), h.cell(img, 1, 2));
}

void TestKinshipGrid::textPlacement()
{
    Harness h(makeTable(
        { { 2, 2, false, "ЖЖЖЖЖЖЖЖЖЖЖЖ" }, { 2, 3, true, "ЖЖЖЖЖЖЖЖЖЖЖЖ" }, { 2, 4, false, "Ж" } }));
    h.after->setFocus();
    const QImage img = h.shot();
    for (int column = 2; column <= 4; ++column) {
        const QImage cell = h.cell(img, 2, column);
        QCOMPARE(cell.size(), QSize(35, 18));
        // Nothing within 2 px of the left, top and right edges, nor below the
        // text's line.
        QCOMPARE(darkPixels(cell, 0, 1), 0);
        QCOMPARE(darkPixels(cell, 33, 34), 0);
        QCOMPARE(darkPixels(cell, 0, 34, 0, 1), 0);
        QCOMPARE(darkPixels(cell, 0, 34, 16, 17), 0);
        // The text starts just inside the margin.
        QVERIFY(darkPixels(cell, 2, 4) > 0);
    }
    // A long term runs up to the clipping edge: cut off, not elided.
    QVERIFY(darkPixels(h.cell(img, 2, 2), 30, 32) > 0);
    QVERIFY(darkPixels(h.cell(img, 2, 3), 30, 32) > 0);
    QVERIFY(lastDarkColumn(h.cell(img, 2, 4)) < 15);
}

void TestKinshipGrid::ampersandsAndLineBreaksAreShownAsText()
{
    Harness h;
    h.table.PasteText({ 2, 1, 2, 6 }, u"&\t&&\ta\u2028b\ta b\ta\u0085b");
    h.grid->refresh();
    h.after->setFocus();
    const QImage img = h.shot();
    const int one = lastDarkColumn(h.cell(img, 2, 1));
    const int two = lastDarkColumn(h.cell(img, 2, 2));
    QVERIFY(one > 2);
    QVERIFY2(two > one + 3, "two ampersands are wider than one");
    // Line and paragraph separators do not break the cell's one line.
    QCOMPARE(h.cell(img, 2, 3), h.cell(img, 2, 4));
    QCOMPARE(h.cell(img, 2, 5), h.cell(img, 2, 4));
}

void TestKinshipGrid::hugeTermsPaintQuickly()
{
    Harness h;
    const QString start = QStringLiteral("ABCDEFGHIJ");
    const QString huge = start + QString(20'000'000, u'x');
    const QString longRow = (start + QString(5'000, u'x') + u'\t').repeated(KinshipTable::Size);
    for (int r = 1; r <= KinshipTable::Size; ++r)
        h.table.PasteText({ r, 1, r, KinshipTable::Size }, longRow);
    h.table.PasteText({ 3, 1, 3, 1 }, huge);
    h.table.PasteText({ 3, 2, 3, 2 }, start + QString(40, u'x'));
    h.table.PasteText(
        { 3, 3, 3, 3 }, QString(5'000, u'\u0301') + u'x' + QString(1'000'000, u'\u200b'));
    h.grid->refresh();
    h.after->setFocus();

    QElapsedTimer clock;
    clock.start();
    const QImage img = h.shot();
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    // What shows of a long term is its beginning.
    QCOMPARE(h.cell(img, 3, 1), h.cell(img, 4, 1));
    QCOMPARE(h.cell(img, 3, 2), h.cell(img, 4, 1));
    QVERIFY(darkPixels(h.cell(img, 4, 1)) > 20);
}

void TestKinshipGrid::refreshShowsChangedTerms()
{
    Harness h(makeTable({ { 3, 8, false, "отец" } }));
    h.after->setFocus();
    QVERIFY(darkPixels(h.cell(h.shot(), 3, 8)) > 0);
    h.table.ClearBlock({ 3, 8, 3, 8 });
    h.grid->refresh();
    QCOMPARE(darkPixels(h.cell(h.shot(), 3, 8)), 0);

    // Without a table the grid shows the headings and empty cells.
    h.grid->setTable(nullptr);
    const QImage img = h.shot();
    QVERIFY(darkPixels(h.cell(img, 0, 5)) > 0);
    QCOMPARE(darkPixels(img, 36, 700, 38, 400), 0); // below the selected first cell
}

void TestKinshipGrid::mouse_data()
{
    QTest::addColumn<QStringList>("script");
    QTest::addColumn<GridCell>("current");
    QTest::addColumn<GridCell>("anchor");

    // Script steps: "press R C", "shift-press R C", "move R C" (left button
    // held), "release R C", "press-at X Y" and "release-at X Y" in viewport
    // coordinates.
    QTest::newRow("click") << QStringList { "press 5 7", "release 5 7" } << GridCell { 5, 7 }
                           << GridCell { 5, 7 };
    QTest::newRow("drag (2,2) to (4,5)")
        << QStringList { "press 2 2", "move 3 3", "move 4 5", "release 4 5" } << GridCell { 2, 2 }
        << GridCell { 4, 5 };
    QTest::newRow("drag up and left") << QStringList { "press 6 6", "move 4 3", "release 4 3" }
                                      << GridCell { 6, 6 } << GridCell { 4, 3 };
    QTest::newRow("moves after the release do nothing") << QStringList { "press 6 6", "release 6 6",
        "move 8 8" } << GridCell { 6, 6 } << GridCell { 6, 6 };
    QTest::newRow("shift-press") << QStringList { "press 2 2", "release 2 2", "shift-press 4 6",
        "release 4 6" } << GridCell { 2, 2 }
                                 << GridCell { 4, 6 };
    QTest::newRow("shift-press, then drag")
        << QStringList { "press 2 2", "release 2 2", "shift-press 4 6", "move 5 7", "release 5 7" }
        << GridCell { 2, 2 } << GridCell { 5, 7 };
    QTest::newRow("press on a column heading")
        << QStringList { "press 3 3", "release 3 3", "press 0 5", "move 4 4", "release 4 4" }
        << GridCell { 3, 3 } << GridCell { 3, 3 };
    QTest::newRow("press on a row heading")
        << QStringList { "press 3 3", "release 3 3", "press 6 0", "release 6 0" }
        << GridCell { 3, 3 } << GridCell { 3, 3 };
    QTest::newRow("press on the corner")
        << QStringList { "press 3 3", "release 3 3", "press 0 0", "release 0 0" }
        << GridCell { 3, 3 } << GridCell { 3, 3 };
    QTest::newRow("press below the last row")
        << QStringList { "press 3 3", "release 3 3", "press-at 100 438", "release-at 100 438" }
        << GridCell { 3, 3 } << GridCell { 3, 3 };
    QTest::newRow("press on a grid line takes the cell before it")
        << QStringList { "press-at 71 37", "release-at 71 37" } << GridCell { 1, 1 }
        << GridCell { 1, 1 };
    QTest::newRow("press on the viewport's last pixel") << QStringList { "press-at 755 100",
        "release-at 755 100" } << GridCell { 5, 20 } << GridCell { 5, 20 };
}

void TestKinshipGrid::mouse()
{
    QFETCH(QStringList, script);
    QFETCH(GridCell, current);
    QFETCH(GridCell, anchor);

    Harness h;
    QSignalSpy changes(h.grid, &KinshipGrid::selectionChanged);
    for (const QString &line : script) {
        const QStringList words = line.split(u' ');
        const QString &verb = words.at(0);
        const int a = words.at(1).toInt();
        const int b = words.at(2).toInt();
        if (verb == u"press")
            h.press(a, b);
        else if (verb == u"shift-press")
            h.press(a, b, Qt::ShiftModifier);
        else if (verb == u"move")
            h.drag(h.centre(a, b));
        else if (verb == u"release")
            h.release(h.centre(a, b));
        else if (verb == u"press-at")
            QTest::mousePress(h.viewport(), Qt::LeftButton, {}, QPoint(a, b));
        else if (verb == u"release-at")
            h.release(QPoint(a, b));
        else
            QFAIL(qPrintable(line));
    }
    QCOMPARE(h.grid->selection().current(), current);
    QCOMPARE(h.grid->selection().anchor(), anchor);
    QVERIFY(!h.grid->isAutoScrolling());
    if (current != GridCell { 1, 1 } || anchor != GridCell { 1, 1 })
        QVERIFY(!changes.isEmpty());
    // The cells pressed are in view.
    QVERIFY(!h.grid->cellRect(current.row, current.column).isNull());
    QVERIFY(h.grid->cellRect(current.row, current.column).right() < h.viewport()->width());
}

void TestKinshipGrid::otherButtonsOnlyFocus()
{
    Harness h;
    h.after->setFocus();
    for (const Qt::MouseButton button : { Qt::RightButton, Qt::MiddleButton }) {
        h.after->setFocus();
        QTest::mousePress(h.viewport(), button, {}, h.centre(4, 4));
        h.drag(h.centre(6, 6));
        QTest::mouseRelease(h.viewport(), button, {}, h.centre(6, 6));
        QVERIFY(h.grid->hasFocus());
        QCOMPARE(h.grid->selectedBlock(), (TableBlock { 1, 1, 1, 1 }));
    }
    // A press on a heading focuses too, selecting nothing.
    h.after->setFocus();
    h.press(0, 4);
    h.release(h.centre(0, 4));
    QVERIFY(h.grid->hasFocus());
    QCOMPARE(h.grid->selectedBlock(), (TableBlock { 1, 1, 1, 1 }));
}

void TestKinshipGrid::mouseEventsInAnyOrder()
{
    Harness h;
    // A release and moves without a press.
    h.release(h.centre(5, 5));
    h.drag(h.centre(6, 6));
    h.drag(QPoint(5000, -5000));
    QCOMPARE(h.grid->selectedBlock(), (TableBlock { 1, 1, 1, 1 }));
    QVERIFY(!h.grid->isAutoScrolling());

    // A drag whose release went to another window ends at the timer's next tick.
    h.press(3, 3);
    h.drag(QPoint(5000, 5000));
    QVERIFY(h.grid->isAutoScrolling());
    QWidget other;
    other.resize(50, 50);
    other.show();
    QVERIFY(QTest::qWaitForWindowExposed(&other));
    QTest::mouseRelease(&other, Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_VERIFY(!h.grid->isAutoScrolling());
    const TableBlock afterDrag = h.grid->selectedBlock();
    h.drag(h.centre(10, 10));
    QCOMPARE(h.grid->selectedBlock(), afterDrag);

    // Hiding the grid during a drag ends it.
    h.press(4, 4);
    h.drag(QPoint(-50, -50));
    QVERIFY(h.grid->isAutoScrolling());
    h.grid->hide();
    QVERIFY(!h.grid->isAutoScrolling());
    h.grid->show();
    h.drag(h.centre(9, 9));
    QCOMPARE(h.grid->selection().anchor(), (GridCell { 4, 4 }));
    h.release(h.centre(9, 9));

    // Steps at far-away positions stay within the table.
    for (const QPoint pos :
        { QPoint(-100000, -100000), QPoint(100000, 100000), QPoint(INT_MAX / 2, INT_MIN / 2) })
        for (int i = 0; i < 30; ++i)
            h.grid->autoScrollStep(pos);
    QVERIFY(h.grid->selectedBlock().isValid());
}

void TestKinshipGrid::sidesBeyond_data()
{
    QTest::addColumn<int>("leftColumn");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("sides");

    using S = GridSelection;
    QTest::newRow("inside") << 1 << QPoint(100, 100) << int(S::NoSide);
    QTest::newRow("first cell") << 1 << QPoint(36, 19) << int(S::NoSide);
    QTest::newRow("over the row headings") << 1 << QPoint(35, 100) << int(S::LeftSide);
    QTest::newRow("left of the grid") << 1 << QPoint(-20, 100) << int(S::LeftSide);
    QTest::newRow("over the column headings") << 1 << QPoint(100, 18) << int(S::AboveSide);
    QTest::newRow("above the grid") << 1 << QPoint(100, -20) << int(S::AboveSide);
    QTest::newRow("over the corner") << 1 << QPoint(5, 5) << int(S::LeftSide | S::AboveSide);
    QTest::newRow("column 20's grid line") << 1 << QPoint(755, 100) << int(S::NoSide);
    QTest::newRow("right of the grid") << 1 << QPoint(756, 100) << int(S::RightSide);
    QTest::newRow("row 22") << 1 << QPoint(100, 436) << int(S::NoSide);
    QTest::newRow("below row 22") << 1 << QPoint(100, 437) << int(S::BelowSide);
    QTest::newRow("below the grid") << 1 << QPoint(100, 1000) << int(S::BelowSide);
    QTest::newRow("below and right") << 1 << QPoint(1000, 1000) << int(S::BelowSide | S::RightSide);
    QTest::newRow("above and right") << 1 << QPoint(1000, -1) << int(S::AboveSide | S::RightSide);
    QTest::newRow("scrolled: column 22") << 3 << QPoint(755, 100) << int(S::NoSide);
    QTest::newRow("scrolled: right of column 22") << 3 << QPoint(756, 100) << int(S::RightSide);
    QTest::newRow("scrolled: over the row headings") << 3 << QPoint(0, 100) << int(S::LeftSide);
}

void TestKinshipGrid::sidesBeyond()
{
    QFETCH(int, leftColumn);
    QFETCH(QPoint, pos);
    QFETCH(int, sides);

    Harness h;
    h.grid->horizontalScrollBar()->setValue(leftColumn - 1);
    QCOMPARE(int(h.grid->sidesBeyond(pos)), sides);
}

void TestKinshipGrid::autoScrollSteps()
{
    Harness h;
    h.press(5, 19);
    const QPoint right(800, h.centre(5, 19).y());
    h.drag(right);
    QVERIFY(h.grid->isAutoScrolling());
    QCOMPARE(h.grid->selection().anchor(), (GridCell { 5, 19 }));

    h.grid->autoScrollStep(right);
    QCOMPARE(h.grid->selection().anchor(), (GridCell { 5, 20 }));
    QCOMPARE(h.grid->leftColumn(), 1);
    h.grid->autoScrollStep(right);
    QCOMPARE(h.grid->selection().anchor(), (GridCell { 5, 21 }));
    QCOMPARE(h.grid->leftColumn(), 2); // the anchor is kept in view
    h.grid->autoScrollStep(right);
    h.grid->autoScrollStep(right);
    h.grid->autoScrollStep(right);
    QCOMPARE(h.grid->selection().anchor(), (GridCell { 5, 22 }));
    QCOMPARE(h.grid->leftColumn(), 3);
    QCOMPARE(h.grid->selection().current(), (GridCell { 5, 19 }));
    QCOMPARE(h.grid->selectedBlock(), (TableBlock { 5, 19, 5, 22 }));

    // Over the corner: up and to the left at once, scrolling back.
    const QPoint corner(10, 10);
    h.drag(corner);
    QVERIFY(h.grid->isAutoScrolling());
    for (int i = 0; i < 21; ++i)
        h.grid->autoScrollStep(corner);
    QCOMPARE(h.grid->selection().anchor(), (GridCell { 1, 1 }));
    QCOMPARE(h.grid->leftColumn(), 1);
    QCOMPARE(h.grid->selectedBlock(), (TableBlock { 1, 1, 5, 19 }));

    // Back over the cells the mouse takes the anchor again and the timer stops.
    h.drag(h.centre(7, 7));
    QVERIFY(!h.grid->isAutoScrolling());
    QCOMPARE(h.grid->selection().anchor(), (GridCell { 7, 7 }));
    // A step with the mouse over the cells changes nothing.
    h.grid->autoScrollStep(h.centre(7, 7));
    QCOMPARE(h.grid->selection().anchor(), (GridCell { 7, 7 }));

    h.drag(QPoint(100, 1000));
    QVERIFY(h.grid->isAutoScrolling());
    h.release(QPoint(100, 1000));
    QVERIFY(!h.grid->isAutoScrolling());
}

void TestKinshipGrid::autoScrollByTheTimer()
{
    Harness h;
    h.press(5, 5);
    h.drag(QPoint(h.centre(5, 5).x(), 1000));
    QVERIFY(h.grid->isAutoScrolling());
    QElapsedTimer clock;
    clock.start();
    QTRY_COMPARE_WITH_TIMEOUT(h.grid->selection().anchor(), (GridCell { 22, 5 }), 10000);
    // Seventeen steps of 60 ms.
    QVERIFY2(clock.elapsed() >= 16 * KinshipGrid::AutoScrollInterval,
        qPrintable(QString::number(clock.elapsed())));
    h.release(QPoint(h.centre(5, 5).x(), 1000));
    QVERIFY(!h.grid->isAutoScrolling());
    QCOMPARE(h.grid->selectedBlock(), (TableBlock { 5, 5, 22, 5 }));
}

void TestKinshipGrid::keys_data()
{
    QTest::addColumn<QList<QKeyCombination>>("keys");
    QTest::addColumn<GridCell>("current");
    QTest::addColumn<GridCell>("anchor");
    QTest::addColumn<int>("leftColumn");

    using K = QList<QKeyCombination>;
    const auto shift = Qt::ShiftModifier;
    const auto ctrl = Qt::ControlModifier;
    QTest::newRow("right, down") << K { Qt::Key_Right, Qt::Key_Down } << GridCell { 2, 2 }
                                 << GridCell { 2, 2 } << 1;
    QTest::newRow("shift-right, shift-down") << K { shift | Qt::Key_Right, shift | Qt::Key_Down }
                                             << GridCell { 2, 2 } << GridCell { 1, 1 } << 1;
    QTest::newRow("keypad arrows")
        << K { Qt::KeypadModifier | Qt::Key_Right, Qt::KeypadModifier | Qt::Key_Down }
        << GridCell { 2, 2 } << GridCell { 2, 2 } << 1;
    QTest::newRow("end scrolls to the last column")
        << K { Qt::Key_End } << GridCell { 1, 22 } << GridCell { 1, 22 } << 3;
    QTest::newRow("end, home scrolls back")
        << K { Qt::Key_End, Qt::Key_Home } << GridCell { 1, 1 } << GridCell { 1, 1 } << 1;
    QTest::newRow("shift-end") << K { Qt::Key_Down, shift | Qt::Key_End } << GridCell { 2, 22 }
                               << GridCell { 2, 1 } << 3;
    QTest::newRow("right to column 21 scrolls by one")
        << K(20, Qt::Key_Right) << GridCell { 1, 21 } << GridCell { 1, 21 } << 2;
    QTest::newRow("page down") << K { Qt::Key_PageDown } << GridCell { 22, 1 } << GridCell { 22, 1 }
                               << 1;
    QTest::newRow("page down, page up") << K { Qt::Key_PageDown, Qt::Key_Right, Qt::Key_PageUp }
                                        << GridCell { 1, 2 } << GridCell { 1, 2 } << 1;
    QTest::newRow("shift-page-down")
        << K { shift | Qt::Key_PageDown } << GridCell { 22, 1 } << GridCell { 1, 1 } << 1;
    QTest::newRow("ctrl-page-down pages right")
        << K { ctrl | Qt::Key_PageDown } << GridCell { 1, 21 } << GridCell { 1, 21 } << 2;
    QTest::newRow("ctrl-end, ctrl-home")
        << K { Qt::Key_Right, ctrl | Qt::Key_End } << GridCell { 22, 2 } << GridCell { 22, 2 } << 1;
    QTest::newRow("ctrl-home") << K { Qt::Key_PageDown, Qt::Key_End, ctrl | Qt::Key_Home }
                               << GridCell { 1, 22 } << GridCell { 1, 22 } << 3;
    QTest::newRow("other keys do nothing") << K { Qt::Key_A, Qt::Key_Return, Qt::Key_F2,
        Qt::Key_Space, Qt::Key_Escape, Qt::Key_Backspace }
                                           << GridCell { 1, 1 } << GridCell { 1, 1 } << 1;
    QTest::newRow("clipboard keys do not move") << K { Qt::Key_Right, ctrl | Qt::Key_Insert,
        shift | Qt::Key_Insert, shift | Qt::Key_Delete, Qt::Key_Delete, Qt::Key_Insert }
                                                << GridCell { 1, 2 } << GridCell { 1, 2 } << 1;
}

void TestKinshipGrid::keys()
{
    QFETCH(QList<QKeyCombination>, keys);
    QFETCH(GridCell, current);
    QFETCH(GridCell, anchor);
    QFETCH(int, leftColumn);

    Harness h;
    for (const QKeyCombination key : keys)
        QTest::keyClick(h.grid, key.key(), key.keyboardModifiers());
    QVERIFY(h.grid->hasFocus());
    QCOMPARE(h.grid->selection().current(), current);
    QCOMPARE(h.grid->selection().anchor(), anchor);
    QCOMPARE(h.grid->leftColumn(), leftColumn);
}

void TestKinshipGrid::clipboardKeys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("signal"); // copy, cut, paste or none

    const int shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier, alt = Qt::AltModifier,
              meta = Qt::MetaModifier, keypad = Qt::KeypadModifier;
    QTest::newRow("ctrl+insert") << int(Qt::Key_Insert) << ctrl << "copy";
    QTest::newRow("ctrl+alt+insert") << int(Qt::Key_Insert) << (ctrl | alt) << "copy";
    QTest::newRow("ctrl+insert on the keypad") << int(Qt::Key_Insert) << (ctrl | keypad) << "copy";
    QTest::newRow("shift+insert") << int(Qt::Key_Insert) << shift << "paste";
    QTest::newRow("ctrl+shift+insert") << int(Qt::Key_Insert) << (ctrl | shift) << "paste";
    QTest::newRow("shift+alt+insert") << int(Qt::Key_Insert) << (shift | alt) << "paste";
    QTest::newRow("shift+insert on the keypad")
        << int(Qt::Key_Insert) << (shift | keypad) << "paste";
    QTest::newRow("shift+delete") << int(Qt::Key_Delete) << shift << "cut";
    QTest::newRow("ctrl+shift+delete") << int(Qt::Key_Delete) << (ctrl | shift) << "cut";
    QTest::newRow("alt+shift+delete") << int(Qt::Key_Delete) << (alt | shift) << "cut";
    QTest::newRow("meta+shift+delete") << int(Qt::Key_Delete) << (meta | shift) << "cut";
    QTest::newRow("shift+delete on the keypad") << int(Qt::Key_Delete) << (shift | keypad) << "cut";
    QTest::newRow("insert") << int(Qt::Key_Insert) << 0 << "none";
    QTest::newRow("alt+insert") << int(Qt::Key_Insert) << alt << "none";
    QTest::newRow("delete") << int(Qt::Key_Delete) << 0 << "none";
    QTest::newRow("ctrl+delete") << int(Qt::Key_Delete) << ctrl << "none";
    QTest::newRow("ctrl+c") << int(Qt::Key_C) << ctrl << "none";
    QTest::newRow("ctrl+x") << int(Qt::Key_X) << ctrl << "none";
    QTest::newRow("ctrl+v") << int(Qt::Key_V) << ctrl << "none";
    QTest::newRow("ctrl+shift+v") << int(Qt::Key_V) << (ctrl | shift) << "none";
    QTest::newRow("shift+backspace") << int(Qt::Key_Backspace) << shift << "none";
}

void TestKinshipGrid::clipboardKeys()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, signal);

    Harness h;
    h.selectBlock({ 2, 2 }, { 3, 4 });
    QSignalSpy copy(h.grid, &KinshipGrid::copyRequested);
    QSignalSpy cut(h.grid, &KinshipGrid::cutRequested);
    QSignalSpy paste(h.grid, &KinshipGrid::pasteRequested);
    QTest::keyClick(h.grid, Qt::Key(key), Qt::KeyboardModifiers::fromInt(modifiers));
    QCOMPARE(copy.size(), int(signal == u"copy"));
    QCOMPARE(cut.size(), int(signal == u"cut"));
    QCOMPARE(paste.size(), int(signal == u"paste"));
    QCOMPARE(h.grid->selectedBlock(), (TableBlock { 2, 2, 3, 4 }));

    // Without the focus the grid hears nothing.
    h.after->setFocus();
    QTest::keyClick(h.after, Qt::Key(key), Qt::KeyboardModifiers::fromInt(modifiers));
    QCOMPARE(copy.size() + cut.size() + paste.size(), int(signal != u"none"));
}

void TestKinshipGrid::tabLeavesTheGrid()
{
    Harness h;
    h.selectBlock({ 2, 2 }, { 3, 3 });
    QVERIFY(h.grid->hasFocus());
    QTest::keyClick(h.grid, Qt::Key_Tab);
    QVERIFY(h.after->hasFocus());
    QCOMPARE(h.grid->selectedBlock(), (TableBlock { 2, 2, 3, 3 }));
    QTest::keyClick(h.after, Qt::Key_Backtab, Qt::ShiftModifier);
    QVERIFY(h.grid->hasFocus());
    QCOMPARE(h.grid->selectedBlock(), (TableBlock { 2, 2, 3, 3 }));
}

void TestKinshipGrid::windowShortcutsDoNotTakeTheGridsKeys()
{
    Harness h;
    QAction copyAction(&h.window);
    copyAction.setShortcuts(
        { QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert),
            QKeySequence(Qt::SHIFT | Qt::Key_Insert), QKeySequence(Qt::SHIFT | Qt::Key_Delete) });
    h.window.addAction(&copyAction);
    QSignalSpy triggered(&copyAction, &QAction::triggered);
    QSignalSpy copy(h.grid, &KinshipGrid::copyRequested);
    QSignalSpy cut(h.grid, &KinshipGrid::cutRequested);
    QSignalSpy paste(h.grid, &KinshipGrid::pasteRequested);

    QTest::keyClick(h.grid, Qt::Key_C, Qt::ControlModifier);
    QTest::keyClick(h.grid, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(h.grid, Qt::Key_Insert, Qt::ShiftModifier);
    QTest::keyClick(h.grid, Qt::Key_Delete, Qt::ShiftModifier);
    QCOMPARE(triggered.size(), 0);
    QCOMPARE(copy.size(), 1);
    QCOMPARE(paste.size(), 1);
    QCOMPARE(cut.size(), 1);

    // Elsewhere in the window the shortcuts work as before.
    QPushButton button(&h.window);
    button.show();
    button.setFocus();
    QTest::keyClick(&button, Qt::Key_Insert, Qt::ControlModifier);
    QTest::keyClick(&button, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(triggered.size(), 2);
}

void TestKinshipGrid::accessibility()
{
    Harness h(
        makeTable({ { 1, 2, true, "муж" }, { 2, 1, true, "жена" }, { 3, 8, false, "отец" } }));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(h.grid);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::Table);
    QAccessibleTableInterface *table = iface->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 22);
    QCOMPARE(table->columnCount(), 22);
    QCOMPARE(table->rowDescription(0), QStringLiteral("1"));
    QCOMPARE(table->columnDescription(21), QStringLiteral("22"));
    QCOMPARE(iface->childCount(), 22 * 22);

    QAccessibleInterface *cell = table->cellAt(0, 1);
    QVERIFY(cell);
    QCOMPARE(cell->role(), QAccessible::Cell);
    QCOMPARE(cell->text(QAccessible::Name), QStringLiteral("муж"));
    QCOMPARE(table->cellAt(2, 7)->text(QAccessible::Name), QStringLiteral("отец"));
    QCOMPARE(table->cellAt(0, 0)->text(QAccessible::Name), QString());
    QCOMPARE(cell->parent(), iface);
    QCOMPARE(iface->indexOfChild(cell), 1);
    QCOMPARE(iface->child(22), table->cellAt(1, 0));
    QCOMPARE(table->cellAt(0, 1), cell); // the same interface every time
    QVERIFY(!table->cellAt(22, 0));
    QVERIFY(!table->cellAt(-1, 3));
    QVERIFY(!iface->child(22 * 22));
    QCOMPARE(cell->tableCellInterface()->rowIndex(), 0);
    QCOMPARE(cell->tableCellInterface()->columnIndex(), 1);

    // Geometry, selection and focus.
    QCOMPARE(cell->rect(),
        QRect(h.viewport()->mapToGlobal(h.grid->cellRect(1, 2).topLeft()), QSize(35, 18)));
    QCOMPARE(iface->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
    h.selectBlock({ 1, 2 }, { 3, 4 });
    QCOMPARE(table->selectedCellCount(), 9);
    QVERIFY(cell->state().selected);
    QVERIFY(cell->state().focused);
    QCOMPARE(iface->focusChild(), cell);
    QVERIFY(!table->cellAt(0, 0)->state().selected);
    QCOMPARE(table->selectedRowCount(), 0);
    h.press(1, 1);
    h.release(h.centre(1, 1));
    QTest::keyClick(h.grid, Qt::Key_End, Qt::ShiftModifier);
    QTest::keyClick(h.grid, Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(h.grid, Qt::Key_Down, Qt::ShiftModifier);
    QCOMPARE(table->selectedRows(), (QList<int> { 0, 1, 2 }));
    QCOMPARE(table->selectedRowCount(), 3);
    QCOMPARE(table->selectedColumnCount(), 0);
    QVERIFY(table->isRowSelected(2));
    QVERIFY(!table->isRowSelected(3));

    // Changed terms show at once.
    h.table.ClearBlock({ 1, 2, 1, 2 });
    QCOMPARE(cell->text(QAccessible::Name), QString());

    // Cells of a destroyed grid turn invalid instead of dangling.
    delete h.grid;
    QVERIFY(!QAccessible::queryAccessibleInterface(nullptr));
}

QTEST_MAIN(TestKinshipGrid)
#include "tst_kinshipgrid.moc"
