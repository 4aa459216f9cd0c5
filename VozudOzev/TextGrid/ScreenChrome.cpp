#include "VozudOzev/TextGrid/ScreenChrome.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <charconv>
#include <map>
#include <optional>
#include <set>

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

// The text without the marks (dashes, underscores, bars, dots) at either end.
std::string withoutMarksAround(const std::string& text)
{
    std::u32string cps = Unicode::decode(text);
    auto mark = [](char32_t c) { return !Unicode::isAlphanumeric(c); };
    while (!cps.empty() && mark(cps.back()))
        cps.pop_back();
    size_t from = 0;
    while (from < cps.size() && mark(cps[from]))
        ++from;
    return Unicode::encode(std::u32string_view(cps).substr(from));
}

// A number with one vertical stroke beside it ("l1", "1|", "[2"): a row number whose
// small digit the reading doubled with a stroke of its own or the bar's edge.
std::optional<long> numberWithStroke(const std::string& text)
{
    static constexpr std::string_view strokes = "lI|[]!i";
    if (text.size() < 2)
        return std::nullopt;
    if (strokes.find(text.front()) != std::string_view::npos)
        return wholeNumber(text.substr(1));
    if (strokes.find(text.back()) != std::string_view::npos)
        return wholeNumber(text.substr(0, text.size() - 1));
    return std::nullopt;
}

// As short as a row number, however misread: a few marks at most, blanks aside.
bool shortMark(const std::string& text)
{
    const std::vector<std::string> g = Unicode::graphemes(text);
    return std::count_if(g.begin(), g.end(), [](const std::string& c) { return c != " "; }) <= 4;
}

bool empty(const std::vector<std::string>& texts)
{
    return std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return t.empty(); });
}

}  // namespace

bool ScreenChrome::columnLetters(const std::vector<std::string>& texts)
{
    return letterOffset(texts).has_value();
}

std::optional<long> ScreenChrome::letterOffset(const std::vector<std::string>& texts)
{
    // The bar's letters are small and misread now and then: "C" as "Cc" or "c", "I" as "|".
    // Each reading offers its whole text and each of its letters as the column it names;
    // the places agree on one first column, and the readings that fit none are misread.
    // Every text in the bar is short: a header row of the table itself has words.
    std::vector<std::vector<long>> candidates(texts.size());
    int present = 0;
    for (size_t i = 0; i < texts.size(); ++i) {
        if (texts[i].empty())
            continue;
        ++present;
        if (Unicode::graphemes(texts[i]).size() > 3)
            return std::nullopt;
        if (const std::optional<long> v = letterIndex(texts[i]))
            candidates[i].push_back(*v);
        // Letters of a misread one count each, when it is letters only: "No." or "P/L" is
        // a header's abbreviation, never a bar letter.
        const bool lettersOnly = std::all_of(texts[i].begin(), texts[i].end(), [](char c) {
            return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        });
        if (texts[i].size() > 1 && lettersOnly)
            for (char c : texts[i])
                if (const std::optional<long> v = letterIndex(std::string(1, c)))
                    candidates[i].push_back(*v);
    }
    std::map<long, int> votes;
    for (size_t i = 0; i < candidates.size(); ++i) {
        std::set<long> offsets;
        for (long v : candidates[i])
            offsets.insert(v - static_cast<long>(i));
        for (long o : offsets)
            ++votes[o];
    }
    int fits = 0;
    long best = 0;
    for (const auto& [offset, n] : votes)
        if (n > fits) {
            fits = n;
            best = offset;
        }
    const int misread = present - fits;
    if (fits >= 2 && (misread == 0 || (fits >= 3 && misread <= std::max(1, fits / 3))))
        return best;
    return std::nullopt;
}

bool ScreenChrome::rowNumbers(const std::vector<std::string>& texts)
{
    // Marks beside a number ("7 —", "5_") are the row's own grid or a stray; one misread
    // number is let through below the first row among at least three good ones. The first
    // row holds a number or nothing: a numbered column of the table has a header text.
    std::vector<std::optional<long>> values;
    int good = 0;
    std::optional<size_t> misread;
    for (size_t i = 0; i < texts.size(); ++i) {
        std::optional<long> v = texts[i].empty() ? std::nullopt : wholeNumber(withoutMarksAround(texts[i]));
        // Only where it counts on with the numbers under it, as checked below.
        if (!v && !texts[i].empty() && i == 0)
            v = numberWithStroke(texts[i]);
        if (!texts[i].empty() && !v) {
            if (i == 0 || misread)
                return false;
            misread = i;
        }
        good += v ? 1 : 0;
        values.push_back(v);
    }
    if (misread) {
        // The misread place must count from 1 or more: a header text above a numbered
        // column ("TT", then 1, 2, ...) would stand at 0.
        const auto next = std::find_if(values.begin() + static_cast<std::ptrdiff_t>(*misread), values.end(),
                                        [](const std::optional<long>& v) { return v.has_value(); });
        if (good < 3 || next == values.end() ||
            **next - static_cast<long>(next - values.begin() - static_cast<std::ptrdiff_t>(*misread)) < 1)
            return false;
    }
    return consecutive(values);
}

void ScreenChrome::remove(Table& table, std::vector<std::string>& notes, bool sheetFrame)
{
    for (int r = table.rows - 1; r >= 0; --r)
        if (empty(texts(table, true, r)))
            dropLine(table, true, r);
    for (int c = table.cols - 1; c >= 0; --c)
        if (empty(texts(table, false, c)))
            dropLine(table, false, c);

    const std::optional<long> offset = table.rows >= 3 ? letterOffset(texts(table, true, 0)) : std::nullopt;
    const bool letters = offset.has_value();
    // The bar's letters start at "A" (1): a place before it is the corner over the row numbers.
    const bool cornerFirst = letters && *offset < 1 && texts(table, true, 0).front().empty();
    if (letters) {
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
    // row header); a numbered column of the table itself has a header text. Numbers from
    // the top row on are the sheet's only under its letter bar: a table without a header
    // row numbers its lines the same way.
    if (table.cols >= 2 && table.rows >= 3) {
        const std::vector<std::string> first = texts(table, false, 0);
        const long filled = std::count_if(first.begin(), first.end(), [](const std::string& t) { return !t.empty(); });
        if (rowNumbers(first) && (letters || sheetFrame || first.front().empty()) &&
            filled >= static_cast<long>(first.size()) - 1) {
            dropLine(table, false, 0);
            notes.push_back("row numbers beside the table left out");
        } else if (cornerFirst && std::all_of(first.begin(), first.end(), shortMark)) {
            // Under the bar's corner stand the row numbers however they read: small digits
            // in filled, bordered sections often come back as other marks ("L7]", "fs").
            dropLine(table, false, 0);
            notes.push_back("row numbers under the letter bar's corner left out, misread as they are");
        }
    }
}

}  // namespace VozudOzev
