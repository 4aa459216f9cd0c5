#include "VozudOzev/Trust/TotalRowCheck.hpp"

#include "VozudOzev/Locale/Characters.hpp"
#include "VozudOzev/Locale/NumberParser.hpp"
#include "VozudOzev/Unicode.hpp"

#include <algorithm>

namespace VozudOzev::TotalRowCheck {

namespace {

constexpr std::string_view looseKeywords[] = {
    "grand total", "sub-total", "subtotal", "sub total", "totals",      "total",       "totale",      "totaal",    "totalt",
    "gesamtsumme", "gesamt",    "insgesamt", "zwischensumme", "summe",  "somme",       "total general", "total geral", "tong cong",
    "tong so",     "tong gia tri", "tong tien", "cong tien", "tong",    "合计",        "总计",        "合計",
};
constexpr std::string_view strictKeywords[] = {"sum", "cong", "ttl", "tot", "suma", "som"};
constexpr std::string_view notSumMarkers[] = {"avg",  "average", "mean", "median", "trung binh", "tb", "durchschnitt", "moyenne", "media", "ø"};
constexpr std::string_view derivedMarkers[] = {
    "loi nhuan", "lai gop", "lai thuan", "lai rong", "lo thuan", "thuan", "gop",     "ket qua", "profit",   "loss",     "income",
    "earnings",  "ebit",    "ebitda",    "net",      "gross",    "margin", "balance", "gewinn",  "verlust", "resultat", "benefice",
};

// Space-normalised, case and diacritics folded, "đ" read as "d".
std::string fold(std::string_view text)
{
    std::string f = Characters::folded(NumberParser::normalizeSpaces(text));
    std::string out;
    out.reserve(f.size());
    for (size_t i = 0; i < f.size(); ++i) {
        if (f.compare(i, 2, "\xC4\x91") == 0) {  // đ
            out += 'd';
            ++i;
        } else {
            out += f[i];
        }
    }
    return Characters::lowercased(out);
}

bool startsWithLetter(std::string_view text)
{
    if (text.empty())
        return false;
    const std::u32string first = Unicode::decode(text.substr(0, std::min<size_t>(4, text.size())));
    return !first.empty() && Characters::isLetter(first[0]);
}

// Words of a folded text: runs of letters (and "ø").
std::vector<std::string> words(std::string_view folded)
{
    std::vector<std::string> out;
    std::string word;
    for (char32_t cp : Unicode::decode(folded)) {
        if (Characters::isLetter(cp) || cp == U'ø') {
            Unicode::append(word, cp);
        } else if (!word.empty()) {
            out.push_back(std::move(word));
            word.clear();
        }
    }
    if (!word.empty())
        out.push_back(std::move(word));
    return out;
}

NumberStyle styleOf(const TableLocale& locale, int col)
{
    return col < static_cast<int>(locale.columns.size()) ? locale.columns[static_cast<size_t>(col)].numberStyle : locale.tableNumberStyle;
}

const std::string* cellAt(const std::vector<std::vector<std::string>>& grid, int row, int col)
{
    if (row < 0 || static_cast<size_t>(row) >= grid.size())
        return nullptr;
    const auto& r = grid[static_cast<size_t>(row)];
    if (col < 0 || static_cast<size_t>(col) >= r.size())
        return nullptr;
    return &r[static_cast<size_t>(col)];
}

// A local number (not a percentage) of the cell, for summing.
std::optional<ParsedNumber> summand(const std::vector<std::vector<std::string>>& grid, int row, int col, const TableLocale& locale)
{
    const std::string* text = cellAt(grid, row, col);
    if (!text)
        return std::nullopt;
    CellValue v = locale.classify(*text, col);
    if (v.kind != CellValue::Kind::number || v.number->kind == NumberKind::percent)
        return std::nullopt;
    return std::move(v.number);
}

// The number a total cell states: read from its start, never a percentage, never in a
// cell that says it is an average or the like.
std::optional<ParsedNumber> statedTotal(const std::vector<std::vector<std::string>>& grid, int row, int col, const TableLocale& locale)
{
    const std::string* text = cellAt(grid, row, col);
    if (!text || hasNotSumMarker(*text))
        return std::nullopt;
    auto n = NumberParser::leadingNumber(*text, styleOf(locale, col));
    if (!n || n->kind == NumberKind::percent)
        return std::nullopt;
    return n;
}

struct Candidate {
    std::vector<ParsedNumber> terms;
};

}  // namespace

bool isTotalLabel(std::string_view text)
{
    const std::string f = fold(text);
    if (f.empty())
        return false;
    for (std::string_view keyword : looseKeywords) {
        if (f.compare(0, keyword.size(), keyword) != 0)
            continue;
        const std::string_view rest = std::string_view(f).substr(keyword.size());
        if (rest.empty() || !startsWithLetter(rest))
            return true;
        if (Unicode::decode(keyword)[0] > 0x2E80)
            return true;  // CJK words run straight into what follows
    }
    for (std::string_view keyword : strictKeywords) {
        if (f.compare(0, keyword.size(), keyword) != 0)
            continue;
        const std::string rest = Unicode::trimmed(std::string_view(f).substr(keyword.size()));
        if (rest.empty() || !startsWithLetter(rest))
            return true;
    }
    return false;
}

bool hasNotSumMarker(std::string_view text)
{
    const std::string f = fold(text);
    if (f.find("trung binh") != std::string::npos)
        return true;
    for (const std::string& w : words(f))
        for (std::string_view marker : notSumMarkers)
            if (w == marker)
                return true;
    return false;
}

bool isDerived(const std::optional<std::string>& text)
{
    if (!text)
        return false;
    std::string padded = " ";
    for (const std::string& w : words(fold(*text))) {
        padded += w;
        padded += ' ';
    }
    for (std::string_view marker : derivedMarkers) {
        const std::string needle = " " + std::string(marker) + " ";
        if (padded.find(needle) != std::string::npos)
            return true;
    }
    return false;
}

std::optional<std::pair<std::string, int>> label(const std::vector<std::string>& row, const TableLocale& locale)
{
    for (size_t c = 0; c < row.size(); ++c)
        if (locale.classify(row[c], static_cast<int>(c)).kind == CellValue::Kind::text)
            return std::pair{NumberParser::normalizeSpaces(row[c]), static_cast<int>(c)};
    return std::nullopt;
}

bool isIndexColumn(const std::vector<ParsedNumber>& values)
{
    if (values.size() <= 2)
        return false;
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i].kind != NumberKind::number || values[i].fractionDigits != 0)
            return false;
        if (i > 0 && values[i].value != values[i - 1].value + Decimal(1))
            return false;
    }
    return true;
}

