#include "fontsubstitutes.h"
#include "kinshipgrid.h"
#include "kinshipgridpage.h"
#include "kinshiptable.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <memory>

Q_DECLARE_METATYPE(TableBlock)

namespace {

using CellTerms = QList<QPair<QPoint, QString>>; // ((row, column), term)

QString termsOf(const KinshipTable &table)
{
    QString s;
    for (int r = 1; r <= KinshipTable::Size; ++r)
        for (int c = 1; c <= KinshipTable::Size; ++c)
            s += QStringLiteral("%1,%2:%3\n").arg(r).arg(c).arg(table.term(r, c));
    return s;
}

QString flagsOf(const KinshipTable &table)
{
    QString s;
    for (int r = 1; r <= KinshipTable::Size; ++r)
        for (int c = 1; c <= KinshipTable::Size; ++c)
            s += table.IsAffinity(r, c) ? u'1' : u'0';
    return s;
}

struct Harness {
    KinshipTable table = KinshipTable::initial();
    KinshipGridPage page;
    KinshipGrid *grid = nullptr;

    explicit Harness(bool withTable = true)
    {
        if (withTable)
            page.setTable(&table);
        page.resize(775, 480);
        page.show();
        if (!QTest::qWaitForWindowActive(&page))
            qWarning("the page did not become active");
        grid = page.findChild<KinshipGrid *>(QStringLiteral("RodGrid"));
        if (grid)
            grid->setFocus();
    }

    QPoint centre(int row, int column) const { return grid->cellRect(row, column).center(); }

    void click(int row, int column)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, centre(row, column));
    }
    // Selects a block with the mouse on its first cell and Shift+arrows.
    void select(const TableBlock &block)
    {
        grid->ensureCellVisible({ block.r1, block.c1 });
        click(block.r1, block.c1);
        for (int c = block.c1; c < block.c2; ++c)
            QTest::keyClick(grid, Qt::Key_Right, Qt::ShiftModifier);
        for (int r = block.r1; r < block.r2; ++r)
            QTest::keyClick(grid, Qt::Key_Down, Qt::ShiftModifier);
        QCOMPARE(grid->selectedBlock(), block);
    }
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers)
    {
        QTest::keyClick(grid, key, modifiers);
    }
    void copy() { key(Qt::Key_Insert, Qt::ControlModifier); }
    void cut() { key(Qt::Key_Delete, Qt::ShiftModifier); }
    void paste() { key(Qt::Key_Insert, Qt::ShiftModifier); }

    QImage cellImage(int row, int column) const
    {
        const QImage shot
            = grid->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
        return shot.copy(grid->cellRect(row, column));
    }
};

QString clipboardText()
{
    return QGuiApplication::clipboard()->text();
}

} // namespace

class TestKinshipGridPage : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void rodGridStaysAtTheTopLeft_data();
    void rodGridStaysAtTheTopLeft();

    void copy_data();
    void copy();
    void copyReplacesTheClipboard();
    void cutThenPasteRestores_data();
    void cutThenPasteRestores();
    void clipboardKeyVariants();
    void italicsSurviveCutAndPaste();
    void pasteIntoTheEmptyAffinityCellIsItalic();
    void otherClipboardKeysDoNothing();

    void badClipboardContent_data();
    void badClipboardContent();
    void withoutATableNothingHappens();
};

void TestKinshipGridPage::initTestCase()
{
    installFontSubstitutes();
}

void TestKinshipGridPage::rodGridStaysAtTheTopLeft_data()
{
    QTest::addColumn<QSize>("pageSize");
    QTest::newRow("the stored size") << QSize(767, 475);
    QTest::newRow("larger") << QSize(1600, 1000);
    QTest::newRow("smaller") << QSize(300, 200);
}

void TestKinshipGridPage::rodGridStaysAtTheTopLeft()
{
    QFETCH(QSize, pageSize);
    Harness h;
    QVERIFY(h.grid);
    QCOMPARE(h.page.grid(), h.grid);
    h.page.resize(pageSize);
    QCoreApplication::processEvents();
    QCOMPARE(h.grid->geometry(), QRect(0, 0, 760, 458));
    QCOMPARE(h.grid->minimumSize(), QSize(760, 458));
    QCOMPARE(h.grid->maximumSize(), QSize(760, 458));
}

