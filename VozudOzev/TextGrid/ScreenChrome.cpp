#include "VozudOzev/TextGrid/ScreenChrome.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <charconv>
#include <optional>

namespace VozudOzev {

namespace {

constexpr std::u32string_view sortArrows = U"~^˄˅▲▼△▽↑↓⌃⌄▴▾";

std::optional<long> letterIndex(const std::string& text)
{
    if (text.empty() || text.size() > 3)
        return std::nullopt;
    // Header letters are small: "C", "O", "S" come back in lower case now and then.
    long v = 0;
    for (char c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z')
            return std::nullopt;
        v = v * 26 + (c - 'A' + 1);
    }
    return v;
}

std::optional<long> wholeNumber(const std::string& text)
{
    long v = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || end != text.data() + text.size() || v < 0)
        return std::nullopt;
    return v;
}

// Every listed value, where present, one more than the last present one (steps over
// empty places count), and at least two of them.
bool consecutive(const std::vector<std::optional<long>>& values)
{
    int present = 0;
    std::optional<long> last;
    size_t lastIndex = 0;
    for (size_t i = 0; i < values.size(); ++i) {
        if (!values[i])
            continue;
        if (last && *values[i] != *last + static_cast<long>(i - lastIndex))
            return false;
        last = values[i];
        lastIndex = i;
        ++present;
    }
    return present >= 2;
}

std::vector<std::string> texts(const Table& table, bool row, int index)
{
    std::vector<std::string> out(static_cast<size_t>(row ? table.cols : table.rows));
    for (const Cell& c : table.cells)
        if ((row ? c.row : c.col) == index) {
            const int at = row ? c.col : c.row;
            if (at >= 0 && at < static_cast<int>(out.size()))
                out[static_cast<size_t>(at)] = Unicode::trimmed(c.text);
        }
    return out;
}

// Removes one row (or column) and every cell anchored in it; spans over it shrink.
void dropLine(Table& table, bool row, int index)
{
    std::vector<Cell> kept;
    for (Cell& c : table.cells) {
        int& at = row ? c.row : c.col;
        int& span = row ? c.rowSpan : c.colSpan;
        if (at == index)
            continue;
        if (at > index)
            --at;
        else if (at + span > index)
            --span;
        kept.push_back(std::move(c));
    }
    table.cells = std::move(kept);
    (row ? table.rows : table.cols) -= 1;
}

bool empty(const std::vector<std::string>& texts)
{
    return std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); });
}

}  // namespace

bool ScreenChrome::columnLetters(const std::vector<std::string>& texts)
{
    // One misread letter ("I" as "|") is let through among at least three good ones.
    std::vector<std::optional<long>> values;
    int good = 0;
    int misread = 0;
    for (const std::string& t : texts) {
        const std::optional<long> v = t.empty() ? std::nullopt : letterIndex(t);
        misread += !t.empty() && !v ? 1 : 0;
        good += v ? 1 : 0;
        values.push_back(v);
    }
    return (misread == 0 || (misread == 1 && good >= 3)) && consecutive(values);
}

bool ScreenChrome::rowNumbers(const std::vector<std::string>& texts)
{
    std::vector<std::optional<long>> values;
    for (const std::string& t : texts) {
        if (t.empty()) {
            values.push_back(std::nullopt);
            continue;
        }
        const std::optional<long> v = wholeNumber(t);
        if (!v)
            return false;
        values.push_back(v);
    }
    return consecutive(values);
}

void ScreenChrome::remove(Table& table, std::vector<std::string>& notes)
{
    for (int r = table.rows - 1; r >= 0; --r)
        if (empty(texts(table, true, r)))
            dropLine(table, true, r);
    for (int c = table.cols - 1; c >= 0; --c)
        if (empty(texts(table, false, c)))
            dropLine(table, false, c);

    if (table.rows >= 3 && columnLetters(texts(table, true, 0))) {
        dropLine(table, true, 0);
        notes.push_back("column letters above the table left out");
    }
    // Sort arrows drawn in header sections come back as a trailing mark.
    int arrows = 0;
    for (Cell& c : table.cells) {
        if (c.row != 0)
            continue;
        std::u32string cps = Unicode::decode(Unicode::trimmed(c.text));
        bool cut = false;
        while (cps.size() > 1 && sortArrows.find(cps.back()) != std::u32string_view::npos) {
            cps.pop_back();
            cut = true;
        }
        // An icon in front reads as a mark glued to the word ("+Difference").
        while (cps.size() > 2 && (sortArrows.find(cps[0]) != std::u32string_view::npos || cps[0] == U'+') &&
               Unicode::isLetter(cps[1])) {
            cps.erase(cps.begin());
            cut = true;
        }
        if (cut) {
            c.text = Unicode::trimmed(Unicode::encode(cps));
            ++arrows;
        }
    }
    if (arrows > 0)
        notes.push_back("sort arrow taken off " + std::to_string(arrows) + " header cells");

    // Row numbers count the header row too (a spreadsheet) or leave it empty (a widget's
    // row header); a numbered column of the table itself has a header text.
    if (table.cols >= 2 && table.rows >= 3) {
        const std::vector<std::string> first = texts(table, false, 0);
        if (rowNumbers(first) && std::count_if(first.begin(), first.end(), [](const std::string& t) {
                                     return !t.empty();
                                 }) >= static_cast<long>(first.size()) - 1) {
            dropLine(table, false, 0);
            notes.push_back("row numbers beside the table left out");
        }
    }
}

}  // namespace VozudOzev
