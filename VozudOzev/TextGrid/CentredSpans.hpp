#pragma once

#include "VozudOzev/Model/Table.hpp"

namespace VozudOzev {

// A widget draws the text of a cell spanning rows centred on them; without a grid nothing
// else shows the span. Such text stands between two rows, in a column left empty in the
// rows around it, and comes back as a row of its own.
struct CentredSpans {
    // Each row of a few cells standing midway between the rows above and below it, whose
    // columns are empty in those rows, joins the rows around it: the widest run of rows
    // centred on its text and empty in its columns, which its cells then span (anchored at
    // the run's first row, never the header row 0). Cells spanning rows already stay.
    // Headers centred between a group header in the top row and the sub-headers under
    // it span those two rows. Returns how many rows it took out.
    static int apply(Table& table);
};

}  // namespace VozudOzev
