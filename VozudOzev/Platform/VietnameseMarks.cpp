#include "VozudOzev/Platform/VietnameseMarks.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>

namespace VozudOzev::VietnameseMarks {

namespace {

const std::u32string germanLetters = U"äöüÄÖÜß";

bool isGermanLetter(const std::string& grapheme)
{
    const std::u32string cps = Unicode::decode(grapheme);
    return cps.size() == 1 && germanLetters.find(cps[0]) != std::u32string::npos;
}

// Only Vietnamese writes breve and horn vowels, dot below, hook above, đ and the dong sign.
const std::u32string vietnameseOnly =
    U"ăắằẳẵặơớờởỡợưứừửữựạảấầẩẫậẹẻẽếềểễệỉịọỏốồổỗộụủỳỵỷỹđ"
    U"ĂẮẰẲẴẶƠỚỜỞỠỢƯỨỪỬỮỰẠẢẤẦẨẪẬẸẺẼẾỀỂỄỆỈỊỌỎỐỒỔỖỘỤỦỲỴỶỸĐ₫";

// Marks far from two dots above a letter: a dot below, a horn.
const std::u32string belowOrHorn = U"ạặậẹệịọộợụựỵơớờởỡưứừửữẠẶẬẸỆỊỌỘỢỤỰỴƠỚỜỞỠƯỨỪỬỮ";

int countIn(const std::string& text, const std::u32string& set)
{
    int n = 0;
    for (char32_t cp : Unicode::decode(text))
        n += set.find(cp) != std::u32string::npos ? 1 : 0;
    return n;
}

// A real word has at most three letters of a set ("Đường"); more is a garbled run of marks
// the reading made of a picture ("ễễỄễỄỄĐẺẼ"), which tells no language and counts for none.
constexpr int mostPerWord = 3;

int votesIn(const std::string& text, const std::u32string& set)
{
    int votes = 0;
    size_t from = 0;
    while (from <= text.size()) {
        const size_t to = std::min(text.find(' ', from), text.size());
        const int n = countIn(text.substr(from, to - from), set);
        votes += n <= mostPerWord ? n : 0;
        from = to + 1;
    }
    return votes;
}

int countOf(const PageLines& lines, const std::u32string& set)
{
    int n = 0;
    for (const auto& line : lines)
        for (const PageWord& w : line)
            n += votesIn(w.text, set);
    return n;
}

}  // namespace

Signs signsOf(const PageLines& lines)
{
    const std::u32string& only = vietnameseOnly;
    // One stray letter is an OCR slip, not a language: a page is surely Vietnamese only
    // with several of its own letters, more than the German ones it shows. A page with
    // German letters that is not surely Vietnamese is German, and keeps its ä ö ü ß.
    int vietnamese = 0;
    int german = 0;
    bool other = false;
    for (const auto& line : lines)
        for (const PageWord& w : line) {
            vietnamese += votesIn(w.text, only);
            for (char32_t cp : Unicode::decode(w.text)) {
                if (germanLetters.find(cp) != std::u32string::npos)
                    ++german;
                else if (only.find(cp) == std::u32string::npos && cp >= 0x80 && cp < 0x2000 && Unicode::isLetter(cp))
                    other = true;
            }
        }
    if (vietnamese >= 3 && vietnamese > 2 * german)
        return Signs::sure;
    if (german > 0)
        return Signs::none;
    return vietnamese > 0 || other ? Signs::some : Signs::none;
}

void restore(PageLines& lines, const PageLines& marked, bool keepGerman)
{
    for (auto& line : lines) {
        for (PageWord& w : line) {
            const PageWord* best = nullptr;
            double bestOverlap = 0;
            for (const auto& other : marked) {
                for (const PageWord& m : other) {
                    const double overlap = w.box.intersectionArea(m.box);
                    if (overlap > bestOverlap) {
                        bestOverlap = overlap;
                        best = &m;
                    }
                }
            }
            if (!best || best->text == w.text || bestOverlap < 0.6 * std::max(w.box.area(), best->box.area()))
                continue;
            const std::string letters = Unicode::withoutMarks(best->text);
            if (letters != Unicode::withoutMarks(w.text) || letters == best->text)
                continue;
            // Letter by letter: the marks come from the Vietnamese reading, except, on a page
            // that is not surely Vietnamese, where the first reading has a German letter.
            const std::vector<std::string> mine = Unicode::graphemes(w.text);
            const std::vector<std::string> theirs = Unicode::graphemes(best->text);
            if (mine.size() != theirs.size())
                continue;
            std::string merged;
            for (size_t i = 0; i < mine.size(); ++i)
                merged += keepGerman && isGermanLetter(mine[i]) ? mine[i] : theirs[i];
            w.text = merged;
        }
    }
}

bool mixed(const PageLines& lines)
{
    // In two words at least: one stray letter is no language (and its second reading costs
    // a whole page's).
    int words = 0;
    for (const auto& line : lines)
        for (const PageWord& w : line)
            words += votesIn(w.text, vietnameseOnly) > 0 ? 1 : 0;
    return signsOf(lines) != Signs::sure && words >= 2 && countOf(lines, vietnameseOnly) >= 3 &&
           countOf(lines, germanLetters) > 0;
}

int vietnameseUnderGerman(const PageLines& lines, const PageLines& marked)
{
    int n = 0;
    for (const auto& line : lines)
        for (const PageWord& w : line) {
            if (countIn(w.text, germanLetters) == 0)
                continue;
            for (const auto& other : marked)
                for (const PageWord& m : other) {
                    if (w.box.intersectionArea(m.box) < 0.6 * std::max(w.box.area(), m.box.area()) ||
                        Unicode::withoutMarks(m.text) != Unicode::withoutMarks(w.text))
                        continue;
                    const std::vector<std::string> mine = Unicode::graphemes(w.text);
                    const std::vector<std::string> theirs = Unicode::graphemes(m.text);
                    for (size_t i = 0; i < mine.size() && i < theirs.size() && mine.size() == theirs.size(); ++i)
                        n += isGermanLetter(mine[i]) && countIn(theirs[i], belowOrHorn) > 0 ? 1 : 0;
                }
        }
    return n;
}

namespace {

// Lower-case ASCII letters, marks set aside, form one Vietnamese syllable.
bool vietnameseSyllable(std::string_view s)
{
    static const std::string_view initials[] = {"ngh", "ng", "gh", "gi", "kh", "nh", "ph", "th", "tr", "ch", "qu",
                                                "b",   "c",  "d",  "g",  "h",  "k",  "l",  "m",  "n",  "p",  "r",
                                                "s",   "t",  "v",  "x",  ""};
    static const std::string_view finals[] = {"ng", "nh", "ch", "c", "m", "n", "p", "t", ""};
    auto vowel = [](char c) { return std::string_view("aeiouy").find(c) != std::string_view::npos; };
    for (std::string_view initial : initials) {
        if (s.substr(0, initial.size()) != initial)
            continue;
        size_t i = initial.size();
        const size_t nucleus = i;
        while (i < s.size() && vowel(s[i]))
            ++i;
        const size_t vowels = i - nucleus;
        if (vowels == 0 || vowels > 3)
            continue;
        const std::string_view rest = s.substr(i);
        if (std::find(std::begin(finals), std::end(finals), rest) != std::end(finals))
            return true;
    }
    return false;
}

}  // namespace

bool umlautsOnVietnameseSyllables(const PageLines& lines)
{
    int shaped = 0;
    int unshaped = 0;
    for (const auto& line : lines)
        for (const PageWord& w : line) {
            // Each run of letters of a word ("Läi/Lö") is a syllable of its own.
            std::string run;
            bool german = false;
            auto close = [&]() {
                if (german) {
                    ++(vietnameseSyllable(Unicode::lowercased(Unicode::withoutMarks(run))) ? shaped : unshaped);
                }
                run.clear();
                german = false;
            };
            for (const std::string& g : Unicode::graphemes(w.text)) {
                const std::u32string cps = Unicode::decode(g);
                if (cps.empty() || !Unicode::isLetter(cps[0])) {
                    close();
                    continue;
                }
                run += g;
                german = german || countIn(g, germanLetters) > 0;
            }
            close();
        }
    return shaped >= 2 && shaped >= 3 * unshaped;
}

bool markable(const std::string& word)
{
    const std::string letters = Unicode::withoutMarks(word);
    return letters.find_first_of("aeiouydAEIOUYD") != std::string::npos;
}

bool blankUnmarkable(std::vector<std::uint8_t>& grey, int width, int height, std::uint8_t background,
                     const PageLines& lines)
{
    std::vector<BBox> kept;
    for (const auto& line : lines)
        for (const PageWord& w : line)
            if (markable(w.text))
                kept.push_back(w.box);
    if (kept.empty())
        return false;
    if (width <= 0 || height <= 0 || grey.size() < static_cast<size_t>(width) * height)
        return true;
    for (const auto& line : lines)
        for (const PageWord& w : line) {
            if (markable(w.text) ||
                std::any_of(kept.begin(), kept.end(), [&](const BBox& k) { return k.intersectionArea(w.box) > 0; }))
                continue;
            const int x0 = std::clamp(static_cast<int>(std::floor(w.box.x)), 0, width);
            const int x1 = std::clamp(static_cast<int>(std::ceil(w.box.maxX())), 0, width);
            const int y0 = std::clamp(static_cast<int>(std::floor(w.box.y)), 0, height);
            const int y1 = std::clamp(static_cast<int>(std::ceil(w.box.maxY())), 0, height);
            for (int y = y0; y < y1; ++y)
                std::fill(grey.begin() + static_cast<std::ptrdiff_t>(y) * width + x0,
                          grey.begin() + static_cast<std::ptrdiff_t>(y) * width + x1, background);
        }
    return true;
}

void germanLettersBack(PageLines& lines)
{
    if (signsOf(lines) == Signs::sure)
        return;
    bool german = false;
    for (const auto& line : lines)
        for (const PageWord& w : line)
            for (char32_t cp : Unicode::decode(w.text))
                german = german || germanLetters.find(cp) != std::u32string::npos;
    if (!german)
        return;
    static const std::u32string lookAlikes = U"ãảẫẩẵẳõỏỗổỡởũủữửÃẢÕỎŨỦ";
    static const std::u32string germanOf = U"ääääääööööööüüüüÄÄÖÖÜÜ";
    for (auto& line : lines)
        for (PageWord& w : line) {
            std::u32string cps = Unicode::decode(w.text);
            bool changed = false;
            for (char32_t& cp : cps)
                if (const size_t i = lookAlikes.find(cp); i != std::u32string::npos) {
                    cp = germanOf[i];
                    changed = true;
                }
            if (changed)
                w.text = Unicode::encode(cps);
        }
}

}  // namespace VozudOzev::VietnameseMarks
