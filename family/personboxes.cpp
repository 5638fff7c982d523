#include "personboxes.h"

#include <stdexcept>

const std::array<PersonBoxes::Place, PersonBoxes::Count> PersonBoxes::places = { {
    { 210, 10 }, //  1
    { 280, 10 }, //  2
    { 190, 110 }, //  3
    { 300, 110 }, //  4
    { 120, 108 }, //  5
    { 370, 110 }, //  6
    { 70, 218 }, //  7
    { 190, 218 }, //  8
    { 430, 218 }, //  9
    { 290, 218 }, // 10
    { 360, 218 }, // 11
    { 130, 218 }, // 12
    { 200, 330 }, // 13
    { 140, 330 }, // 14
    { 360, 330 }, // 15
    { 70, 330 }, // 16
    { 420, 330 }, // 17
    { 300, 330 }, // 18
    { 10, 330 }, // 19
    { 480, 330 }, // 20
    { 5, 10 }, // 21
    { 65, 10 }, // 22
} };

static void checkPerson(int person)
{
    if (!PersonBoxes::isPerson(person))
        throw std::out_of_range("person number out of range");
}

int PersonBoxes::left(int person)
{
    checkPerson(person);
    return places[person - 1].left;
}

int PersonBoxes::top(int person)
{
    checkPerson(person);
    return places[person - 1].top;
}

QRect PersonBoxes::box(int person)
{
    return QRect(left(person), top(person), BoxWidth + 1, BoxHeight + 1);
}

int PersonBoxes::hitTest(int x, int y)
{
    for (int k = 1; k <= Count; ++k) {
        const Place &p = places[k - 1];
        if (p.left <= x && x <= p.left + BoxWidth && p.top <= y && y <= p.top + BoxHeight)
            return k;
    }
    return 0;
}

QPoint PersonBoxes::markerPos(int person)
{
    return QPoint(left(person), top(person) + BoxHeight);
}
