#include "kinshiptable.h"

#include <QFile>
#include <QStringDecoder>

#include <stdexcept>

bool TableBlock::isValid() const
{
    return 1 <= r1 && r1 <= r2 && r2 <= KinshipTable::Size && 1 <= c1 && c1 <= c2
        && c2 <= KinshipTable::Size;
}

static void checkBlock(const TableBlock &block)
{
    if (!block.isValid())
        throw std::out_of_range("block outside the kinship table");
}

KinshipTable KinshipTable::initial()
{
    QFile file(QStringLiteral(":/text/kinship.txt"));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("the kinship table's data is missing");
    return fromData(file.readAll());
}

KinshipTable KinshipTable::fromData(const QByteArray &windows1251)
{
    QStringDecoder decode("windows-1251");
    const QString text = decode(windows1251);
    if (decode.hasError())
        throw std::runtime_error("the kinship table's data is not Windows-1251");

    KinshipTable table;
    for (QStringView line : QStringView(text).split(u'\n', Qt::SkipEmptyParts)) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        if (line.isEmpty())
            continue;
        const auto fields = line.split(u'\t');
        bool okRow = false, okColumn = false;
        const int r = fields.value(0).toInt(&okRow);
        const int c = fields.value(1).toInt(&okColumn);
        if (fields.size() != 4 || !okRow || !okColumn || r < 1 || r > Size || c < 1 || c > Size
            || (fields[2] != u"0" && fields[2] != u"1"))
            throw std::runtime_error("malformed line in the kinship table's data");
        Cell &cell = table.cell(r, c);
        cell.affinity = fields[2] == u"1";
        cell.term = fields[3].toString();
    }
    return table;
}

KinshipTable::Cell &KinshipTable::cell(int r, int c)
{
    if (r < 1 || r > Size || c < 1 || c > Size)
        throw std::out_of_range("cell outside the kinship table");
    return cells[(r - 1) * Size + (c - 1)];
}

const KinshipTable::Cell &KinshipTable::cell(int r, int c) const
{
    return const_cast<KinshipTable *>(this)->cell(r, c);
}

QString KinshipTable::term(int r, int c) const
{
    return cell(r, c).term;
}

bool KinshipTable::IsAffinity(int r, int c) const
{
    return cell(r, c).affinity;
}

QString KinshipTable::BlockText(const TableBlock &block) const
{
    checkBlock(block);
    QString text;
    for (int r = block.r1; r <= block.r2; ++r) {
        for (int c = block.c1; c <= block.c2; ++c) {
            text += term(r, c);
            text += u'\t';
        }
        text += u"\r\n";
    }
    return text;
}

void KinshipTable::ClearBlock(const TableBlock &block)
{
    checkBlock(block);
    for (int r = block.r1; r <= block.r2; ++r)
        for (int c = block.c1; c <= block.c2; ++c)
            cell(r, c).term.clear();
}

void KinshipTable::PasteText(const TableBlock &block, QStringView text)
{
    checkBlock(block);
    // The text ends at its first NUL.
    if (const qsizetype nul = text.indexOf(QChar(u'\0')); nul >= 0)
        text = text.first(nul);

    // Only as many lines as the block has rows are read, and of each line only
    // as many fields as it has columns, so the cost does not grow with
    // whatever lies beyond the block.
    qsizetype pos = 0;
    for (int r = block.r1; r <= block.r2 && pos < text.size(); ++r) {
        qsizetype end = pos;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        const QStringView line = text.sliced(pos, end - pos);
        pos = end;
        if (pos < text.size())
            pos += (text[pos] == u'\r' && pos + 1 < text.size() && text[pos + 1] == u'\n') ? 2 : 1;

        // The line is read as if followed by one TAB; a field is taken while
        // more than that final TAB remains, so a TAB at the end of a line
        // adds no empty field.
        qsizetype fieldStart = 0;
        for (int c = block.c1; c <= block.c2 && line.size() + 1 - fieldStart > 1; ++c) {
            qsizetype tab = line.indexOf(u'\t', fieldStart);
            if (tab < 0)
                tab = line.size();
            cell(r, c).term = line.sliced(fieldStart, tab - fieldStart).toString();
            fieldStart = tab + 1;
        }
    }
}
