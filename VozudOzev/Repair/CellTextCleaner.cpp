#include "VozudOzev/Repair/CellTextCleaner.hpp"

#include "VozudOzev/Repair/CellTextCleanerTables.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>
#include <unordered_map>
#include <type_traits>
#include <unordered_set>

namespace VozudOzev::CellTextCleaner {

// Every look-up key below is one code point; a character (grapheme cluster) matches a key
// only when it is exactly that code point, so a letter with a combining mark never does.

const std::unordered_map<std::string, std::string>& digitLookalikes()
{
    static const std::unordered_map<std::string, std::string> table{
        {"O", "0"}, {"o", "0"}, {"\u041E", "0"}, {"\u043E", "0"}, {"\u039F", "0"}, {"\u03BF", "0"},
        {"l", "1"}, {"I", "1"}, {"\u0456", "1"}, {"\u04CF", "1"}, {"\u0399", "1"},
        {"\u0431", "6"},
        {"\u0417", "3"}, {"\u0437", "3"},
    };
    return table;
}

namespace {

const std::unordered_map<std::string, std::string>& latinHomoglyphs()
{
    static const std::unordered_map<std::string, std::string> table{
        // Cyrillic lower case
        {"\u0430", "a"}, {"\u0435", "e"}, {"\u043E", "o"}, {"\u0440", "p"}, {"\u0441", "c"},
        {"\u0443", "y"}, {"\u0445", "x"}, {"\u0456", "i"}, {"\u0458", "j"}, {"\u0455", "s"},
        // Cyrillic upper case
        {"\u0410", "A"}, {"\u0412", "B"}, {"\u0415", "E"}, {"\u041A", "K"}, {"\u041C", "M"},
        {"\u041D", "H"}, {"\u041E", "O"}, {"\u0420", "P"}, {"\u0421", "C"}, {"\u0422", "T"},
        {"\u0425", "X"}, {"\u0406", "I"}, {"\u0408", "J"}, {"\u0405", "S"},
        // Greek
        {"\u03A5", "Y"}, {"\u0391", "A"}, {"\u0392", "B"}, {"\u0395", "E"}, {"\u039A", "K"},
        {"\u039C", "M"}, {"\u039D", "N"}, {"\u039F", "O"}, {"\u03A1", "P"}, {"\u03A4", "T"},
        {"\u03A7", "X"}, {"\u0396", "Z"}, {"\u03BF", "o"},
        // Cyrillic lower case that OCR reads from small capitals
        {"\u043C", "M"}, {"\u0432", "B"}, {"\u043D", "H"}, {"\u0442", "T"}, {"\u043A", "K"},
    };
    return table;
}

const std::set<std::string, std::less<>>& unitSet()
{
    static const std::set<std::string, std::less<>> set{
        "s", "m", "h", "d", "ms", "min", "k", "K", "M", "B", "KB", "MB", "GB", "TB", "x", "\u0111", "\u20AB", "%",
    };
    return set;
}

const std::unordered_set<std::string>& zeroUnits()
{
    static const std::unordered_set<std::string> set{"KB", "MB", "GB", "TB", "kB", "ms", "px", "pt", "%"};
    return set;
}

const std::unordered_set<std::string>& keepSymbols()
{
    static const std::unordered_set<std::string> set{
        "-", "\u2013", "\u2014", "+", "(", ")", "[", "]", "\"", "'", "\u201C", "\u201D", "\u2018", "\u2019",
        "$", "\u20AC", "\u00A3", "\u00A5", "\u20AB", "#", "%", "\u2026", ".", ",", ":", ";", "/", "=", "<", ">",
        "\u2264", "\u2265", "~", "\u00D7", "*",
    };
    return set;
}

bool isSmallCapital(std::string_view c)
{
    return c == "\u043C" || c == "\u0432" || c == "\u043D" || c == "\u0442" || c == "\u043A";
}

bool isCaselessShape(std::string_view c)
{
    return c.size() == 1 && std::string_view("ocxpsvwzu").find(c[0]) != std::string_view::npos;
}

bool isDigitChar(std::string_view c)
{
    return c.size() == 1 && Unicode::isAsciiDigit(c[0]);
}

std::vector<std::string> characters(std::string_view s)
{
    return Unicode::graphemes(s);
}

// Whether the text is exactly one character, without splitting plain ASCII.
bool isOneCharacter(std::string_view s)
{
    if (s.empty())
        return false;
    if (s.size() == 1)
        return true;
    if (Unicode::isAscii(s))
        return s == "\r\n";
    return characters(s).size() == 1;
}

char32_t firstScalar(std::string_view c)
{
    const std::u32string cps = Unicode::decode(c);
    return cps.empty() ? 0 : cps.front();
}

bool isLetterChar(std::string_view c)
{
    return !c.empty() && Unicode::isLetter(firstScalar(c));
}

bool isNumberChar(std::string_view c)
{
    return !c.empty() && Unicode::isNumber(firstScalar(c));
}

// A letter whose scalars all lie in the Latin blocks; decomposed accents (U+0300...) do not,
// which is why texts are brought to NFC first.
bool isLatinLetter(std::string_view c)
{
    const std::u32string cps = Unicode::decode(c);
    if (cps.empty() || !Unicode::isLetter(cps.front()))
        return false;
    return std::all_of(cps.begin(), cps.end(), [](char32_t cp) { return cp < 0x250 || (cp >= 0x1E00 && cp <= 0x1EFF); });
}

// U+0340...U+04FF start with the lead bytes 0xCD...0xD3; without one no character of the
// text can be Cyrillic or Greek.
bool mayHoldCyrillicOrGreek(std::string_view s)
{
    return std::any_of(s.begin(), s.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return b >= 0xCD && b <= 0xD3;
    });
}

bool mayHoldDigitLookalike(std::string_view s)
{
    return std::any_of(s.begin(), s.end(), [](char c) {
        const auto b = static_cast<unsigned char>(c);
        return c == 'O' || c == 'o' || c == 'l' || c == 'I' || (b >= 0xCE && b <= 0xD3);
    });
}

template <class Token = std::string>
std::vector<Token> tokens(std::string_view text)
{
    std::vector<Token> out;
    out.reserve(4);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(' ', start);
        if (end == std::string_view::npos)
            end = text.size();
        if (end > start)
            out.emplace_back(text.substr(start, end - start));
        start = end + 1;
    }
    return out;
}

