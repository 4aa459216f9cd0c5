#include "VozudOzev/Locale/NumberParser.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <vector>

namespace VozudOzev::NumberParser {

namespace {

using Text = Unicode::Clusters;

constexpr char32_t minusSigns[] = {U'-', U'\u2212', U'\u2013', U'\u2014', U'\u2012', U'\uFE63', U'\uFF0D'};

struct Multiplier {
    char32_t text[3];  // NUL-terminated
    long long factor;
};

// Tried in this order; the first one that ends the text decides.
constexpr Multiplier multipliers[] = {
    {U"bn", 1'000'000'000}, {U"mn", 1'000'000}, {U"K", 1'000}, {U"k", 1'000}, {U"M", 1'000'000}, {U"B", 1'000'000'000},
};

constexpr std::string_view currencyMarks[] = {
    "US$", "A$",  "C$",  "HK$", "S$",  "NZ$", "R$",  "VNĐ", "VND", "USD", "EUR", "GBP", "JPY", "CNY", "RMB",
    "AUD", "CAD", "CHF", "SGD", "HKD", "INR", "KRW", "THB", "IDR", "MYR", "PHP", "TWD", "SEK", "NOK", "DKK",
    "PLN", "CZK", "HUF", "RUB", "TRY", "BRL", "MXN", "ZAR", "NZD", "zł",  "kr",  "Kč",  "Rp",  "Ft",  "lei",
    "$",   "€",   "£",   "¥",   "₫",   "đ",   "₩",   "₹",   "₽",   "₺",   "₪",   "฿",   "₱",   "元",  "円",
};

// Marks whose minor unit is not used, so a three-digit tail groups thousands.
constexpr std::string_view zeroDecimalCurrencies[] = {"₫", "đ", "vnd", "vnđ", "¥", "円", "jpy", "₩", "krw"};

struct Mark {
    std::vector<std::u32string> clusters;  // lower-cased
    char32_t head = 0;                     // first code point of the first and of the last cluster,
    char32_t tail = 0;                     // to turn most marks away at once
    bool firstIsLetter = false;
    bool lastIsLetter = false;
};

struct MarkTable {
    std::vector<Mark> marks;  // longest first (in characters), equal lengths in listed order
    std::u32string heads;     // every Mark::head, so that a text starting with a digit costs nothing
    std::u32string tails;
};

const MarkTable& markTable()
{
    static const MarkTable table = [] {
        std::vector<Mark> out;
        for (std::string_view spelling : currencyMarks) {
            const Text t = Unicode::clusters(spelling);
            Mark m;
            for (size_t i = 0; i < t.size(); ++i) {
                std::u32string c(t.cluster(i));
                for (char32_t& cp : c)
                    cp = Unicode::lowercased(cp);
                m.clusters.push_back(std::move(c));
            }
            m.head = m.clusters.front().front();
            m.tail = m.clusters.back().front();
            m.firstIsLetter = Unicode::isLetter(t.first(0));
            m.lastIsLetter = Unicode::isLetter(t.first(t.size() - 1));
            out.push_back(std::move(m));
        }
        std::stable_sort(out.begin(), out.end(), [](const Mark& a, const Mark& b) { return a.clusters.size() > b.clusters.size(); });
        MarkTable t;
        for (const Mark& m : out) {
            if (t.heads.find(m.head) == std::u32string::npos)
                t.heads += m.head;
            if (t.tails.find(m.tail) == std::u32string::npos)
                t.tails += m.tail;
        }
        t.marks = std::move(out);
        return t;
    }();
    return table;
}

bool sameLowercased(const Text& s, size_t i, const std::u32string& lowered)
{
    const std::u32string_view c = s.cluster(i);
    if (c.size() != lowered.size())
        return false;
    for (size_t k = 0; k < c.size(); ++k)
        if (Unicode::lowercased(c[k]) != lowered[k])
            return false;
    return true;
}

// Characters of the currency mark at the start of s[from, to), or 0.
size_t prefixMark(const Text& s, size_t from, size_t to)
{
    const size_t n = to - from;
    const char32_t head = Unicode::lowercased(s.first(from));
    const MarkTable& table = markTable();
    if (table.heads.find(head) == std::u32string::npos)
        return 0;
    for (const Mark& m : table.marks) {
        const size_t k = m.clusters.size();
        if (k >= n || m.head != head)
            continue;
        bool match = true;
        for (size_t j = 0; j < k && match; ++j)
            match = sameLowercased(s, from + j, m.clusters[j]);
        if (match && (!m.lastIsLetter || !Unicode::isLetter(s.first(from + k))))
            return k;
    }
    return 0;
}

size_t suffixMark(const Text& s, size_t from, size_t to)
{
    const size_t n = to - from;
    const char32_t tail = Unicode::lowercased(s.first(to - 1));
    const MarkTable& table = markTable();
    if (table.tails.find(tail) == std::u32string::npos)
        return 0;
    for (const Mark& m : table.marks) {
        const size_t k = m.clusters.size();
        if (k >= n || m.tail != tail)
            continue;
        bool match = true;
        for (size_t j = 0; j < k && match; ++j)
            match = sameLowercased(s, to - k + j, m.clusters[j]);
        if (match && (!m.firstIsLetter || !Unicode::isLetter(s.first(to - k - 1))))
            return k;
    }
    return 0;
}

bool isMinus(const Text& s, size_t i)
{
    const std::u32string_view c = s.cluster(i);
    return c.size() == 1 && std::find(std::begin(minusSigns), std::end(minusSigns), c[0]) != std::end(minusSigns);
}

bool isBodyCharacter(char32_t c)
{
    return Unicode::isAsciiDigit(c) || c == U',' || c == U'.' || c == U' ' || c == U'\'' || c == U'\u2019';
}

bool isGroupCharacter(char32_t c, NumberStyle style)
{
    if (c == U' ' || c == U'\'' || c == U'\u2019')
        return true;
    return style == NumberStyle::dotDecimal ? c == U',' : c == U'.';
}

Text normalizedSpaces(const Text& in)
{
    Text out;
    out.points.reserve(in.points.size());
    out.starts.reserve(in.size());
    bool pending = false;
    bool started = false;
    for (size_t i = 0; i < in.size(); ++i) {
        if (Unicode::isWhitespace(in.first(i))) {
            pending = started;
            continue;
        }
        if (pending) {
            out.starts.push_back(static_cast<uint32_t>(out.points.size()));
            out.points.push_back(U' ');
            pending = false;
        }
        out.starts.push_back(static_cast<uint32_t>(out.points.size()));
        out.points.append(in.cluster(i));
        started = true;
    }
    return out;
}

// split() and normalizedSpaces() in one pass for the common all-ASCII text, where every
// byte is a character of its own (CR LF is a space either way).
Text spacedText(std::string_view text)
{
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return normalizedSpaces(Unicode::clusters(text));
    Text out;
    out.points.reserve(text.size());
    out.starts.reserve(text.size());
    bool pending = false;
    bool started = false;
    for (char c : text) {
        if (Unicode::isWhitespace(static_cast<unsigned char>(c))) {
            pending = started;
            continue;
        }
        if (pending) {
            out.starts.push_back(static_cast<uint32_t>(out.points.size()));
            out.points.push_back(U' ');
            pending = false;
        }
        out.starts.push_back(static_cast<uint32_t>(out.points.size()));
        out.points.push_back(static_cast<unsigned char>(c));
        started = true;
    }
    return out;
}

bool hasAsciiDigit(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), Unicode::isAsciiDigit);
}

