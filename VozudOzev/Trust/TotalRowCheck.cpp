#include "VozudOzev/Trust/TotalRowCheck.hpp"

#include "VozudOzev/Locale/NumberParser.hpp"
#include "VozudOzev/Model/Unicode.hpp"

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
    std::string f = Unicode::folded(NumberParser::normalizeSpaces(text));
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
    return Unicode::lowercased(out);
}

bool startsWithLetter(std::string_view text)
{
    if (text.empty())
        return false;
    const std::u32string first = Unicode::decode(text.substr(0, std::min<size_t>(4, text.size())));
    return !first.empty() && Unicode::isLetter(first[0]);
}

// Words of a folded text: runs of letters (and "ø").
std::vector<std::string> words(std::string_view folded)
{
    std::vector<std::string> out;
    std::string word;
    for (char32_t cp : Unicode::decode(folded)) {
        if (Unicode::isLetter(cp) || cp == U'ø') {
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

namespace {

// Sections and their derived marks depend on the rows only.
struct Layout {
    bool hasAbove = false;
    size_t sectionBegin = 0, sectionEnd = 0;  // indices into the data rows
    size_t aboveEnd = 0;                      // data[0, aboveEnd) lie above the total
    bool derived = false;
};

// A sum with what its tolerance needs: how many terms and their finest fraction.
struct Sum {
    Decimal total;
    int terms = 0;
    int digits = 0;
    void add(const ParsedNumber& n)
    {
        total += n.value;
        ++terms;
        digits = std::max(digits, n.fractionDigits);
    }
};

// What the checks of every column share.
struct Rows {
    const std::vector<std::vector<std::string>>& grid;
    const TableLocale& locale;
    const std::vector<TotalRow>& totals;
    std::vector<int> data;  // the rows below the header that are not totals
    std::vector<Layout> layouts;
};

std::vector<int> dataRows(size_t rowCount, int headerRows, const std::vector<TotalRow>& totals)
{
    std::vector<bool> isTotal(rowCount, false);
    for (const TotalRow& t : totals)
        isTotal[static_cast<size_t>(t.row)] = true;
    std::vector<int> data;
    for (int r = std::max(headerRows, 0); r < static_cast<int>(rowCount); ++r)
        if (!isTotal[static_cast<size_t>(r)])
            data.push_back(r);
    return data;
}

// The section each total closes: the rows since the previous total, or, for a total with
// nothing above it, the rows up to the next one (then always a derived figure).
std::vector<Layout> sectionLayouts(const Rows& rows, int headerRows)
{
    const std::vector<TotalRow>& totals = rows.totals;
    const std::vector<int>& data = rows.data;
    std::vector<Layout> layouts(totals.size());
    for (size_t p = 0; p < totals.size(); ++p) {
        const int t = totals[p].row;
        const int prev = p > 0 ? totals[p - 1].row : headerRows - 1;
        Layout& l = layouts[p];
        l.aboveEnd = static_cast<size_t>(std::lower_bound(data.begin(), data.end(), t) - data.begin());
        l.hasAbove = l.aboveEnd > 0;
        if (l.hasAbove) {
            l.sectionBegin = static_cast<size_t>(std::upper_bound(data.begin(), data.end(), prev) - data.begin());
            l.sectionEnd = l.aboveEnd;
            l.derived = isDerived(totals[p].label);
            for (size_t i = l.sectionBegin; i < l.sectionEnd && !l.derived; ++i)
                if (const auto lab = label(rows.grid[static_cast<size_t>(data[i])], rows.locale))
                    l.derived = isDerived(lab->first);
        } else {
            const int next = p + 1 < totals.size() ? totals[p + 1].row : static_cast<int>(rows.grid.size());
            l.sectionBegin = l.aboveEnd;
            l.sectionEnd = static_cast<size_t>(std::lower_bound(data.begin(), data.end(), next) - data.begin());
            l.derived = true;
        }
    }
    return layouts;
}

// The numbers of column x in the data rows, read once; nothing for a column of row numbers.
std::optional<std::vector<std::optional<ParsedNumber>>> summandsOf(const Rows& rows, int x)
{
    std::vector<std::optional<ParsedNumber>> summands(rows.data.size());
    std::vector<ParsedNumber> index;
    for (size_t i = 0; i < rows.data.size(); ++i) {
        const std::string* text = cellAt(rows.grid, rows.data[i], x);
        if (!text)
            continue;
        CellValue v = rows.locale.classify(*text, x);
        if (v.kind != CellValue::Kind::number || v.number->kind == NumberKind::percent)
            continue;
        index.push_back(*v.number);
        summands[i] = std::move(v.number);
    }
    if (isIndexColumn(index))
        return std::nullopt;
    return summands;
}

// The sums a stated total may be: its section, the section carried from the total above,
// everything above it, or the totals before it.
std::vector<Sum> candidateSums(const Layout& l, const std::vector<std::optional<ParsedNumber>>& summands,
                               const Sum& everythingAbove, const std::optional<ParsedNumber>& totalAbove,
                               const Sum& earlierTotals)
{
    std::vector<Sum> candidates;
    Sum section;
    for (size_t i = l.sectionBegin; i < l.sectionEnd; ++i)
        if (summands[i])
            section.add(*summands[i]);
    if (section.terms > 0)
        candidates.push_back(section);
    if (!l.hasAbove)
        return candidates;
    if (totalAbove) {
        Sum carried = section;
        carried.add(*totalAbove);
        candidates.push_back(carried);
    }
    if (everythingAbove.terms > 0)
        candidates.push_back(everythingAbove);
    if (earlierTotals.terms >= 2)
        candidates.push_back(earlierTotals);
    return candidates;
}

Decimal allowedDifference(const ParsedNumber& found, const Sum& s, const std::optional<Decimal>& tolerance)
{
    if (tolerance)
        return *tolerance;
    const int d = std::max(found.fractionDigits, s.digits);
    if (d < 1)
        return Decimal(1);
    const Decimal unit = Decimal::pow10(-d);
    return std::max(unit, unit * Decimal::pow10(-1) * Decimal(5) * Decimal(s.terms + 1));
}

// The first candidate that agrees with the stated total; else a mismatch against the first,
// or, for a derived figure, a column that cannot be verified.
void judge(const std::vector<Sum>& candidates, const ParsedNumber& found, int x, bool derived,
           const std::optional<Decimal>& tolerance, TotalCheckResult& result)
{
    if (candidates.empty())
        return;
    for (const Sum& c : candidates)
        if ((c.total - found.value).abs() <= allowedDifference(found, c, tolerance)) {
            result.columns.push_back({x, c.total, found.value, true, c.terms});
            return;
        }
    if (derived)
        result.unverifiableColumns.push_back(x);
    else
        result.columns.push_back({x, candidates.front().total, found.value, false, candidates.front().terms});
}

void checkColumn(const Rows& rows, int x, const std::optional<Decimal>& tolerance,
                 std::vector<TotalCheckResult>& results)
{
    const auto summands = summandsOf(rows, x);
    if (!summands)
        return;
    std::vector<Sum> prefix(rows.data.size() + 1);  // prefix[i]: data[0, i)
    for (size_t i = 0; i < rows.data.size(); ++i) {
        prefix[i + 1] = prefix[i];
        if ((*summands)[i])
            prefix[i + 1].add(*(*summands)[i]);
    }
    const std::vector<TotalRow>& totals = rows.totals;
    std::vector<std::optional<ParsedNumber>> stated(totals.size());
    for (size_t p = 0; p < totals.size(); ++p)
        stated[p] = statedTotal(rows.grid, totals[p].row, x, rows.locale);

    Sum earlierTotals;  // the stated totals of the rows before p
    for (size_t p = 0; p < totals.size(); ++p) {
        const Layout& l = rows.layouts[p];
        const bool leftOfLabel = totals[p].labelCol && x < *totals[p].labelCol;
        if (stated[p] && !leftOfLabel) {
            const std::optional<ParsedNumber> totalAbove = p > 0 ? stated[p - 1] : std::nullopt;
            judge(candidateSums(l, *summands, prefix[l.aboveEnd], totalAbove, earlierTotals), *stated[p], x,
                  l.derived, tolerance, results[p]);
        }
        if (stated[p])
            earlierTotals.add(*stated[p]);
    }
}

}  // namespace

std::vector<TotalCheckResult> check(const std::vector<std::vector<std::string>>& grid, int headerRows, const TableLocale& locale,
                                    const std::vector<ColumnTypeInfo>& types, bool lastRowIsTotal, const std::optional<Decimal>& tolerance)
{
    const std::vector<TotalRow> totals = totalRows(grid, headerRows, locale, lastRowIsTotal);
    if (totals.empty())
        return {};
    Rows rows{grid, locale, totals, dataRows(grid.size(), headerRows, totals), {}};
    rows.layouts = sectionLayouts(rows, headerRows);

    std::vector<TotalCheckResult> results(totals.size());
    for (size_t p = 0; p < totals.size(); ++p) {
        results[p].row = totals[p].row;
        results[p].label = totals[p].label;
    }
    for (const ColumnTypeInfo& info : types)
        if (info.type == ColumnType::number || info.type == ColumnType::currency)
            checkColumn(rows, info.col, tolerance, results);

    std::vector<TotalCheckResult> out;
    for (auto& r : results)
        if (!r.columns.empty() || !r.unverifiableColumns.empty())
            out.push_back(std::move(r));
    return out;
}

}  // namespace VozudOzev::TotalRowCheck
