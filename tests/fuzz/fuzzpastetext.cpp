// Pastes arbitrary clipboard text into an arbitrary block of the kinship
// table and checks that only the block's terms changed, no flag did, and
// that copying the block and pasting it back gives the same terms.
#include "kinshiptable.h"

#include <QString>

#include <cstdint>
#include <cstdlib>
#include <cstring>

static void check(bool ok, const char *what)
{
    if (!ok) {
        fprintf(stderr, "invariant broken: %s\n", what);
        abort();
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const KinshipTable initial = KinshipTable::initial();
    if (size < 5)
        return 0;
    TableBlock block;
    block.r1 = 1 + data[0] % KinshipTable::Size;
    block.r2 = block.r1 + data[1] % (KinshipTable::Size - block.r1 + 1);
    block.c1 = 1 + data[2] % KinshipTable::Size;
    block.c2 = block.c1 + data[3] % (KinshipTable::Size - block.c1 + 1);
    const bool utf16 = data[4] & 1;
    data += 5;
    size -= 5;

    // Clipboard text arrives either from UTF-8 bytes (invalid sequences
    // replaced) or as raw UTF-16 code units, lone surrogates included.
    QString text;
    if (utf16) {
        text.resize(qsizetype(size / 2));
        memcpy(text.data(), data, (size / 2) * 2);
    } else {
        text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    }

    KinshipTable table = initial;
    table.PasteText(block, text);
    for (int r = 1; r <= KinshipTable::Size; ++r)
        for (int c = 1; c <= KinshipTable::Size; ++c) {
            check(table.IsAffinity(r, c) == initial.IsAffinity(r, c), "a flag changed");
            if (!block.contains(r, c))
                check(table.term(r, c) == initial.term(r, c), "a term outside the block changed");
        }

    KinshipTable copy = table;
    copy.ClearBlock(block);
    copy.PasteText(block, table.BlockText(block));
    for (int r = block.r1; r <= block.r2; ++r)
        for (int c = block.c1; c <= block.c2; ++c)
            check(copy.term(r, c) == table.term(r, c), "copy and paste back changed a term");
    return 0;
}