std::string lowercasedSpelling(const std::string& spelling)
{
    return Unicode::lowercased(spelling);
}

bool isZeroDecimal(const std::string& currency)
{
    const std::string lowered = Unicode::lowercased(currency);
    return std::find(std::begin(zeroDecimalCurrencies), std::end(zeroDecimalCurrencies), lowered) != std::end(zeroDecimalCurrencies);
}

}  // namespace

std::string normalizeSpaces(std::string_view text)
{
    // Most cells are plain ASCII already in shape: copied as they are.
    bool settled = !text.empty() && text.front() != ' ' && text.back() != ' ';
    for (size_t i = 0; i < text.size() && settled; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        settled = c >= 0x80 ? false : c == ' ' ? text[i + 1] != ' ' : !Unicode::isWhitespace(c);
    }
    if (settled)
        return std::string(text);
    const Text t = spacedText(text);
    return t.utf8(0, t.size());
}

namespace {

// Peels signs, brackets, a percent sign, currency marks and a multiplier off both ends
// of a text, leaving its body between from and to.
class Affixes {
public:
    explicit Affixes(const Text& s) : s_(s), to_(s.size()) {}

    // False when the affixes make the text no number.
    bool peel()
    {
        for (int pass = 0; pass < 12; ++pass) {
            switch (peelOne()) {
            case Step::invalid: return false;
            case Step::none: return true;
            case Step::peeled: break;
            }
        }
        return true;
    }

    void trim()
    {
        while (from_ < to_ && Unicode::isWhitespace(s_.first(from_)))
            ++from_;
        while (to_ > from_ && Unicode::isWhitespace(s_.first(to_ - 1)))
            --to_;
    }

    size_t from() const { return from_; }
    size_t to() const { return to_; }
    Parts& parts() { return parts_; }

private:
    enum class Step { peeled, none, invalid };