std::string joined(std::vector<std::string>::const_iterator begin, std::vector<std::string>::const_iterator end,
                    std::string_view separator)
{
    std::string out;
    for (auto it = begin; it != end; ++it) {
        if (it != begin)
            out += separator;
        out += *it;
    }
    return out;
}

// The number pattern ^[+\-−(\[]?[$€£¥₫]?[0-9][0-9.,:'’]*%?[)\]]?([A-Za-zđ₫]{1,3})?\.?$ matched
// over code points (or over the bytes of ASCII text, which are its code points). Only "." can
// be taken by both the digit run and the tail, and giving it back never makes a failing match
// succeed, so one greedy pass decides. [unitBegin, unitEnd) is the group, empty when absent.
template <class Text>
bool matchesNumberPattern(const Text& s, size_t& unitBegin, size_t& unitEnd)
{
    auto at = [&](size_t i) { return static_cast<char32_t>(static_cast<std::make_unsigned_t<typename Text::value_type>>(s[i])); };
    auto in = [](char32_t c, std::u32string_view set) { return set.find(c) != std::u32string_view::npos; };
    const size_t n = s.size();
    size_t i = 0;
    if (i < n && !Unicode::isAsciiDigit(at(i)) && in(at(i), U"+-\u2212(["))
        ++i;
    if (i < n && !Unicode::isAsciiDigit(at(i)) && in(at(i), U"$\u20AC\u00A3\u00A5\u20AB"))
        ++i;
    if (i >= n || !Unicode::isAsciiDigit(at(i)))
        return false;
    ++i;
    while (i < n && (Unicode::isAsciiDigit(at(i)) || in(at(i), U".,:'\u2019")))
        ++i;
    if (i < n && at(i) == '%')
        ++i;
    if (i < n && (at(i) == ')' || at(i) == ']'))
        ++i;
    unitBegin = i;
    while (i < n && i - unitBegin < 3 &&
           ((at(i) >= 'A' && at(i) <= 'Z') || (at(i) >= 'a' && at(i) <= 'z') || at(i) == U'\u0111' || at(i) == U'\u20AB'))
        ++i;
    unitEnd = i;
    if (i < n && at(i) == '.')
        ++i;
    // "$" without the multi-line option also matches before one line terminator that ends the input.
    if (i == n)
        return true;
    if (i + 2 == n)
        return at(i) == '\r' && at(i + 1) == '\n';
    return i + 1 == n && in(at(i), U"\n\u000B\u000C\r\u0085\u2028\u2029");
}

