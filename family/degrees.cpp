#include "degrees.h"

#include <stdexcept>

const QList<int> &Degrees::persons(int degree)
{
    static const QList<int> lists[Count] = {
        { 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22 },
        { 1, 2, 3, 4 },
        { 1, 2, 8, 10, 11, 12 },
        { 1, 2, 14, 15, 16, 17 },
        { 3, 4, 8, 10, 11, 12 },
        { 3, 4, 8, 10, 11, 12, 14, 15, 16, 17 },
        { 8, 10, 11, 12, 14, 15, 16, 17 },
        { 14, 15, 16, 17 },
    };
    if (degree < 0 || degree >= Count)
        throw std::out_of_range("degree out of range");
    return lists[degree];
}