    Step peelOne()
    {
        trim();
        if (from_ == to_)
            return Step::invalid;
        if (peelSign())
            return Step::peeled;
        if (s_.is(to_ - 1, U'%') || s_.is(from_, U'%')) {
            if (parts_.percent)
                return Step::invalid;
            if (s_.is(to_ - 1, U'%'))
                --to_;
            else
                ++from_;
            parts_.percent = true;
            return Step::peeled;
        }
        if (const size_t k = prefixMark(s_, from_, to_)) {
            if (!takeCurrency(from_, from_ + k))
                return Step::invalid;
            from_ += k;
            return Step::peeled;
        }
        if (const size_t k = suffixMark(s_, from_, to_)) {
            if (!takeCurrency(to_ - k, to_))
                return Step::invalid;
            to_ -= k;
            return Step::peeled;
        }
        if (parts_.multiplier || parts_.percent)
            return Step::none;
        return peelMultiplier() ? Step::peeled : Step::none;
    }

    // Brackets, a minus at either end or a leading plus, never the text's only character.
    bool peelSign()
    {
        if (to_ - from_ < 2)
            return false;
        if ((s_.is(from_, U'(') && s_.is(to_ - 1, U')')) || (s_.is(from_, U'[') && s_.is(to_ - 1, U']'))) {
            parts_.negative = !parts_.negative;
            ++from_;
            --to_;
        } else if (isMinus(s_, from_)) {
            parts_.negative = !parts_.negative;
            ++from_;
        } else if (isMinus(s_, to_ - 1)) {
            parts_.negative = !parts_.negative;
            --to_;
        } else if (s_.is(from_, U'+')) {
            ++from_;
        } else {
            return false;
        }
        return true;
    }

    // Records a currency mark; a second, different mark makes the text no number.
    bool takeCurrency(size_t begin, size_t end)
    {
        std::string spelling = s_.utf8(begin, end);
        if (parts_.currency && lowercasedSpelling(*parts_.currency) != lowercasedSpelling(spelling))
            return false;
        parts_.currency = std::move(spelling);
        return true;
    }

    bool peelMultiplier()
    {
        const size_t n = to_ - from_;
        for (const Multiplier& m : multipliers) {
            const size_t len = std::char_traits<char32_t>::length(m.text);
            if (len > n)
                continue;
            bool ends = true;
            for (size_t j = 0; j < len && ends; ++j)
                ends = s_.is(to_ - len + j, m.text[j]);
            if (!ends)
                continue;
            // The first suffix that ends the text decides, even when it does not fit.
            if (len < n &&
                (Unicode::isAsciiDigit(s_.first(to_ - len - 1)) ? s_.cluster(to_ - len - 1).size() == 1 : s_.is(to_ - len - 1, U' '))) {
                parts_.multiplier = Decimal(m.factor);
                to_ -= len;
                return true;
            }
            return false;
        }
        return false;
    }

    const Text& s_;
    size_t from_ = 0;
    size_t to_;
    Parts parts_;
};

// Digits, the separators and group characters only, starting with a digit or a
// separator and ending with a digit.
bool isBody(const Text& s, size_t from, size_t to)
{
    for (size_t i = from; i < to; ++i)
        if (s.cluster(i).size() != 1 || !isBodyCharacter(s.first(i)))
            return false;
    const char32_t first = s.first(from);
    return Unicode::isAsciiDigit(s.first(to - 1)) && (Unicode::isAsciiDigit(first) || first == U'.' || first == U',');
}

// The body is ASCII but for "’"; it stands in as one byte so that the rest can count
// bytes as characters.
constexpr char apostrophe = '\x01';

std::string withOneByteApostrophes(const std::string& text)
{
    std::string body;
    body.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 3, "\xE2\x80\x99") == 0) {
            body += apostrophe;
            i += 2;
        } else {
            body += text[i];
        }
    }
    return body;
}

// The digits of the integer part: one group character of the style throughout, a first
// group of one to three digits without a leading zero, then groups of three.
std::optional<std::string> integerDigits(std::string_view integer, NumberStyle style)
{
    char group = 0;
    for (char c : integer) {
        if (Unicode::isAsciiDigit(c))
            continue;
        if (group != 0 && c != group)
            return std::nullopt;
        group = c;
    }
    if (group == 0)
        return std::string(integer);
    if (!isGroupCharacter(group == apostrophe ? U'\u2019' : static_cast<char32_t>(group), style))
        return std::nullopt;
    std::string digits;
    size_t start = 0;
    bool firstGroup = true;
    while (true) {
        const size_t end = integer.find(group, start);
        const std::string_view piece = integer.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (firstGroup ? (piece.empty() || piece.size() > 3 || piece[0] == '0') : piece.size() != 3)
            return std::nullopt;
        digits += piece;
        firstGroup = false;
        if (end == std::string_view::npos)
            return digits;
        start = end + 1;
    }
}