Decimal sum(const std::vector<ParsedNumber>& values)
{
    Decimal total;
    for (const auto& v : values)
        total += v.value;
    return total;
}

Decimal defaultTolerance(const std::vector<ParsedNumber>& values)
{
    int digits = 0;
    for (const auto& v : values)
        digits = std::max(digits, v.fractionDigits);
    if (values.empty() || digits < 1)
        return Decimal(1);
    const Decimal unit = Decimal::pow10(-digits);
    const Decimal spread = unit * Decimal::pow10(-1) * Decimal(5) * Decimal(static_cast<long long>(values.size()));
    return std::max(unit, spread);
}

std::vector<TotalRow> totalRows(const std::vector<std::vector<std::string>>& grid, int headerRows, const TableLocale& locale,
                                bool lastRowIsTotal)
{
    std::vector<TotalRow> out;
    const int rowCount = static_cast<int>(grid.size());
    for (int r = std::max(headerRows, 0); r < rowCount; ++r) {
        const auto found = label(grid[static_cast<size_t>(r)], locale);
        if (found && isTotalLabel(found->first)) {
            out.push_back({r, found->first, found->second});
            continue;
        }
        if (lastRowIsTotal && r == rowCount - 1 && r > headerRows)
            out.push_back({r, std::nullopt, std::nullopt});
    }
    return out;
}

