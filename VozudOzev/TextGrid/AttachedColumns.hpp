#pragma once

#include "VozudOzev/Model/Table.hpp"

namespace VozudOzev {

// Monospace listings part their columns by as little as one space, so the shared gaps also
// cut off what only trails a column: the arguments after a command ("Xorg :0"), a currency
// sign after every amount ("19.007.000 ₫"). Such a column is no column of its own.
struct AttachedColumns {
    // Joins into the column on its left each column whose every cell follows a cell there
    // within `gap`, when the column has no header of its own (nothing in the first row) or
    // holds one same text under it. Below the first row, a cell beside an empty one that
    // ends where the others end (right-aligned amounts, "—" without a unit) goes with them.
    // Also joined: a column whose cells each follow one there within `gap` and line up
    // neither on the left nor on the right (second words, the blank a word space), and a
    // column with no header whose every cell is followed within `gap` by one of the headed
    // column after it whose cells all end together (amounts, their unit and its header).
    // Returns how many columns were joined.
    static int join(Table& table, double gap);
};

}  // namespace VozudOzev
