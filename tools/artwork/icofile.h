#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>

// Writes one .ico file holding the icon at several sizes. Qt's "ico" writer
// stores a single image per file, so each size is encoded on its own and the
// directory entries are then joined; sizes above 64 are stored as PNG, as
// Windows keeps its large icon images.
class IcoFile {
public:
    // The file's bytes, or an empty array when an image cannot be encoded.
    static QByteArray encode(const QList<QImage> &images);
};