// isJunkToken with rest given as a range of tokens.
bool isJunk(std::string_view token, std::vector<std::string>::const_iterator restBegin,
            std::vector<std::string>::const_iterator restEnd)
{
    if (!isOneCharacter(token))
        return false;
    if (isLatinLetter(token) || isNumberChar(token))
        return false;
    if (isLetterChar(token)) {
        // A stray letter of another script beside Latin text; one close to the rest's own
        // script (within 256 code points) is taken as part of it.
        const std::string rest = joined(restBegin, restEnd, "");
        if (rest.empty())
            return false;
        const auto restChars = characters(rest);
        if (!std::any_of(restChars.begin(), restChars.end(), [](const std::string& c) { return isLatinLetter(c); }))
            return false;
        const long c = static_cast<long>(firstScalar(token));
        for (const std::string& r : restChars)
            if (std::labs(static_cast<long>(firstScalar(r)) - c) < 256)
                return false;
        return true;
    }
    return !keepSymbols().contains(std::string(token));
}

std::string stripJunkTokens(std::vector<std::string> toks)
{
    size_t first = 0;
    size_t last = toks.size();  // one past
    while (last - first > 1 && isJunk(toks[first], toks.begin() + static_cast<long>(first) + 1,
                                      toks.begin() + static_cast<long>(last)))
        ++first;
    while (last - first > 1 && isJunk(toks[last - 1], toks.begin() + static_cast<long>(first),
                                      toks.begin() + static_cast<long>(last) - 1))
        --last;
    if (last == first)
        return {};
    std::string& head = toks[first];
    if (head.size() > 1 && head[0] == '|' && !isOneCharacter(head)) {
        // "|" followed by a combining mark is one character that merely looks like a bar.
        const auto chars = characters(head);
        if (chars.front() == "|")
            head.erase(0, 1);
    }
    std::string& tail = toks[last - 1];
    if (tail.size() > 1 && tail.back() == '|' && !isOneCharacter(tail)) {
        const auto chars = characters(tail);
        if (chars.back() == "|")
            tail.pop_back();
    }
    return joined(toks.begin() + static_cast<long>(first), toks.begin() + static_cast<long>(last), " ");
}

struct ColumnKind {
    bool numeric = false;
    bool junkPrefix = false;
};

ColumnKind surveyColumn(const std::vector<std::string_view>& bodyTexts)
{
    ColumnKind kind;
    const size_t n = bodyTexts.size();
    size_t numeric = 0;
    size_t lead = 0;
    size_t symbolLead = 0;
    for (std::string_view text : bodyTexts) {
        if (isNumericCell(text))
            ++numeric;
        const auto toks = tokens(text);
        if (toks.size() >= 2 && isOneCharacter(toks.front())) {
            ++lead;
            const std::string& t = toks.front();
            if ((!isLetterChar(t) && !isNumberChar(t)) || isJunk(t, toks.begin() + 1, toks.end()))
                ++symbolLead;
        }
    }
    kind.numeric = static_cast<double>(numeric) >= 0.6 * static_cast<double>(n);
    kind.junkPrefix = n >= 3 && static_cast<double>(lead) >= 0.8 * static_cast<double>(n) &&
                      static_cast<double>(symbolLead) >=
                          std::max(2.0, std::ceil(0.2 * static_cast<double>(lead)));
    return kind;
}

