#pragma once

#include <QImage>
#include <QString>

// The program's icon: three discs, red at top left, dark green at top right
// and blue below, joined by grey lines, each carrying a yellow letter of the
// program's name, "В", "Е" and "Т".
class IconPainter {
public:
    static QString letters() { return QStringLiteral("ВЕТ"); }
    // The icon at size x size pixels, on a transparent ground.
    static QImage paint(int size);
};