std::vector<TotalCheckResult> check(const std::vector<std::vector<std::string>>& grid, int headerRows, const TableLocale& locale,
                                    const std::vector<ColumnTypeInfo>& types, bool lastRowIsTotal, const std::optional<Decimal>& tolerance)
{
    std::vector<TotalCheckResult> out;
    const std::vector<TotalRow> totals = totalRows(grid, headerRows, locale, lastRowIsTotal);
    if (totals.empty())
        return out;
    const int rowCount = static_cast<int>(grid.size());
    std::vector<int> data;
    for (int r = std::max(headerRows, 0); r < rowCount; ++r)
        if (std::none_of(totals.begin(), totals.end(), [r](const TotalRow& t) { return t.row == r; }))
            data.push_back(r);

    for (size_t p = 0; p < totals.size(); ++p) {
        const TotalRow& total = totals[p];
        const int t = total.row;
        const int prev = p > 0 ? totals[p - 1].row : headerRows - 1;
        const bool hasAbove = std::any_of(data.begin(), data.end(), [t](int r) { return r < t; });
        std::vector<int> section;
        bool derived = false;
        if (hasAbove) {
            for (int r : data)
                if (r > prev && r < t)
                    section.push_back(r);
            derived = isDerived(total.label);
            for (int r : section) {
                if (derived)
                    break;
                if (const auto l = label(grid[static_cast<size_t>(r)], locale))
                    derived = isDerived(l->first);
            }
        } else {
            const int next = p + 1 < totals.size() ? totals[p + 1].row : rowCount;
            for (int r : data)
                if (r > t && r < next)
                    section.push_back(r);
            derived = true;
        }

        TotalCheckResult result;
        result.row = t;
        result.label = total.label;
        for (const ColumnTypeInfo& info : types) {
            if (info.type != ColumnType::number && info.type != ColumnType::currency)
                continue;
            const int x = info.col;
            if (total.labelCol && x < *total.labelCol)
                continue;
            const auto found = statedTotal(grid, t, x, locale);
            if (!found)
                continue;

            std::vector<ParsedNumber> index;
            for (int r : data) {
                const std::string* text = cellAt(grid, r, x);
                if (!text)
                    continue;
                const CellValue v = locale.classify(*text, x);
                if (v.kind == CellValue::Kind::number && (v.number->kind == NumberKind::number || v.number->kind == NumberKind::currency))
                    index.push_back(*v.number);
            }
            if (isIndexColumn(index))
                continue;

            const auto numbersOf = [&](const std::vector<int>& rows) {
                std::vector<ParsedNumber> terms;
                for (int r : rows)
                    if (auto n = summand(grid, r, x, locale))
                        terms.push_back(std::move(*n));
                return terms;
            };
            std::vector<Candidate> candidates;
            const std::vector<ParsedNumber> sectionTerms = numbersOf(section);
            if (!sectionTerms.empty())
                candidates.push_back({sectionTerms});
            if (hasAbove) {
                // The nearest total above, carried forward with the rows after it.
                if (p > 0)
                    if (auto carried = statedTotal(grid, totals[p - 1].row, x, locale)) {
                        Candidate c{{*carried}};
                        c.terms.insert(c.terms.end(), sectionTerms.begin(), sectionTerms.end());
                        candidates.push_back(std::move(c));
                    }
                std::vector<int> above;
                for (int r : data)
                    if (r < t)
                        above.push_back(r);
                if (auto all = numbersOf(above); !all.empty())
                    candidates.push_back({std::move(all)});
                std::vector<ParsedNumber> subtotals;
                for (size_t q = 0; q < p; ++q)
                    if (auto s = statedTotal(grid, totals[q].row, x, locale))
                        subtotals.push_back(std::move(*s));
                if (subtotals.size() >= 2)
                    candidates.push_back({std::move(subtotals)});
            }
            if (candidates.empty())
                continue;

            bool agreed = false;
            for (const Candidate& c : candidates) {
                const Decimal expected = sum(c.terms);
                Decimal allowed;
                if (tolerance) {
                    allowed = *tolerance;
                } else {
                    std::vector<ParsedNumber> values{*found};
                    values.insert(values.end(), c.terms.begin(), c.terms.end());
                    allowed = defaultTolerance(values);
                }
                if ((expected - found->value).abs() <= allowed) {
                    result.columns.push_back({x, expected, found->value, true, static_cast<int>(c.terms.size())});
                    agreed = true;
                    break;
                }
            }
            if (agreed)
                continue;
            if (derived)
                result.unverifiableColumns.push_back(x);
            else
                result.columns.push_back({x, sum(candidates.front().terms), found->value, false, static_cast<int>(candidates.front().terms.size())});
        }
        if (!result.columns.empty() || !result.unverifiableColumns.empty())
            out.push_back(std::move(result));
    }
    return out;
}

}  // namespace VozudOzev::TotalRowCheck