// Letters make the Latin context unless Cyrillic or Greek characters are a tenth of them or more.
bool isLatinContext(const std::vector<std::string_view>& texts)
{
    size_t letters = 0;
    size_t cyrillicOrGreek = 0;
    for (std::string_view text : texts) {
        if (Unicode::isAscii(text)) {
            letters += static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
                return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
            }));
            continue;
        }
        // Texts are joined with blanks, so no character spans two cells.
        for (const std::string& c : characters(text)) {
            if (isLetterChar(c))
                ++letters;
            if (isCyrillicOrGreek(c))
                ++cyrillicOrGreek;
        }
    }
    return letters >= 1 && static_cast<double>(cyrillicOrGreek) < 0.1 * static_cast<double>(letters);
}

}  // namespace

bool isNumberToken(std::string_view token)
{
    if (token.empty())
        return false;
    size_t unitBegin = 0;
    size_t unitEnd = 0;
    if (Unicode::isAscii(token)) {
        if (!matchesNumberPattern(token, unitBegin, unitEnd))
            return false;
        return unitBegin == unitEnd || unitSet().contains(token.substr(unitBegin, unitEnd - unitBegin));
    }
    const std::u32string cps = Unicode::decode(token);
    if (!matchesNumberPattern(cps, unitBegin, unitEnd))
        return false;
    return unitBegin == unitEnd ||
           unitSet().contains(Unicode::encode(std::u32string_view(cps).substr(unitBegin, unitEnd - unitBegin)));
}

std::optional<std::string> numericRepair(std::string_view token)
{
    if (isNumberToken(token))
        return std::string(token);
    if (!mayHoldDigitLookalike(token))
        return std::nullopt;
    const auto chars = characters(token);
    const auto& lookalikes = digitLookalikes();
    if (std::none_of(chars.begin(), chars.end(), [&](const std::string& c) { return lookalikes.contains(c); }))
        return std::nullopt;
    if (std::none_of(chars.begin(), chars.end(), [](const std::string& c) { return isDigitChar(c); }) &&
        chars.size() > 3)
        return std::nullopt;
    std::string out;
    out.reserve(token.size());
    bool inNumber = true;
    for (const std::string& c : chars) {
        if (inNumber) {
            if (auto it = lookalikes.find(c); it != lookalikes.end()) {
                out += it->second;
                continue;
            }
            if (isDigitChar(c) || c == "," || c == "." || c == ":" || c == "%") {
                out += c;
                continue;
            }
            static const std::unordered_set<std::string> leads{"+", "-", "\u2212", "(", "$", "\u20AC",
                                                                "\u00A3", "\u00A5", "\u20AB", "["};
            if (!(out.empty() && leads.contains(c)))
                inNumber = false;
        }
        out += c;
    }
    if (isNumberToken(out))
        return out;
    return std::nullopt;
}

bool isNumericCell(std::string_view text)
{
    const auto toks = tokens<std::string_view>(text);
    if (toks.empty())
        return false;
    size_t repaired = 0;
    for (std::string_view t : toks)
        if (numericRepair(t))
            ++repaired;
    return static_cast<double>(toks.size()) * 0.5 <= static_cast<double>(repaired);
}

bool isJunkToken(std::string_view token, const std::vector<std::string>& rest)
{
    return isJunk(token, rest.begin(), rest.end());
}

std::string stripJunk(std::string_view text)
{
    return stripJunkTokens(tokens(text));
}

bool isCyrillicOrGreek(std::string_view character)
{
    if (!mayHoldCyrillicOrGreek(character))
        return false;
    const std::u32string cps = Unicode::decode(character);
    return std::any_of(cps.begin(), cps.end(), [](char32_t cp) { return cp >= 0x370 && cp <= 0x4FF; });
}

