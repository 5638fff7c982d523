#include "figuretable.h"

#include <cstdio>

void FigureTable::addRatio(
    const QString &figure, double value, double floor, const QString &unit, double maxRatio)
{
    add({ figure, number(value, unit), number(floor, unit), ratio(value, floor),
        QStringLiteral("≤ %1× floor").arg(maxRatio), floor > 0 && value <= maxRatio * floor });
}

void FigureTable::add(const Row &row)
{
    rows.append(row);
}

void FigureTable::print() const
{
    for (const Row &row : rows) {
        const QString line = QStringList { row.figure, row.value, row.floor, row.ratio, row.target,
            row.met ? QStringLiteral("yes") : QStringLiteral("NO") }
                                 .join(u'\t');
        std::fputs(line.toUtf8().constData(), stdout);
        std::fputc('\n', stdout);
    }
    std::fflush(stdout);
}

bool FigureTable::allMet() const
{
    for (const Row &row : rows)
        if (!row.met)
            return false;
    return true;
}

QString FigureTable::number(double value, const QString &unit)
{
    // Three significant digits are more than the noise of a shared machine.
    const int decimals = value >= 100 ? 0 : value >= 10 ? 1 : value >= 1 ? 2 : 3;
    return QString::number(value, 'f', decimals) + u' ' + unit;
}

QString FigureTable::ratio(double value, double floor)
{
    if (floor <= 0)
        return QStringLiteral("–");
    return QString::number(value / floor, 'f', 2) + u'×';
}
