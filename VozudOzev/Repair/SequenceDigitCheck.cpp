#include "VozudOzev/Repair/SequenceDigitCheck.hpp"

#include "VozudOzev/Model/MostVoted.hpp"

#include "VozudOzev/Repair/CellTextCleanerTables.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <charconv>
#include <limits>
#include <unordered_map>

namespace VozudOzev::SequenceDigitCheck {

namespace {

std::string_view trimmedSpacesAndStops(std::string_view s)
{
    const size_t begin = s.find_first_not_of(" .");
    if (begin == std::string_view::npos)
        return {};
    const size_t end = s.find_last_not_of(" .");
    return s.substr(begin, end - begin + 1);
}

// 1 to 4 ASCII digits, nothing else; a digit carrying a combining mark is no digit.
std::optional<int> rowNumber(std::string_view text)
{
    const std::string_view t = trimmedSpacesAndStops(text);
    if (t.empty() || t.size() > 4 || !std::all_of(t.begin(), t.end(), Unicode::isAsciiDigit))
        return std::nullopt;
    int n = 0;
    std::from_chars(t.data(), t.data() + t.size(), n);
    return n;
}

// The text cleaner's digit look-alikes, character by character; other characters stay.
std::string withLookalikeDigits(std::string_view text)
{
    const auto& lookalikes = CellTextCleaner::digitLookalikes();
    std::string out;
    for (const std::string& c : Unicode::graphemes(text)) {
        const auto it = lookalikes.find(c);
        out += it == lookalikes.end() ? c : it->second;
    }
    return out;
}

}  // namespace

std::map<std::size_t, int> expectations(const std::vector<AssembledCell>& cells)
{
    std::map<std::size_t, int> out;
    // Members of each column in list order: neither header nor spanning.
    std::map<int, std::vector<std::size_t>> columns;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const AssembledCell& c = cells[i];
        if (!c.header && c.rowSpan == 1 && c.colSpan == 1)
            columns[c.col].push_back(i);
    }

    for (const auto& [col, members] : columns) {
        size_t filled = 0;
        // Offsets are kept wide so that no row value, however absurd, can overflow.
        struct Pair {
            std::size_t index;
            long long offset;
        };
        std::vector<Pair> pairs;
        for (std::size_t i : members) {
            const AssembledCell& c = cells[i];
            if (c.text.empty())
                continue;
            ++filled;
            if (auto n = rowNumber(c.text))
                pairs.push_back({i, static_cast<long long>(*n) - c.row});
        }
        if (pairs.size() < 3 || static_cast<double>(pairs.size()) < 0.8 * static_cast<double>(filled))
            continue;

        std::map<long long, size_t> counts;
        for (const Pair& p : pairs)
            ++counts[p.offset];
        const auto [k, j] = mostVoted(counts);
        if (j < 3 || static_cast<double>(j) < 0.8 * static_cast<double>(pairs.size()))
            continue;

        int minRow = 0;
        int maxRow = 0;
        bool first = true;
        for (const Pair& p : pairs) {
            if (p.offset != k)
                continue;
            const int row = cells[p.index].row;
            minRow = first ? row : std::min(minRow, row);
            maxRow = first ? row : std::max(maxRow, row);
            first = false;
        }
        for (std::size_t i : members) {
            const AssembledCell& c = cells[i];
            const long long row = c.row;
            const long long expected = row + k;
            if (c.text.empty() && row >= static_cast<long long>(minRow) - 1 && row <= static_cast<long long>(maxRow) + 1 &&
                expected >= 0 && expected <= std::numeric_limits<int>::max())
                out[i] = static_cast<int>(expected);
        }
    }
    return out;
}

int apply(std::vector<AssembledCell>& cells, const Reread& reread)
{
    int confirmed = 0;
    for (const auto& [index, expected] : expectations(cells)) {
        AssembledCell& cell = cells[index];
        if (!cell.box)
            continue;
        const std::optional<std::string> read = reread(*cell.box);
        if (!read)
            continue;
        const std::string digits = withLookalikeDigits(trimmedSpacesAndStops(*read));
        char buffer[16];
        const auto end = std::to_chars(buffer, buffer + sizeof buffer, expected).ptr;
        if (digits == std::string_view(buffer, static_cast<size_t>(end - buffer))) {
            cell.text = digits;
            cell.textBox = cell.box;
            ++confirmed;
        }
    }
    return confirmed;
}

}  // namespace VozudOzev::SequenceDigitCheck
