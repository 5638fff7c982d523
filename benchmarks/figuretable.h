#pragma once

#include <QList>
#include <QString>

// The rows a benchmark reports: what was measured, the floor it is compared
// with, and the target the ratio of the two must meet. Every benchmark prints
// its rows as tab-separated lines; benchmarks/run gathers them into one table.
class FigureTable {
public:
    struct Row {
        QString figure;
        QString value;
        QString floor;
        QString ratio;
        QString target;
        bool met = false;
    };

    // A figure whose target is "ratio <= maxRatio".
    void addRatio(
        const QString &figure, double value, double floor, const QString &unit, double maxRatio);
    void add(const Row &row);

    // One line per row: figure, value, floor, ratio, target, "yes" or "NO".
    void print() const;
    bool allMet() const;

    static QString number(double value, const QString &unit);
    static QString ratio(double value, double floor);

private:
    QList<Row> rows;
};
