#pragma once

// Shared pieces of the fuzz harnesses: tables made from the fuzzer's bytes and the
// invariants every edited or stitched table must keep. A broken invariant aborts, which
// libFuzzer reports as a finding with the input that caused it.

#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace FuzzSupport {

[[noreturn]] inline void fail(const std::string& what)
{
    std::fprintf(stderr, "Vantrel: fuzz invariant broken: %s\n", what.c_str());
    std::abort();
}

inline void require(bool ok, const std::string& what)
{
    if (!ok)
        fail(what);
}

inline std::string text(FuzzedDataProvider& in, size_t maxLength = 12)
{
    return in.ConsumeRandomLengthString(maxLength);
}

// Any cell list at all over a small grid: positions and spans may be anything, as from a
// damaged record.
inline VozudOzev::Table rawTable(FuzzedDataProvider& in, int maxSide = 12)
{
    VozudOzev::Table t;
    t.rows = in.ConsumeIntegralInRange(-2, maxSide);
    t.cols = in.ConsumeIntegralInRange(-2, maxSide);
    const int count = in.ConsumeIntegralInRange(0, 40);
    for (int i = 0; i < count && in.remaining_bytes() > 0; ++i) {
        VozudOzev::Cell c;
        const bool wild = in.ConsumeIntegralInRange(0, 15) == 0;
        c.row = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(-1, maxSide);
        c.col = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(-1, maxSide);
        c.rowSpan = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(0, 4);
        c.colSpan = wild ? in.ConsumeIntegral<int>() : in.ConsumeIntegralInRange(0, 4);
        c.text = text(in);
        if (in.ConsumeBool())
            c.header = in.ConsumeBool();
        if (in.ConsumeBool())
            c.confidence = in.ConsumeProbability<double>();
        if (in.ConsumeBool())
            c.flags = std::vector<VozudOzev::CellFlag>{in.ConsumeBool() ? VozudOzev::CellFlag::lowConfidence
                                                                        : VozudOzev::CellFlag::typeMismatch};
        t.cells.push_back(std::move(c));
    }
    return t;
}

// A well-formed table: cells inside the grid, spans of 1 or more, no slot held twice.
inline VozudOzev::Table wellFormedTable(FuzzedDataProvider& in, int maxSide = 8)
{
    VozudOzev::Table t;
    t.rows = in.ConsumeIntegralInRange(1, maxSide);
    t.cols = in.ConsumeIntegralInRange(1, maxSide);
    std::vector<bool> taken(static_cast<size_t>(t.rows * t.cols), false);
    for (int r = 0; r < t.rows; ++r)
        for (int c = 0; c < t.cols; ++c) {
            if (taken[static_cast<size_t>(r * t.cols + c)] || in.ConsumeIntegralInRange(0, 7) == 0)
                continue;
            int rs = in.ConsumeIntegralInRange(1, 3), cs = in.ConsumeIntegralInRange(1, 3);
            for (int dr = 0; dr < rs; ++dr)
                for (int dc = 0; dc < cs; ++dc)
                    if (r + dr >= t.rows || c + dc >= t.cols || taken[static_cast<size_t>((r + dr) * t.cols + c + dc)])
                        rs = cs = 1;
            for (int dr = 0; dr < rs; ++dr)
                for (int dc = 0; dc < cs; ++dc)
                    taken[static_cast<size_t>((r + dr) * t.cols + c + dc)] = true;
            VozudOzev::Cell cell;
            cell.row = r;
            cell.col = c;
            cell.rowSpan = rs;
            cell.colSpan = cs;
            cell.text = text(in, 6);
            if (in.ConsumeBool())
                cell.header = r == 0 || in.ConsumeBool();
            if (in.ConsumeBool())
                cell.confidence = in.ConsumeProbability<double>();
            t.cells.push_back(std::move(cell));
        }
    return t;
}

// Cells inside the grid with spans of 1 or more, no slot held by two cells.
inline void requireWellFormed(const VozudOzev::Table& t, const std::string& after)
{
    require(t.rows >= 0 && t.cols >= 0, after + ": negative size");
    std::vector<int> cover(static_cast<size_t>(t.rows) * static_cast<size_t>(t.cols), -1);
    for (size_t i = 0; i < t.cells.size(); ++i) {
        const VozudOzev::Cell& c = t.cells[i];
        require(c.row >= 0 && c.col >= 0 && c.rowSpan >= 1 && c.colSpan >= 1 &&
                    static_cast<long long>(c.row) + c.rowSpan <= t.rows && static_cast<long long>(c.col) + c.colSpan <= t.cols,
                after + ": cell " + std::to_string(i) + " leaves the grid");
        for (int r = c.row; r < c.row + c.rowSpan; ++r)
            for (int k = c.col; k < c.col + c.colSpan; ++k) {
                int& slot = cover[static_cast<size_t>(r) * static_cast<size_t>(t.cols) + static_cast<size_t>(k)];
                require(slot < 0, after + ": two cells on slot " + std::to_string(r) + "," + std::to_string(k));
                slot = static_cast<int>(i);
            }
    }
}

inline void requireUTF8(std::string_view s, const char* what)
{
    require(VozudOzev::Unicode::isValid(s), std::string(what) + " is not valid UTF-8");
}

}  // namespace FuzzSupport
