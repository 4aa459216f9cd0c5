// Stitching two captures, automatically and with any user mapping: the result keeps every
// cell inside its grid and never puts two cells on one slot.
#include "VozudOzev/Merge/StitchTables.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include "FuzzSupport.hpp"

using namespace VozudOzev;

namespace {

void check(const StitchTables::Result& result, const Table& base, const char* what)
{
    const auto* s = result.stitched();
    if (!s)
        return;
    FuzzSupport::requireWellFormed(s->table, what);
    FuzzSupport::require(s->table.rows == base.rows + s->report.appendedRows, std::string(what) + ": row count");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const Table base = FuzzSupport::wellFormedTable(in, 6);
    Table next = FuzzSupport::wellFormedTable(in, 6);
    // Next captures often repeat the base's header and last rows.
    if (in.ConsumeBool() && next.cols == base.cols)
        for (Cell& c : next.cells)
            for (const Cell& b : base.cells)
                if (b.row == c.row + in.ConsumeIntegralInRange(0, 2) && b.col == c.col && in.ConsumeBool())
                    c.text = b.text;
    StitchTables::Options options{std::nullopt, in.ConsumeProbability<double>(), in.ConsumeProbability<double>()};
    if (in.ConsumeBool())
        options.baseHeaderRows = in.ConsumeIntegralInRange(-1, 7);

    check(StitchTables::stitch(base, next, options), base, "automatic stitch");

    StitchTables::Mapping mapping;
    const int entries = in.ConsumeIntegralInRange(0, next.cols + 2);
    for (int i = 0; i < entries; ++i)
        mapping.push_back(in.ConsumeBool() ? std::optional<int>(in.ConsumeIntegralInRange(-2, base.cols + 3)) : std::nullopt);
    try {
        check(StitchTables::stitch(base, next, mapping, options), base, "manual stitch");
    } catch (const VozudOzevError&) {
    }
    return 0;
}
