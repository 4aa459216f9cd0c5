#include "VozudOzev/Platform/DongSign.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <optional>

namespace VozudOzev::DongSign {

namespace {

bool isDigitText(const std::string& s)
{
    return s.size() == 1 && Unicode::isAsciiDigit(s[0]);
}

// The letters Tesseract reads the dong sign as.
bool isDongLetter(const std::string& s)
{
    return s == "\u0111" || s == "d";
}

// The digits a dong amount is measured against: those of the word itself, else those of
// the word before it on the line when that ends in a digit.
struct DigitRun {
    double bottom = 0;  // lowest digit bottom
    double height = 0;  // tallest digit
    double right = 0;   // right edge of the last digit
};

std::optional<DigitRun> digitRun(const std::vector<Symbol>& symbols, size_t end)
{
    if (end == 0 || !isDigitText(symbols[end - 1].text))
        return std::nullopt;
    DigitRun run;
    bool any = false;
    for (size_t i = 0; i < end; ++i) {
        if (!isDigitText(symbols[i].text))
            continue;
        run.bottom = std::max(run.bottom, symbols[i].box.maxY());
        run.height = std::max(run.height, symbols[i].box.h);
        any = true;
    }
    run.right = symbols[end - 1].box.maxX();
    return any && run.height > 0 ? std::optional(run) : std::nullopt;
}

}  // namespace

bool endsWithDongLetter(const std::string& word)
{
    static const std::string d = "\u0111";  // đ
    const bool withStroke = word.size() >= d.size() && word.compare(word.size() - d.size(), d.size(), d) == 0;
    // A plain d only straight after a digit, or alone.
    const bool plain = !word.empty() && word.back() == 'd' &&
                       (word.size() == 1 || Unicode::isAsciiDigit(word[word.size() - 2]));
    return withStroke || plain;
}

// Tesseract reads the dong sign ₫ as the letter đ. The sign carries a bar below the
// baseline, so its box reaches clearly lower than the digits beside it; then it is the
// sign, and (as the sign follows its amount after a blank) a word of its own. Clearly is
// two pixels at least: a round letter's overshoot reaches one, while large serif digits
// see the bar only a tenth of their height lower.
void place(const std::vector<Symbol>& symbols, PageWord word, std::vector<PageWord>& line)
{
    std::optional<DigitRun> digits;
    if (symbols.size() >= 2)
        digits = digitRun(symbols, symbols.size() - 1);
    else if (symbols.size() == 1 && !line.empty() && !line.back().text.empty() &&
             isDigitText(line.back().text.substr(line.back().text.size() - 1)))
        digits = DigitRun{line.back().box.maxY(), line.back().box.h, line.back().box.maxX()};
    if (symbols.empty() || !digits || !isDongLetter(symbols.back().text) ||
        symbols.back().box.maxY() - digits->bottom < std::max(1.5, 0.08 * digits->height)) {
        line.push_back(std::move(word));
        return;
    }
    const BBox sign = symbols.back().box;
    if (symbols.size() >= 2) {
        BBox amount = symbols.front().box;
        for (size_t i = 1; i + 1 < symbols.size(); ++i)
            amount = amount.unite(symbols[i].box);
        line.push_back({word.text.substr(0, word.text.size() - symbols.back().text.size()), amount, word.confidence});
    }
    line.push_back({"\u20AB", sign, word.confidence});
}

}  // namespace VozudOzev::DongSign
