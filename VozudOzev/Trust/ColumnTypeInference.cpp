#include "VozudOzev/Trust/ColumnTypeInference.hpp"

#include <algorithm>

namespace VozudOzev::ColumnTypeInference {

std::optional<ColumnFamily> family(const CellValue& value)
{
    switch (value.kind) {
    case CellValue::Kind::number:
    case CellValue::Kind::foreignNumber:
        return value.number && value.number->kind == NumberKind::percent ? ColumnFamily::percent : ColumnFamily::numeric;
    case CellValue::Kind::date:
    case CellValue::Kind::foreignDate: return ColumnFamily::date;
    case CellValue::Kind::text: return ColumnFamily::text;
    case CellValue::Kind::empty:
    case CellValue::Kind::placeholder: return std::nullopt;
    }
    return std::nullopt;
}

bool isMismatch(const CellValue& value, ColumnType type)
{
    if (type == ColumnType::text || type == ColumnType::empty)
        return false;
    const auto valueFamily = family(value);
    if (!valueFamily)
        return false;
    if (value.kind == CellValue::Kind::foreignNumber || value.kind == CellValue::Kind::foreignDate)
        return true;
    return valueFamily != VozudOzev::family(type);
}

std::vector<ColumnTypeInfo> infer(const std::vector<std::vector<std::string>>& grid, const std::vector<int>& rows, const TableLocale& locale,
                                  double minShare)
{
    size_t columnCount = 0;
    for (const auto& row : grid)
        columnCount = std::max(columnCount, row.size());

    std::vector<ColumnTypeInfo> out;
    out.reserve(columnCount);
    for (size_t c = 0; c < columnCount; ++c) {
        int date = 0, percent = 0, numeric = 0, text = 0, currency = 0, number = 0;
        for (int r : rows) {
            if (r < 0 || static_cast<size_t>(r) >= grid.size() || c >= grid[static_cast<size_t>(r)].size())
                continue;
            const CellValue v = locale.classify(grid[static_cast<size_t>(r)][c], static_cast<int>(c));
            const auto f = family(v);
            if (!f)
                continue;
            switch (*f) {
            case ColumnFamily::date: ++date; break;
            case ColumnFamily::percent: ++percent; break;
            case ColumnFamily::text: ++text; break;
            case ColumnFamily::numeric:
                ++numeric;
                if (v.number->kind == NumberKind::currency)
                    ++currency;
                else
                    ++number;
                break;
            }
        }
        const int n = date + percent + numeric + text;
        const int col = static_cast<int>(c);
        if (n == 0) {
            out.push_back({col, ColumnType::empty, 0, 0});
            continue;
        }
        // Ties go to the earlier family in this order.
        ColumnFamily winner = ColumnFamily::date;
        int best = date;
        for (const auto& [f, count] : {std::pair{ColumnFamily::percent, percent}, {ColumnFamily::numeric, numeric}, {ColumnFamily::text, text}})
            if (count > best) {
                winner = f;
                best = count;
            }
        const double support = static_cast<double>(best) / n;
        if (support < minShare) {
            out.push_back({col, ColumnType::text, static_cast<double>(text) / n, n});
            continue;
        }
        ColumnType type = ColumnType::text;
        switch (winner) {
        case ColumnFamily::numeric: type = currency > number ? ColumnType::currency : ColumnType::number; break;
        case ColumnFamily::percent: type = ColumnType::percent; break;
        case ColumnFamily::date: type = ColumnType::date; break;
        case ColumnFamily::text: type = ColumnType::text; break;
        }
        out.push_back({col, type, support, n});
    }
    return out;
}

}  // namespace VozudOzev::ColumnTypeInference