void TestKinshipGridPage::copy_data()
{
    QTest::addColumn<TableBlock>("block");
    QTest::addColumn<QString>("text");

    QTest::newRow("the start selection") << TableBlock { 1, 1, 1, 1 } << QStringLiteral("\t\r\n");
    QTest::newRow("(1,2)") << TableBlock { 1, 2, 1, 2 } << QStringLiteral("муж\t\r\n");
    QTest::newRow("(20,18)") << TableBlock { 20, 18, 20, 18 }
                             << QStringLiteral("невестка (сношенница)\t\r\n");
    QTest::newRow("rows 1-2, columns 1-3")
        << TableBlock { 1, 1, 2, 3 } << QStringLiteral("\tмуж\tотец\t\r\nжена\t\tмать\t\r\n");
    QTest::newRow("row 10, columns 14-16") << TableBlock { 10, 14, 10,
        16 } << QStringLiteral("двоюродный дядя \tдядя\tдвоюродный дядя \t\r\n");
    QTest::newRow("column 1, rows 12-13")
        << TableBlock { 12, 1, 13, 1 } << QStringLiteral("внук\t\r\n\t\r\n");
}

void TestKinshipGridPage::copy()
{
    QFETCH(TableBlock, block);
    QFETCH(QString, text);

    Harness h;
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    QSignalSpy changed(&h.page, &KinshipGridPage::tableChanged);
    const QString terms = termsOf(h.table);
    if (block != TableBlock { 1, 1, 1, 1 })
        h.select(block);
    h.copy();
    QCOMPARE(clipboardText(), text);
    QCOMPARE(termsOf(h.table), terms);
    QCOMPARE(changed.size(), 0);
}

void TestKinshipGridPage::copyReplacesTheClipboard()
{
    Harness h;
    auto *data = new QMimeData;
    data->setImageData(QImage(4, 4, QImage::Format_RGB32));
    data->setHtml(QStringLiteral("<b>x</b>"));
    QGuiApplication::clipboard()->setMimeData(data);
    h.click(1, 2);
    h.copy();
    const QMimeData *now = QGuiApplication::clipboard()->mimeData();
    QVERIFY(now);
    QCOMPARE(now->text(), QStringLiteral("муж\t\r\n"));
    QVERIFY(!now->hasImage());
    QVERIFY(!now->hasHtml());
}

void TestKinshipGridPage::cutThenPasteRestores_data()
{
    QTest::addColumn<TableBlock>("block");
    QTest::newRow("(3,8)") << TableBlock { 3, 8, 3, 8 };
    QTest::newRow("(1,2), an affinity term") << TableBlock { 1, 2, 1, 2 };
    QTest::newRow("(17,17), the empty affinity cell") << TableBlock { 17, 17, 17, 17 };
    QTest::newRow("rows 5-9, columns 3-17") << TableBlock { 5, 3, 9, 17 };
    QTest::newRow("rows 18-22, columns 17-22") << TableBlock { 18, 17, 22, 22 };
    QTest::newRow("the whole table") << TableBlock { 1, 1, 22, 22 };
}

void TestKinshipGridPage::cutThenPasteRestores()
{
    QFETCH(TableBlock, block);

    Harness h;
    const KinshipTable original = h.table;
    const QString terms = termsOf(original);
    const QString flags = flagsOf(original);
    QSignalSpy changed(&h.page, &KinshipGridPage::tableChanged);

    h.select(block);
    h.cut();
    QCOMPARE(clipboardText(), original.BlockText(block));
    QCOMPARE(changed.size(), 1);
    for (int r = 1; r <= KinshipTable::Size; ++r) {
        for (int c = 1; c <= KinshipTable::Size; ++c) {
            const QString expected = block.contains(r, c) ? QString() : original.term(r, c);
            QCOMPARE(h.table.term(r, c), expected);
        }
    }
    QCOMPARE(flagsOf(h.table), flags);
    // The grid shows the emptied cells.
    h.grid->ensureCellVisible({ block.r1, block.c1 });
    h.grid->clearFocus();
    const QImage emptied = h.cellImage(block.r1, block.c1);
    for (int y = 0; y < emptied.height(); ++y)
        for (int x = 0; x < emptied.width(); ++x)
            QCOMPARE(emptied.pixel(x, y), emptied.pixel(0, 0));
    h.grid->setFocus();

    h.paste();
    QCOMPARE(changed.size(), 2);
    QCOMPARE(termsOf(h.table), terms);
    QCOMPARE(flagsOf(h.table), flags);
    QCOMPARE(h.grid->selectedBlock(), block);
}

