// The kinship grid: a full repaint of KinshipGrid against the toolkit's own
// table widget showing the same cells; a copy (BlockText) of the whole 22x22
// block and its paste back (PasteText) against the least work the same text
// needs; and the cost of a paste as the clipboard text grows.
#include "application.h"
#include "figuretable.h"
#include "kinshipgrid.h"
#include "kinshiptable.h"
#include "pairedrounds.h"

#include <QHeaderView>
#include <QTableWidget>
#include <QTest>

#include <array>
#include <cstdio>

namespace {

const TableBlock WholeTable { 1, 1, KinshipTable::Size, KinshipTable::Size };

// The toolkit's table widget set up like RodGrid: 23x23 cells of 35x18 px,
// the person numbers in row 0 and column 0, affinity terms in italic.
void fillTableWidget(QTableWidget &widget, const KinshipTable &table, const QFont &font)
{
    const int n = KinshipTable::Size + 1;
    widget.setRowCount(n);
    widget.setColumnCount(n);
    widget.horizontalHeader()->hide();
    widget.verticalHeader()->hide();
    widget.horizontalHeader()->setMinimumSectionSize(1);
    widget.verticalHeader()->setMinimumSectionSize(1);
    widget.horizontalHeader()->setDefaultSectionSize(KinshipGrid::ColumnWidth + 1);
    widget.verticalHeader()->setDefaultSectionSize(KinshipGrid::RowHeight + 1);
    widget.setFont(font);
    QFont italic = font;
    italic.setItalic(true);
    for (int r = 0; r < n; ++r) {
        for (int c = 0; c < n; ++c) {
            QString text;
            if (r == 0 || c == 0)
                text = r == c ? QString() : QString::number(r == 0 ? c : r);
            else
                text = table.term(r, c);
            auto *item = new QTableWidgetItem(text);
            if (r > 0 && c > 0 && table.IsAffinity(r, c))
                item->setFont(italic);
            widget.setItem(r, c, item);
        }
    }
}

// The least a paste of a block's text must do: split it into lines and
// fields and store each field as a term.
void splitIntoCells(
    QStringView text, std::array<QString, KinshipTable::Size * KinshipTable::Size> &cells)
{
    int r = 0;
    for (QStringView line : text.tokenize(u"\r\n", Qt::SkipEmptyParts)) {
        int c = 0;
        for (QStringView field : line.tokenize(u'\t')) {
            if (c < KinshipTable::Size)
                cells[r * KinshipTable::Size + c] = field.toString();
            ++c;
        }
        if (++r == KinshipTable::Size)
            break;
    }
}

// The least a paste of one long line into one cell must do: read the text
// to the end of its first field and store that field.
QString fieldOf(QStringView text)
{
    qsizetype end = 0;
    while (end < text.size() && text[end] != u'\t' && text[end] != u'\r' && text[end] != u'\n'
        && text[end] != u'\0')
        ++end;
    return text.first(end).toString();
}

QString repeatedTo(const QString &piece, qsizetype size)
{
    QString text;
    text.reserve(size + piece.size());
    while (text.size() < size)
        text += piece;
    text.truncate(size);
    return text;
}

QString sizeName(qsizetype chars)
{
    if (chars >= 1024 * 1024)
        return QStringLiteral("%1 M").arg(chars / (1024 * 1024));
    return QStringLiteral("%1 K").arg(chars / 1024);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    FigureTable figures;

    KinshipTable table = KinshipTable::initial();

    // A full repaint of the grid, against the table widget with the same cells.
    {
        KinshipGrid grid;
        grid.setTable(&table);
        grid.resize(760, 458);
        QTableWidget widget;
        fillTableWidget(widget, table, grid.font());
        widget.resize(grid.size());
        grid.show();
        widget.show();
        if (!QTest::qWaitForWindowExposed(&grid) || !QTest::qWaitForWindowExposed(&widget)) {
            std::fputs("the grids were not shown\n", stderr);
            return 2;
        }
        constexpr int Repaints = 50;
        PairedRounds rounds(15);
        rounds.run(
            [&] {
                for (int i = 0; i < Repaints; ++i)
                    grid.viewport()->repaint();
            },
            [&] {
                for (int i = 0; i < Repaints; ++i)
                    widget.viewport()->repaint();
            },
            Repaints);
        figures.addRatio(QStringLiteral("grid: full repaint (floor: QTableWidget, same cells)"),
            rounds.measuredNs / 1000, rounds.floorNs / 1000, QStringLiteral("µs"), 1.5);
    }

    // Copy of the whole block, against appending the same terms to one text.
    const QString blockText = table.BlockText(WholeTable);
    {
        QStringList terms;
        for (int r = 1; r <= KinshipTable::Size; ++r)
            for (int c = 1; c <= KinshipTable::Size; ++c)
                terms.append(table.term(r, c));
        constexpr int Copies = 200;
        qsizetype sink = 0;
        PairedRounds rounds(15);
        rounds.run(
            [&] {
                for (int i = 0; i < Copies; ++i)
                    sink += table.BlockText(WholeTable).size();
            },
            [&] {
                for (int i = 0; i < Copies; ++i) {
                    QString text;
                    for (qsizetype k = 0; k < terms.size(); ++k) {
                        text += terms[k];
                        text += u'\t';
                        if (k % KinshipTable::Size == KinshipTable::Size - 1)
                            text += u"\r\n";
                    }
                    sink += text.size();
                }
            },
            Copies);
        if (sink == 0)
            return 2;
        figures.addRatio(QStringLiteral("grid: copy 22×22 (BlockText)"), rounds.measuredNs / 1000,
            rounds.floorNs / 1000, QStringLiteral("µs"), 1.5);
    }

    // Its paste back, against splitting the text into its cells.
    double blockPasteUs = 0;
    {
        constexpr int Pastes = 200;
        std::array<QString, KinshipTable::Size * KinshipTable::Size> cells;
        PairedRounds rounds(15);
        rounds.run(
            [&] {
                for (int i = 0; i < Pastes; ++i)
                    table.PasteText(WholeTable, blockText);
            },
            [&] {
                for (int i = 0; i < Pastes; ++i)
                    splitIntoCells(blockText, cells);
            },
            Pastes);
        if (table.BlockText(WholeTable) != blockText || cells[1] != table.term(1, 2)) {
            std::fputs("the paste back did not restore the block\n", stderr);
            return 2;
        }
        blockPasteUs = rounds.measuredNs / 1000;
        figures.addRatio(QStringLiteral("grid: paste 22×22 back (PasteText)"), blockPasteUs,
            rounds.floorNs / 1000, QStringLiteral("µs"), 1.5);
    }

    // Paste as the text grows. Sizes count characters (one byte each in the
    // clipboard's 8-bit text). Copies of the block one under another go far
    // past the block's last row: reading must stop there, so the paste costs
    // no more than that of one block. One long line has to be read to its end
    // and stored whole in one cell: its cost grows with the text, but should
    // stay close to reading the text once and copying it.
    const QList<qsizetype> sizes { 1024, 10 * 1024, 100 * 1024, 1024 * 1024, 10 * 1024 * 1024,
        50 * 1024 * 1024 };
    for (qsizetype size : sizes) {
        const int repeats = size >= 10 * 1024 * 1024 ? 1 : size >= 100 * 1024 ? 10 : 200;
        const int roundCount = size >= 10 * 1024 * 1024 ? 5 : 11;

        const QString rows = repeatedTo(blockText, size);
        PairedRounds rowRounds(roundCount);
        rowRounds.run(
            [&] {
                for (int i = 0; i < repeats; ++i)
                    table.PasteText(WholeTable, rows);
            },
            [&] {
                for (int i = 0; i < repeats; ++i)
                    table.PasteText(WholeTable, blockText);
            },
            repeats);
        const double rowsUs = rowRounds.measuredNs / 1000;
        const double oneBlockUs = rowRounds.floorNs / 1000;
        figures.add({ QStringLiteral("paste %1 chars, rows past the block's end (floor: one block)")
                          .arg(sizeName(size)),
            FigureTable::number(rowsUs, QStringLiteral("µs")),
            FigureTable::number(oneBlockUs, QStringLiteral("µs")),
            FigureTable::ratio(rowsUs, oneBlockUs), QStringLiteral("≤ 1.5× floor: stops at row 22"),
            rowsUs <= 1.5 * oneBlockUs });

        const QString line = repeatedTo(QStringLiteral("двоюродный дядя "), size);
        const TableBlock firstCell { 1, 1, 1, 1 };
        QString stored;
        PairedRounds lineRounds(roundCount);
        lineRounds.run(
            [&] {
                for (int i = 0; i < repeats; ++i)
                    table.PasteText(firstCell, line);
            },
            [&] {
                for (int i = 0; i < repeats; ++i)
                    stored = fieldOf(line);
            },
            repeats);
        if (table.term(1, 1).size() != size || stored.size() != size) {
            std::fputs("the long line was not pasted whole\n", stderr);
            return 2;
        }
        figures.addRatio(
            QStringLiteral("paste %1 chars, one line into one cell (floor: read + copy)")
                .arg(sizeName(size)),
            lineRounds.measuredNs / 1000, lineRounds.floorNs / 1000, QStringLiteral("µs"), 1.5);
        table.ClearBlock(firstCell);
    }

    figures.print();
    return 0;
}
