#pragma once

#include <QList>
#include <QString>

// The eight items of the degree selector: 0 shows the whole tree, 1 to 7 one
// degree of blood kinship each.
class Degrees
{
public:
    static constexpr int Count = 8;
    // The persons drawn on the degree's picture.
    static const QList<int> &persons(int degree);
    // Resource names the selector builds: "3st" for the text, "3step" for the picture.
    static QString textName(int degree) { return QString::number(degree) + QStringLiteral("st"); }
    static QString pictureName(int degree) { return QString::number(degree) + QStringLiteral("step"); }
};
