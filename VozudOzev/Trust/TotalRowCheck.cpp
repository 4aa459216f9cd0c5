#include "VozudOzev/Trust/TotalRowCheck.hpp"

#include "VozudOzev/Locale/Characters.hpp"
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

std::vector<TotalCheckResult> check(const std::vector<std::vector<std::string>>& grid, int headerRows, const TableLocale& locale,
                                    const std::vector<ColumnTypeInfo>& types, bool lastRowIsTotal, const std::optional<Decimal>& tolerance)
{
    std::vector<TotalCheckResult> out;
    const std::vector<TotalRow> totals = totalRows(grid, headerRows, locale, lastRowIsTotal);
    if (totals.empty())
        return out;
    const int rowCount = static_cast<int>(grid.size());
    std::vector<bool> isTotal(static_cast<size_t>(rowCount), false);
    for (const TotalRow& t : totals)
        isTotal[static_cast<size_t>(t.row)] = true;
    std::vector<int> data;
    for (int r = std::max(headerRows, 0); r < rowCount; ++r)
        if (!isTotal[static_cast<size_t>(r)])
            data.push_back(r);

    // Sections and their derived marks depend on the rows only.
    struct Layout {
        bool hasAbove = false;
        size_t sectionBegin = 0, sectionEnd = 0;  // indices into data
        size_t aboveEnd = 0;                      // data[0, aboveEnd) lie above the total
        bool derived = false;
    };
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
                if (const auto lab = label(grid[static_cast<size_t>(data[i])], locale))
                    l.derived = isDerived(lab->first);
        } else {
            const int next = p + 1 < totals.size() ? totals[p + 1].row : rowCount;
            l.sectionBegin = l.aboveEnd;
            l.sectionEnd = static_cast<size_t>(std::lower_bound(data.begin(), data.end(), next) - data.begin());
            l.derived = true;
        }
    }

    std::vector<TotalCheckResult> results(totals.size());
    for (size_t p = 0; p < totals.size(); ++p) {
        results[p].row = totals[p].row;
        results[p].label = totals[p].label;
    }

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
    const auto allowed = [&](const ParsedNumber& found, const Sum& s) {
        if (tolerance)
            return *tolerance;
        const int d = std::max(found.fractionDigits, s.digits);
        if (d < 1)
            return Decimal(1);
        const Decimal unit = Decimal::pow10(-d);
        return std::max(unit, unit * Decimal::pow10(-1) * Decimal(5) * Decimal(s.terms + 1));
    };

    for (const ColumnTypeInfo& info : types) {
        if (info.type != ColumnType::number && info.type != ColumnType::currency)
            continue;
        const int x = info.col;

        // Every cell of the column is read once.
        std::vector<std::optional<ParsedNumber>> summands(data.size());
        std::vector<ParsedNumber> index;
        for (size_t i = 0; i < data.size(); ++i) {
            const std::string* text = cellAt(grid, data[i], x);
            if (!text)
                continue;
            CellValue v = locale.classify(*text, x);
            if (v.kind != CellValue::Kind::number)
                continue;
            if (v.number->kind != NumberKind::percent)
                index.push_back(*v.number);
            if (v.number->kind != NumberKind::percent)
                summands[i] = std::move(v.number);
        }
        if (isIndexColumn(index))
            continue;
        std::vector<Sum> prefix(data.size() + 1);  // prefix[i]: data[0, i)
        for (size_t i = 0; i < data.size(); ++i) {
            prefix[i + 1] = prefix[i];
            if (summands[i])
                prefix[i + 1].add(*summands[i]);
        }
        std::vector<std::optional<ParsedNumber>> stated(totals.size());
        for (size_t p = 0; p < totals.size(); ++p)
            stated[p] = statedTotal(grid, totals[p].row, x, locale);

        Sum earlierTotals;  // the stated totals of the rows before p
        for (size_t p = 0; p < totals.size(); ++p) {
            const Layout& l = layouts[p];
            const auto& found = stated[p];
            const bool leftOfLabel = totals[p].labelCol && x < *totals[p].labelCol;
            if (found && !leftOfLabel) {
                std::vector<Sum> candidates;
                Sum section;
                for (size_t i = l.sectionBegin; i < l.sectionEnd; ++i)
                    if (summands[i])
                        section.add(*summands[i]);
                if (section.terms > 0)
                    candidates.push_back(section);
                if (l.hasAbove) {
                    // The nearest total above, carried forward with the rows after it.
                    if (p > 0 && stated[p - 1]) {
                        Sum carried = section;
                        carried.add(*stated[p - 1]);
                        candidates.push_back(carried);
                    }
                    if (prefix[l.aboveEnd].terms > 0)
                        candidates.push_back(prefix[l.aboveEnd]);
                    if (earlierTotals.terms >= 2)
                        candidates.push_back(earlierTotals);
                }
                if (!candidates.empty()) {
                    bool agreed = false;
                    for (const Sum& c : candidates)
                        if ((c.total - found->value).abs() <= allowed(*found, c)) {
                            results[p].columns.push_back({x, c.total, found->value, true, c.terms});
                            agreed = true;
                            break;
                        }
                    if (!agreed) {
                        if (l.derived)
                            results[p].unverifiableColumns.push_back(x);
                        else
                            results[p].columns.push_back({x, candidates.front().total, found->value, false, candidates.front().terms});
                    }
                }
            }
            if (stated[p])
                earlierTotals.add(*stated[p]);
        }
    }

    for (auto& r : results)
        if (!r.columns.empty() || !r.unverifiableColumns.empty())
            out.push_back(std::move(r));
    return out;
}

}  // namespace VozudOzev::TotalRowCheck
