#include "relations.h"

#include "personboxes.h"

const QColor Relations::Blood { 0xFF, 0x00, 0x00 };
const QColor Relations::Marriage { 0x00, 0x00, 0xFF };
const QColor Relations::NoTerm { 0xFF, 0xFF, 0xFF };
const QColor Relations::Reference { 0x00, 0xFF, 0x00 };

Relations::Relations(const KinshipTable &table)
    : table(table)
{
}

void Relations::FormActivate()
{
    fromPerson = 1;
    toPerson = 2;
}

void Relations::Image1MouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y)
{
    const int k = PersonBoxes::hitTest(x, y);
    if (k == 0)
        return;
    shown.kursorFrom = PersonBoxes::markerPos(k);
    fromPerson = k;
    shown.panels[1] = QString::number(k);
}

void Relations::Image1MouseMove(Qt::KeyboardModifiers, int x, int y)
{
    const int k = PersonBoxes::hitTest(x, y);
    lastMoveHit = k != 0;
    if (k) {
        shown.kursorTo = PersonBoxes::markerPos(k);
        toPerson = k;
        // The colour is decided from the flag first; an empty term then
        // overrides it with white whatever the flag says.
        shown.kursorToColor = table.IsAffinity(fromPerson, toPerson) ? Marriage : Blood;
        shown.nameFrom = table.term(fromPerson, toPerson);
        shown.nameTo = table.term(toPerson, fromPerson);
        shown.panels[2] = QString::number(k);
        if (shown.nameFrom.isEmpty()) {
            shown.kursorToColor = NoTerm;
            shown.nameTo = QStringLiteral("нет определения");
            if (fromPerson == toPerson) {
                shown.nameFrom = QStringLiteral("Я");
                shown.nameTo.clear();
            }
        }
        shown.shape2Color = shown.kursorToColor;
    }
    shown.panels[0] = QString::number(x) + QStringLiteral("  ") + QString::number(y);
}
