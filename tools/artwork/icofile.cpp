#include "icofile.h"

#include <QBuffer>
#include <QImageWriter>
#include <QtEndian>

#include <algorithm>

namespace {

constexpr int DirectorySize = 6;
constexpr int EntrySize = 16;

struct Encoded {
    QByteArray entry; // the 16-byte directory entry, offset still to be set
    QByteArray data;
};

QByteArray write(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    return writer.write(image) ? bytes : QByteArray();
}

// Qt's writer leaves the padding at the end of the transparency mask's rows
// unset; clearing it makes the same icon give the same bytes every time.
bool clearMaskPadding(QByteArray *dib)
{
    if (dib->size() < 40)
        return false;
    uchar *d = reinterpret_cast<uchar *>(dib->data());
    const quint32 headerSize = qFromLittleEndian<quint32>(d);
    const qint32 width = qFromLittleEndian<qint32>(d + 4);
    const qint32 height = qFromLittleEndian<qint32>(d + 8) / 2; // colours and mask
    const quint16 bitCount = qFromLittleEndian<quint16>(d + 14);
    const quint32 coloursUsed = qFromLittleEndian<quint32>(d + 32);
    if (headerSize < 40 || width <= 0 || width > 256 || height <= 0 || height > 256 || bitCount == 0
        || bitCount > 32)
        return false;
    const qint64 palette
        = bitCount <= 8 ? qint64(coloursUsed ? coloursUsed : 1u << bitCount) * 4 : 0;
    const qint64 colourStride = (qint64(width) * bitCount + 31) / 32 * 4;
    const qint64 maskStride = (qint64(width) + 31) / 32 * 4;
    const qint64 mask = headerSize + palette + colourStride * height;
    if (mask + maskStride * height > dib->size())
        return false;
    const qint64 used = (width + 7) / 8;
    for (qint64 row = 0; row < height; ++row)
        std::fill(d + mask + row * maskStride + used, d + mask + (row + 1) * maskStride, uchar(0));
    return true;
}

bool encodeOne(const QImage &image, Encoded *out)
{
    // Qt's writer gives a whole one-image icon file: its entry and its data.
    const QByteArray ico = write(image, "ico");
    if (ico.size() < DirectorySize + EntrySize)
        return false;
    const uchar *d = reinterpret_cast<const uchar *>(ico.constData());
    if (qFromLittleEndian<quint16>(d + 2) != 1 || qFromLittleEndian<quint16>(d + 4) != 1)
        return false;
    const quint32 size = qFromLittleEndian<quint32>(d + DirectorySize + 8);
    const quint32 offset = qFromLittleEndian<quint32>(d + DirectorySize + 12);
    if (offset > quint32(ico.size()) || size > quint32(ico.size()) - offset)
        return false;
    out->entry = ico.mid(DirectorySize, EntrySize);
    out->data = ico.mid(offset, size);
    if (!clearMaskPadding(&out->data))
        return false;
    if (image.width() > 64) {
        // Large sizes as PNG: the entry keeps its size fields, the data and
        // its length change.
        out->data = write(image, "png");
        if (out->data.isEmpty())
            return false;
        qToLittleEndian<quint32>(
            quint32(out->data.size()), reinterpret_cast<uchar *>(out->entry.data()) + 8);
    }
    return true;
}

} // namespace

QByteArray IcoFile::encode(const QList<QImage> &images)
{
    if (images.isEmpty() || images.size() > 0xffff)
        return QByteArray();
    QList<Encoded> parts;
    for (const QImage &image : images) {
        if (image.isNull() || image.width() > 256 || image.height() > 256)
            return QByteArray();
        Encoded e;
        if (!encodeOne(image.convertToFormat(QImage::Format_ARGB32), &e))
            return QByteArray();
        parts.append(e);
    }

    QByteArray file(DirectorySize, '\0');
    uchar *d = reinterpret_cast<uchar *>(file.data());
    qToLittleEndian<quint16>(1, d + 2); // type: icon
    qToLittleEndian<quint16>(quint16(parts.size()), d + 4);
    quint32 offset = DirectorySize + EntrySize * parts.size();
    for (Encoded &e : parts) {
        qToLittleEndian<quint32>(offset, reinterpret_cast<uchar *>(e.entry.data()) + 12);
        file.append(e.entry);
        offset += e.data.size();
    }
    for (const Encoded &e : parts)
        file.append(e.data);
    return file;
}
