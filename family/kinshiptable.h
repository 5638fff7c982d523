#pragma once

#include <QString>
#include <QStringView>

#include <array>

// A rectangle of cells: rows r1..r2 and columns c1..c2, 1 <= r1 <= r2 <= 22,
// 1 <= c1 <= c2 <= 22.
struct TableBlock {
    int r1 = 1;
    int c1 = 1;
    int r2 = 1;
    int c2 = 1;

    bool isValid() const;
    bool contains(int r, int c) const { return r1 <= r && r <= r2 && c1 <= c && c <= c2; }
    friend bool operator==(const TableBlock &, const TableBlock &) = default;
};

// For every ordered pair of persons (r, c): the Russian term saying what r is
// to c, possibly empty, and whether the relation runs through a marriage.
// Terms change only through ClearBlock and PasteText; flags never change.
class KinshipTable
{
public:
    static constexpr int Size = 22;

    // An empty table: no terms, no flags.
    KinshipTable() = default;
    // The table the program starts with, read from its compiled-in data.
    static KinshipTable initial();
    // Reads the data format of the compiled-in table (Windows-1251, one cell
    // a line: row TAB column TAB flag TAB term). Throws on malformed data.
    static KinshipTable fromData(const QByteArray &windows1251);

    QString term(int r, int c) const;
    bool IsAffinity(int r, int c) const;

    // Every term of the block, each followed by a TAB, each row ended by CR LF.
    QString BlockText(const TableBlock &block) const;
    void ClearBlock(const TableBlock &block);
    // Writes the lines and TAB-separated fields of text into the block; what
    // lies beyond the block is dropped, cells no field reaches keep their terms.
    void PasteText(const TableBlock &block, QStringView text);

private:
    struct Cell {
        QString term;
        bool affinity = false;
    };
    Cell &cell(int r, int c);
    const Cell &cell(int r, int c) const;

    std::array<Cell, Size * Size> cells;
};
