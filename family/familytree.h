#pragma once

#include <QList>

// Who is who in the drawn tree: sex, generation and the couples with their
// children. The artwork is drawn from this, so the picture and the hit boxes
// describe the same family.
class FamilyTree
{
public:
    enum class Sex { Male, Female };

    struct Couple {
        int husband;
        int wife;
        QList<int> children;
    };

    static Sex sex(int person);
    // 0 for the oldest generation (top row of the picture) to 3 for the youngest.
    static int generation(int person);
    static const QList<Couple> &couples();
};