std::string fixHomoglyphs(std::string_view token, bool latinContext)
{
    if (!mayHoldCyrillicOrGreek(token))
        return std::string(token);
    const auto chars = characters(token);
    if (std::none_of(chars.begin(), chars.end(), [](const std::string& c) { return isCyrillicOrGreek(c); }))
        return std::string(token);
    if (!latinContext && std::none_of(chars.begin(), chars.end(), [](const std::string& c) { return isLatinLetter(c); }))
        return std::string(token);
    const auto& table = latinHomoglyphs();
    for (const std::string& c : chars)
        if (isCyrillicOrGreek(c) && !table.contains(c))
            return std::string(token);

    std::string out;
    std::vector<const std::string*> run;
    auto flush = [&] {
        if (run.empty())
            return;
        bool smallCapital = false;
        bool caseless = true;
        std::string mapped;
        for (const std::string* c : run) {
            smallCapital = smallCapital || isSmallCapital(*c);
            const auto it = table.find(*c);
            const std::string& m = it == table.end() ? *c : it->second;
            if (Unicode::isLowercase(firstScalar(m)) && !isCaselessShape(m))
                caseless = false;
            mapped += m;
        }
        // Small capitals read as Cyrillic lower case: "тот" is really "TOT".
        out += smallCapital && caseless ? Unicode::uppercased(mapped) : mapped;
        run.clear();
    };
    for (const std::string& c : chars) {
        if (isLetterChar(c)) {
            run.push_back(&c);
        } else {
            flush();
            out += c;
        }
    }
    flush();
    return out;
}

void clean(std::vector<AssembledCell>& cells)
{
    // Canonically equal texts must read alike: a decomposed Vietnamese letter would not
    // count as Latin, so the pass works on (and writes) NFC.
    std::vector<std::string> composed;
    composed.reserve(cells.size());
    for (const AssembledCell& cell : cells)
        composed.push_back(Unicode::isAscii(cell.text) ? std::string() : Unicode::nfc(Unicode::sanitized(cell.text)));
    // Views of the texts as they were; cell i's is read before cell i is rewritten.
    std::vector<std::string_view> texts;
    texts.reserve(cells.size());
    for (size_t i = 0; i < cells.size(); ++i)
        texts.push_back(composed[i].empty() ? std::string_view(cells[i].text) : std::string_view(composed[i]));

    const bool latinContext = isLatinContext(texts);

    std::map<int, std::vector<std::string_view>> bodyTexts;
    for (size_t i = 0; i < cells.size(); ++i) {
        const AssembledCell& cell = cells[i];
        auto& body = bodyTexts[cell.col];
        if (cell.colSpan == 1 && !cell.header && !texts[i].empty())
            body.push_back(texts[i]);
    }
    std::map<int, ColumnKind> kinds;
    for (const auto& [col, body] : bodyTexts)
        if (!body.empty())
            kinds[col] = surveyColumn(body);

    for (size_t i = 0; i < cells.size(); ++i) {
        AssembledCell& cell = cells[i];
        if (texts[i].empty())
            continue;
        const ColumnKind kind = kinds.contains(cell.col) ? kinds.at(cell.col) : ColumnKind{};
        auto toks = tokens(stripJunk(texts[i]));
        if (kind.junkPrefix && !cell.header && toks.size() >= 2 && isOneCharacter(toks.front()))
            toks.erase(toks.begin());
        if (kind.numeric && cell.colSpan == 1 && (!cell.header || isNumericCell(joined(toks.begin(), toks.end(), " ")))) {
            for (std::string& t : toks)
                if (auto repaired = numericRepair(t))
                    t = std::move(*repaired);
        }
        for (size_t k = 0; k + 1 < toks.size(); ++k)
            if ((toks[k] == "O" || toks[k] == "o" || toks[k] == "\u041E") && zeroUnits().contains(toks[k + 1]))
                toks[k] = '0';  // a char: GCC 12 reads a literal's copy here as an overlap
        for (std::string& t : toks)
            t = fixHomoglyphs(t, latinContext);
        cell.text = stripJunkTokens(std::move(toks));
    }
}

}  // namespace VozudOzev::CellTextCleaner
