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
    // One allocation: every term with its TAB, and CR LF after every row.
    qsizetype length = 2 * qsizetype(block.r2 - block.r1 + 1);
    for (int r = block.r1; r <= block.r2; ++r)
        for (int c = block.c1; c <= block.c2; ++c)
            length += cell(r, c).term.size() + 1;
    QString text;
    text.reserve(length);
    for (int r = block.r1; r <= block.r2; ++r) {
        for (int c = block.c1; c <= block.c2; ++c) {
            text += cell(r, c).term;
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

namespace {

// The first position from `from` on that ends a line of pasted text (CR, LF,
// NUL) or, with `tabs`, a field (also TAB); the text's size where none does.
// All four are below 14, so most characters cost one comparison.
qsizetype nextStop(QStringView text, qsizetype from, bool tabs)
{
    const char16_t *data = text.utf16();
    const qsizetype size = text.size();
    for (qsizetype i = from; i < size; ++i) {
        const char16_t ch = data[i];
        if (ch <= u'\r' && (ch == u'\r' || ch == u'\n' || ch == u'\0' || (tabs && ch == u'\t')))
            return i;
    }
    return size;
}

} // namespace

void KinshipTable::PasteText(const TableBlock &block, QStringView text)
{
    checkBlock(block);
    const qsizetype size = text.size();
    const auto endsLine = [&](qsizetype i) {
        return i >= size || text[i] == u'\r' || text[i] == u'\n' || text[i] == u'\0';
    };

    // The text is read in one pass and only as far as the block reaches: the
    // fields of a row up to the block's last column, the lines up to its last
    // row. The text ends at its first NUL, which is looked for only that far
    // too, so the cost does not grow with whatever lies beyond the block.
    qsizetype pos = 0;
    for (int r = block.r1; r <= block.r2 && pos < size && text[pos] != u'\0'; ++r) {
        // The line is read as if followed by one TAB; a field is taken while
        // more than that final TAB remains, so a TAB at the end of a line
        // adds no empty field and an empty line leaves its row as it was.
        for (int c = block.c1; c <= block.c2 && !endsLine(pos); ++c) {
            const qsizetype end = nextStop(text, pos, true);
            cell(r, c).term = text.sliced(pos, end - pos).toString();
            pos = end < size && text[end] == u'\t' ? end + 1 : end;
        }
        if (r == block.r2)
            break;
        // Fields beyond the block's last column are passed over; a line ends
        // at CR LF, a lone CR or a lone LF.
        pos = nextStop(text, pos, false);
        if (pos >= size || text[pos] == u'\0')
            break;
        pos += (text[pos] == u'\r' && pos + 1 < size && text[pos + 1] == u'\n') ? 2 : 1;
    }
}
