#pragma once

#include "kinshiptable.h"

#include <QColor>
#include <QPoint>
#include <QString>

#include <array>

// What the relations page shows of the two persons: where the two marker bars
// stand, the colour of the hovered person's bar (and of its copy in the
// legend, Shape2), the two terms and the three status panels.
struct RelationsDisplay {
    QPoint kursorFrom { 210, 85 };
    QPoint kursorTo { 280, 85 };
    QColor kursorToColor { Qt::blue };
    QColor shape2Color { Qt::blue };
    QString nameFrom { QStringLiteral("муж") };
    QString nameTo { QStringLiteral("жена") };
    std::array<QString, 3> panels;

    friend bool operator==(const RelationsDisplay &, const RelationsDisplay &) = default;
};

// The reference person (FromPerson), the hovered person (ToPerson) and the
// rules that turn presses and moves over the picture into what the page
// shows. The table is read afresh at every move, so edited terms show at once.
class Relations {
public:
    static const QColor Blood; // red
    static const QColor Marriage; // blue
    static const QColor NoTerm; // white
    static const QColor Reference; // lime

    explicit Relations(const KinshipTable &table);

    int FromPerson() const { return fromPerson; }
    int ToPerson() const { return toPerson; }
    const RelationsDisplay &display() const { return shown; }
    // Whether the last move was over a person (and so rewrote the labels).
    bool lastMoveHitPerson() const { return lastMoveHit; }

    void FormActivate();
    // Any button: the button and the modifiers are not looked at.
    void Image1MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
    void Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y);

private:
    const KinshipTable &table;
    int fromPerson = 1;
    int toPerson = 2;
    RelationsDisplay shown;
    bool lastMoveHit = false;
};