// The texts and kind of a read value: the multiplied value when a multiplier was peeled,
// else the digits as written without leading zeros.
ParsedNumber described(const Parts& parts, const Decimal& value, const std::string& digits, bool hasFraction,
                       std::string_view fraction)
{
    ParsedNumber out;
    out.value = value;
    if (parts.multiplier) {
        out.normalized = value.toString();
        out.fractionDigits = 0;
    } else {
        const size_t nonZero = digits.find_first_not_of('0');
        out.normalized = parts.negative && !value.isZero() ? "-" : "";
        out.normalized += nonZero == std::string::npos ? "0" : digits.substr(nonZero);
        if (hasFraction)
            out.normalized += "." + std::string(fraction);
        out.fractionDigits = static_cast<int>(fraction.size());
    }
    if (parts.percent) {
        out.normalized += "%";
        out.kind = NumberKind::percent;
    } else {
        out.kind = parts.currency ? NumberKind::currency : NumberKind::number;
    }
    out.currency = parts.currency;
    return out;
}

}  // namespace

std::optional<Parts> decompose(std::string_view text)
{
    // Spaces never become digits, so a text without one is turned away before any work.
    if (!hasAsciiDigit(text))
        return std::nullopt;
    const Text s = spacedText(text);
    Affixes affixes(s);
    if (!affixes.peel())
        return std::nullopt;
    affixes.trim();
    Parts& parts = affixes.parts();
    if (affixes.from() == affixes.to() || (parts.percent && parts.currency) ||
        !isBody(s, affixes.from(), affixes.to()))
        return std::nullopt;
    parts.body = s.utf8(affixes.from(), affixes.to());
    return std::move(parts);
}

std::optional<ParsedNumber> build(const Parts& parts, NumberStyle style)
{
    const std::string body = withOneByteApostrophes(parts.body);
    const char separator = style == NumberStyle::dotDecimal ? '.' : ',';
    const size_t cut = body.find(separator);
    const std::string_view integer = std::string_view(body).substr(0, cut);
    std::string_view fraction;
    const bool hasFraction = cut != std::string::npos;
    if (hasFraction) {
        fraction = std::string_view(body).substr(cut + 1);
        if (fraction.empty() || !std::all_of(fraction.begin(), fraction.end(), Unicode::isAsciiDigit))
            return std::nullopt;  // a second separator lands here too
        if (fraction.size() == 3 && parts.currency && isZeroDecimal(*parts.currency))
            return std::nullopt;
    }

    std::optional<std::string> digits = integerDigits(integer, style);
    if (!digits)
        return std::nullopt;
    if (digits->empty())
        *digits = "0";
    std::optional<Decimal> read = Decimal::parse(hasFraction ? *digits + "." + std::string(fraction) : *digits);
    if (!read)
        return std::nullopt;
    Decimal value = *read;
    if (parts.multiplier)
        value = value * *parts.multiplier;
    if (parts.negative)
        value = -value;
    return described(parts, value, *digits, hasFraction, fraction);
}

std::optional<ParsedNumber> parse(std::string_view text, NumberStyle style)
{
    const auto parts = decompose(text);
    if (!parts)
        return std::nullopt;
    return build(*parts, style);
}

std::optional<NumberCandidates> candidates(std::string_view text)
{
    const auto parts = decompose(text);
    if (!parts)
        return std::nullopt;
    NumberCandidates c{build(*parts, NumberStyle::dotDecimal), build(*parts, NumberStyle::commaDecimal)};
    if (!c.dot && !c.comma)
        return std::nullopt;
    return c;
}

std::optional<ParsedNumber> leadingNumber(std::string_view text, NumberStyle style)
{
    constexpr size_t maxPrefixBytes = 256;
    if (auto whole = parse(text, style))
        return whole;
    const std::string spaced = normalizeSpaces(text);
    std::vector<std::string_view> words;
    for (size_t start = 0; start <= spaced.size();) {
        const size_t end = std::min(spaced.find(' ', start), spaced.size());
        if (end > start)
            words.push_back(std::string_view(spaced).substr(start, end - start));
        start = end + 1;
    }
    if (words.size() < 2)
        return std::nullopt;
    std::optional<ParsedNumber> latest;
    std::string prefix;
    for (size_t k = 1; k < words.size(); ++k) {
        if (k > 1)
            prefix += ' ';
        prefix += words[k - 1];
        // No number is written this long; stopping keeps a page of words from costing
        // time in the square of its length.
        if (prefix.size() > maxPrefixBytes)
            break;
        if (auto reading = parse(prefix, style))
            latest = std::move(reading);
        else if (latest)
            return latest;
    }
    return latest;
}

}  // namespace VozudOzev::NumberParser
