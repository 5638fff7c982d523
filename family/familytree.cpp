#include "familytree.h"

#include "personboxes.h"

#include <stdexcept>

namespace {
struct Person {
    FamilyTree::Sex sex;
    int generation;
};

using S = FamilyTree::Sex;
const Person persons[PersonBoxes::Count] = {
    { S::Male, 0 }, //  1
    { S::Female, 0 }, //  2
    { S::Male, 1 }, //  3
    { S::Female, 1 }, //  4
    { S::Female, 1 }, //  5
    { S::Male, 1 }, //  6
    { S::Female, 2 }, //  7
    { S::Female, 2 }, //  8
    { S::Male, 2 }, //  9
    { S::Male, 2 }, // 10
    { S::Female, 2 }, // 11
    { S::Male, 2 }, // 12
    { S::Male, 3 }, // 13
    { S::Female, 3 }, // 14
    { S::Male, 3 }, // 15
    { S::Female, 3 }, // 16
    { S::Male, 3 }, // 17
    { S::Female, 3 }, // 18
    { S::Male, 3 }, // 19
    { S::Female, 3 }, // 20
    { S::Male, 0 }, // 21
    { S::Female, 0 }, // 22
};

const Person &person(int k)
{
    if (!PersonBoxes::isPerson(k))
        throw std::out_of_range("person number out of range");
    return persons[k - 1];
}
} // namespace

FamilyTree::Sex FamilyTree::sex(int k)
{
    return person(k).sex;
}

int FamilyTree::generation(int k)
{
    return person(k).generation;
}

const QList<FamilyTree::Couple> &FamilyTree::couples()
{
    static const QList<Couple> list = {
        { 21, 22, { 5 } },
        { 1, 2, { 3, 4 } },
        { 3, 5, { 12, 8 } },
        { 6, 4, { 10, 11 } },
        { 12, 7, { 16, 14 } },
        { 9, 11, { 15, 17 } },
        { 13, 14, {} },
        { 15, 18, {} },
        { 19, 16, {} },
        { 17, 20, {} },
    };
    return list;
}