void TestKinshipGridPage::clipboardKeyVariants()
{
    Harness h;
    const KinshipTable original = h.table;
    h.click(3, 8);
    // Delete with Shift and any other modifier cuts.
    h.key(Qt::Key_Delete, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(clipboardText(), QStringLiteral("отец\t\r\n"));
    QCOMPARE(h.table.term(3, 8), QString());
    // Ctrl+Shift+Insert pastes.
    h.key(Qt::Key_Insert, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(h.table.term(3, 8), QStringLiteral("отец"));
    // Delete alone and Ctrl+Delete leave the cell.
    h.key(Qt::Key_Delete, Qt::NoModifier);
    h.key(Qt::Key_Delete, Qt::ControlModifier);
    QCOMPARE(h.table.term(3, 8), QStringLiteral("отец"));
    QCOMPARE(termsOf(h.table), termsOf(original));
}

void TestKinshipGridPage::italicsSurviveCutAndPaste()
{
    Harness h;
    h.click(10, 10);
    const QImage before = h.cellImage(1, 2);

    h.click(1, 2);
    h.cut();
    QCOMPARE(h.table.term(1, 2), QString());
    h.paste();
    QCOMPARE(h.table.term(1, 2), QStringLiteral("муж"));
    QVERIFY(h.table.IsAffinity(1, 2));
    h.click(10, 10);
    QCOMPARE(h.cellImage(1, 2), before);
}

void TestKinshipGridPage::pasteIntoTheEmptyAffinityCellIsItalic()
{
    Harness h;
    QGuiApplication::clipboard()->setText(QStringLiteral("муж"));
    h.click(17, 17);
    h.paste();
    QCOMPARE(h.table.term(17, 17), QStringLiteral("муж"));
    QVERIFY(h.table.IsAffinity(17, 17));
    // A regular empty cell with the same text, for comparison.
    h.click(5, 5);
    h.paste();
    h.click(10, 10);
    const QImage pasted = h.cellImage(17, 17);
    QCOMPARE(pasted, h.cellImage(1, 2)); // the same term in an affinity cell
    QVERIFY(pasted != h.cellImage(5, 5));
}

void TestKinshipGridPage::otherClipboardKeysDoNothing()
{
    Harness h;
    const QString terms = termsOf(h.table);
    QSignalSpy changed(&h.page, &KinshipGridPage::tableChanged);
    QGuiApplication::clipboard()->setText(QStringLiteral("x\ty\r\nz\tw\r\n"));
    h.select({ 1, 2, 2, 3 });
    for (const Qt::Key key : { Qt::Key_C, Qt::Key_X, Qt::Key_V })
        h.key(key, Qt::ControlModifier);
    h.key(Qt::Key_Insert, Qt::NoModifier);
    h.key(Qt::Key_Insert, Qt::AltModifier);
    QCOMPARE(clipboardText(), QStringLiteral("x\ty\r\nz\tw\r\n"));
    QCOMPARE(termsOf(h.table), terms);
    QCOMPARE(changed.size(), 0);
}

void TestKinshipGridPage::badClipboardContent_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<CellTerms>("expected"); // cells of the block that change
    QTest::addColumn<bool>("changes"); // whether the page reports a change

    // The block is rows 3-5, columns 4-9.
    QTest::newRow("tens of MB in one line")
        << "one huge line"
        << CellTerms { { { 3, 4 }, "a" }, { { 3, 5 }, "b" }, { { 3, 9 }, "f" },
               { { 4, 4 }, "next" }, { { 4, 5 }, "old" }, { { 5, 4 }, "old" }, { { 5, 9 }, "old" } }
        << true;
    QTest::newRow("tens of MB of lines")
        << "many lines"
        << CellTerms { { { 3, 4 }, "x" }, { { 3, 5 }, "y" }, { { 4, 4 }, "x" }, { { 5, 5 }, "y" } }
        << true;
    QTest::newRow("one field of tens of MB") << "huge field" << CellTerms {} << true;
    QTest::newRow("binary bytes as plain text") << "binary" << CellTerms {} << true;
    QTest::newRow("NULs") << "nuls" << CellTerms { { { 3, 4 }, "a" }, { { 3, 5 }, "b" } } << true;
    QTest::newRow("lone CRs") << "lone CRs"
                              << CellTerms { { { 3, 4 }, "a" }, { { 4, 4 }, "b" },
                                     { { 5, 4 }, "c" } }
                              << true;
    QTest::newRow("mixed line ends")
        << "mixed"
        << CellTerms { { { 3, 4 }, "a" }, { { 4, 4 }, "old" }, { { 5, 4 }, "b" }, { { 5, 5 }, "" },
               { { 5, 6 }, "old" } }
        << true;
    QTest::newRow("an image only") << "image" << CellTerms {} << false;
    QTest::newRow("no data at all") << "empty mime data" << CellTerms {} << false;
    QTest::newRow("only other formats") << "octets" << CellTerms {} << false;
}

void TestKinshipGridPage::badClipboardContent()
{
    QFETCH(QString, kind);
    QFETCH(CellTerms, expected);
    QFETCH(bool, changes);

    Harness h;
    const TableBlock block { 3, 4, 5, 9 };
    h.select(block);
    // Fill the block so that every change shows.
    QGuiApplication::clipboard()->setText(
        QStringLiteral("old\told\told\told\told\told\r\n").repeated(3));
    h.paste();
    const KinshipTable before = h.table;
    QSignalSpy changed(&h.page, &KinshipGridPage::tableChanged);

    auto *data = new QMimeData;
    if (kind == u"one huge line") {
        data->setText(QStringLiteral("a\tb\tc\td\te\tf\tg\t") + QString(30'000'000, u'z')
            + QStringLiteral("\r\nnext"));
    } else if (kind == u"many lines") {
        data->setText(QStringLiteral("x\ty\r\n").repeated(6'000'000));
    } else if (kind == u"huge field") {
        data->setText(QString(30'000'000, u'q'));
    } else if (kind == u"binary") {
        QByteArray bytes(8'000'000, Qt::Uninitialized);
        QRandomGenerator random(1251);
        for (char &b : bytes)
            b = char(random.bounded(256));
        data->setData(QStringLiteral("text/plain"), bytes);
    } else if (kind == u"nuls") {
        data->setText(QString::fromUtf16(u"a\tb\0c\td\r\ne\r\n", 12));
    } else if (kind == u"lone CRs") {
        data->setText(QStringLiteral("a\rb\rc\rd\r"));
    } else if (kind == u"mixed") {
        data->setText(QStringLiteral("a\n\r\nb\t\t"));
    } else if (kind == u"image") {
        data->setImageData(QImage(16, 16, QImage::Format_ARGB32));
    } else if (kind == u"octets") {
        data->setData(QStringLiteral("application/octet-stream"), QByteArray(1000, '\0'));
    }
    QGuiApplication::clipboard()->setMimeData(data);

    QElapsedTimer clock;
    clock.start();
    h.paste();
    QVERIFY2(clock.elapsed() < 3000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(changed.size(), int(changes));

    QCOMPARE(flagsOf(h.table), flagsOf(before));
    for (int r = 1; r <= KinshipTable::Size; ++r)
        for (int c = 1; c <= KinshipTable::Size; ++c)
            if (!block.contains(r, c))
                QCOMPARE(h.table.term(r, c), before.term(r, c));
    for (const auto &[cell, term] : expected)
        QCOMPARE(h.table.term(cell.x(), cell.y()), term);
    if (!changes)
        QCOMPARE(termsOf(h.table), termsOf(before));
    if (kind == u"nuls" || kind == u"lone CRs") {
        // Rows no line reaches keep their terms.
        const int firstKept = kind == u"lone CRs" ? 6 : 4;
        for (int r = firstKept; r <= block.r2; ++r)
            for (int c = block.c1; c <= block.c2; ++c)
                QCOMPARE(h.table.term(r, c), QStringLiteral("old"));
    }
    if (kind == u"huge field")
        QCOMPARE(h.table.term(3, 4).size(), 30'000'000);

    // The grid still paints promptly.
    clock.restart();
    h.grid->viewport()->grab();
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
}

void TestKinshipGridPage::withoutATableNothingHappens()
{
    Harness h(false);
    QVERIFY(h.grid);
    QGuiApplication::clipboard()->setText(QStringLiteral("kept"));
    QSignalSpy changed(&h.page, &KinshipGridPage::tableChanged);
    h.copy();
    h.cut();
    h.paste();
    QCOMPARE(clipboardText(), QStringLiteral("kept"));
    QCOMPARE(changed.size(), 0);
}

QTEST_MAIN(TestKinshipGridPage)
#include "tst_kinshipgridpage.moc"
