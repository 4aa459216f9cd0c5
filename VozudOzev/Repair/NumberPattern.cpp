#include "VozudOzev/Repair/NumberPattern.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <array>
#include <map>

namespace VozudOzev::NumberPattern {

namespace {

constexpr std::array<std::string_view, 9> currencies{"$", "\u20AC", "\u00A3", "\u00A5", "\u20AB", "\u0111",
                                                      "EUR", "USD", "VND"};
// Symbols nobody writes before an amount that a currency sign is misread as.
constexpr std::array<std::string_view, 5> strays{"#", "*", "\u00AB", "\u00BB", "\u00A2"};
constexpr std::array<std::string_view, 4> signs{"-", "\u2212", "+", "\u2013"};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool takeFront(std::string_view& s, std::string_view what)
{
    if (s.substr(0, what.size()) != what)
        return false;
    s.remove_prefix(what.size());
    return true;
}

bool takeBack(std::string_view& s, std::string_view what)
{
    if (s.size() < what.size() || s.substr(s.size() - what.size()) != what)
        return false;
    s.remove_suffix(what.size());
    return true;
}

// Blanks out, except one ' ' where a blank parts two digits (a group separator there).
std::string compacted(std::string_view text)
{
    std::string out;
    bool blank = false;
    for (char32_t cp : Unicode::decode(std::string(text))) {
        if (Unicode::isWhitespace(cp)) {
            blank = true;
            continue;
        }
        if (blank && !out.empty() && isDigit(out.back()) && cp >= U'0' && cp <= U'9')
            out += ' ';
        blank = false;
        Unicode::append(out, cp);
    }
    return out;
}

// The most common value and its count.
template <typename T>
std::pair<T, int> majority(const std::vector<T>& values)
{
    std::map<T, int> counts;
    for (const T& v : values)
        ++counts[v];
    std::pair<T, int> best{};
    for (const auto& [v, n] : counts)
        if (n > best.second)
            best = {v, n};
    return best;
}

bool clear(int agreeing, size_t of)
{
    return agreeing >= 3 && agreeing * 5 >= static_cast<int>(of) * 3;
}


// Marks before the digits: a sign, a bracket, a currency, in any order.
void takePrefix(std::string_view& s, Shape& shape)
{
    for (bool took = true; took && !s.empty() && !isDigit(s.front());) {
        took = false;
        for (std::string_view sign : signs)
            took = took || takeFront(s, sign);
        if (takeFront(s, "(")) {
            shape.prefix += "(";
            took = true;
        }
        for (std::string_view c : currencies)
            if (takeFront(s, c)) {
                shape.prefix += c;
                took = true;
            }
        if (s.size() >= 2 && s[0] == 'Y' && isDigit(s[1])) {
            s.remove_prefix(1);
            shape.prefix += 'Y';
            took = true;
        }
        for (std::string_view stray : strays)
            if (s.size() > stray.size() && isDigit(s[stray.size()]) && takeFront(s, stray)) {
                shape.prefix += '?';
                took = true;
            }
    }
}

// Marks after the digits: a bracket, a percent sign, a currency.
void takeSuffix(std::string_view& s, Shape& shape)
{
    for (bool took = true; took && !s.empty() && !isDigit(s.back());) {
        took = false;
        std::string mark;
        if (takeBack(s, ")"))
            mark = ")";
        else if (takeBack(s, "%"))
            mark = "%";
        else
            for (std::string_view c : currencies)
                if (takeBack(s, c)) {
                    mark = c;
                    break;
                }
        if (!mark.empty()) {
            shape.suffix.insert(0, mark);
            took = true;
        }
    }
}

struct Groups {
    std::vector<int> digits;  // digits in each group, left to right
    std::string separators;   // the one between each two groups
};

// The digit groups of a bare number; nothing for a date, a time, a code.
std::optional<Groups> groupsOf(std::string_view s)
{
    if (s.empty() || !isDigit(s.front()) || !isDigit(s.back()))
        return std::nullopt;
    Groups g{{0}, {}};
    for (size_t i = 0; i < s.size(); ++i) {
        const char c = s[i];
        if (isDigit(c)) {
            ++g.digits.back();
        } else if ((c == '.' || c == ',' || c == ' ') && isDigit(s[i - 1]) && isDigit(s[i + 1])) {
            g.separators += c;
            g.digits.push_back(0);
        } else {
            return std::nullopt;
        }
    }
    // 12.05.2024 and 4.1.2 are dates and outline numbers, not amounts.
    const std::string& seps = g.separators;
    if (g.digits.size() == 3 && seps[0] == seps[1] && seps[0] != ' ' && g.digits[0] <= 2 && g.digits[1] <= 2)
        return std::nullopt;
    return g;
}

// Which separator is the decimal one; false when a blank would be.
bool placeSeparators(const Groups& g, bool groupFirst, bool leadingZero, Shape& shape)
{
    int digits = 0;
    for (int n : g.digits)
        digits += n;
    shape.integerDigits = digits;
    const std::string& seps = g.separators;
    if (seps.empty())
        return true;
    const char last = seps.back();
    const bool mixed = seps.find_first_not_of(last) != std::string::npos;
    bool lastIsDecimal;
    if (mixed)
        lastIsDecimal = true;
    else if (seps.size() >= 2 || last == ' ')
        lastIsDecimal = false;
    else
        lastIsDecimal = !(groupFirst && g.digits.back() == 3 && !(g.digits[0] == 1 && leadingZero));
    if (!lastIsDecimal) {
        shape.group = seps.front();
        return true;
    }
    if (last == ' ')
        return false;
    shape.decimal = last;
    shape.decimals = g.digits.back();
    if (seps.size() >= 2)
        shape.group = seps.front();
    shape.integerDigits -= shape.decimals;
    return true;
}

}  // namespace

std::optional<Shape> shapeOf(std::string_view text, bool groupFirst)
{
    const std::string compact = compacted(text);
    std::string_view s = compact;
    Shape shape;
    takePrefix(s, shape);
    takeSuffix(s, shape);
    const std::optional<Groups> groups = groupsOf(s);
    if (!groups || !placeSeparators(*groups, groupFirst, s[0] == '0', shape))
        return std::nullopt;
    return shape;
}

std::string writtenMarks(std::string_view text)
{
    std::string out;
    const size_t first = text.find_first_of("0123456789");
    if (first != std::string_view::npos) {
        const std::string_view before = text.substr(0, first);
        for (std::string_view sign : {std::string_view("-"), std::string_view("\u2212"), std::string_view("\u2013")})
            if (before.find(sign) != std::string_view::npos) {
                out += '-';
                break;
            }
    }
    for (size_t i = 1; i + 1 < text.size(); ++i)
        if ((text[i] == '.' || text[i] == ',') && isDigit(text[i - 1]) && isDigit(text[i + 1]))
            out += text[i];
    return out;
}

std::vector<size_t> outliers(const std::vector<std::string>& texts)
{
    std::vector<size_t> index;
    std::vector<Shape> shapes;
    for (size_t i = 0; i < texts.size(); ++i)
        if (std::optional<Shape> s = shapeOf(texts[i])) {
            index.push_back(i);
            shapes.push_back(std::move(*s));
        }
    std::vector<bool> odd(shapes.size(), false);
    const auto currencyOf = [](const std::string& marks) {
        std::string out;
        for (char c : marks)
            if (c != '(' && c != ')' && c != '%')
                out += c;
        return out;
    };
    const auto check = [&](auto key, auto counted) {
        std::vector<decltype(key(shapes[0]))> keys;
        for (const Shape& s : shapes)
            if (counted(s))
                keys.push_back(key(s));
        const auto [common, n] = majority(keys);
        if (!clear(n, keys.size()))
            return;
        for (size_t i = 0; i < shapes.size(); ++i)
            if (counted(shapes[i]) && key(shapes[i]) != common)
                odd[i] = true;
    };
    if (shapes.empty())
        return {};
    const auto all = [](const Shape&) { return true; };
    check([](const Shape& s) { return std::pair<char, int>(s.decimal, s.decimals); }, all);
    for (const auto side : {&Shape::prefix, &Shape::suffix}) {
        std::vector<std::string> marks;
        bool lookAlike = false;
        for (const Shape& s : shapes)
            if (std::string c = currencyOf(s.*side); !c.empty() && c.find('?') == std::string::npos) {
                lookAlike = lookAlike || c == "Y";
                marks.push_back(c == "Y" ? "\u00A5" : c);
            }
        // A stray symbol before the digits where other numbers show a currency sign.
        for (size_t i = 0; i < shapes.size(); ++i)
            if (!marks.empty() && (shapes[i].*side).find('?') != std::string::npos)
                odd[i] = true;
        const auto [mark, n] = majority(marks);
        // A yen sign read as a letter shows the column is read badly: one is enough.
        const bool yen = lookAlike && mark == "\u00A5";
        if (!yen && (n < 2 || n * 4 < static_cast<int>(shapes.size())))
            continue;
        for (size_t i = 0; i < shapes.size(); ++i)
            if (currencyOf(shapes[i].*side) != mark)
                odd[i] = true;
    }
    check([](const Shape& s) { return s.suffix.find('%') != std::string::npos; }, all);
    check([](const Shape& s) { return s.group; }, [](const Shape& s) { return s.integerDigits >= 4; });
    for (size_t i = 0; i < shapes.size(); ++i) {
        const bool opens = shapes[i].prefix.find('(') != std::string::npos;
        const bool closes = shapes[i].suffix.find(')') != std::string::npos;
        if (opens != closes)
            odd[i] = true;
    }
    std::vector<size_t> out;
    for (size_t i = 0; i < shapes.size(); ++i)
        if (odd[i])
            out.push_back(index[i]);
    return out;
}

bool yenReadAsFour(const std::vector<std::string>& texts)
{
    int fours = 0;
    for (const std::string& t : texts) {
        const std::optional<Shape> shape = shapeOf(t);
        if (!shape)
            continue;
        const bool marked = shape->prefix.find_first_not_of('(') != std::string::npos ||
                            shape->suffix.find_first_not_of(')') != std::string::npos;
        if (marked || t[t.find_first_of("0123456789")] != '4' || shape->integerDigits < 2)
            return false;
        ++fours;
    }
    return fours >= 3;
}

}  // namespace VozudOzev::NumberPattern
