#include "VozudOzev/Platform/VietnameseMarks.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>

namespace VozudOzev::VietnameseMarks {

namespace {

const std::u32string germanLetters = U"äöüÄÖÜß";

bool isGermanLetter(const std::string& grapheme)
{
    const std::u32string cps = Unicode::decode(grapheme);
    return cps.size() == 1 && germanLetters.find(cps[0]) != std::u32string::npos;
}

}  // namespace

// Only Vietnamese writes breve and horn vowels, dot below, hook above, đ and the dong sign.
Signs signsOf(const PageLines& lines)
{
    static const std::u32string only =
        U"ăắằẳẵặơớờởỡợưứừửữựạảấầẩẫậẹẻẽếềểễệỉịọỏốồổỗộụủỳỵỷỹđ"
        U"ĂẮẰẲẴẶƠỚỜỞỠỢƯỨỪỬỮỰẠẢẤẦẨẪẬẸẺẼẾỀỂỄỆỈỊỌỎỐỒỔỖỘỤỦỲỴỶỸĐ₫";
    Signs signs = Signs::none;
    for (const auto& line : lines)
        for (const PageWord& w : line)
            for (char32_t cp : Unicode::decode(w.text)) {
                if (only.find(cp) != std::u32string::npos)
                    return Signs::sure;
                if (cp >= 0x80 && cp < 0x2000 && germanLetters.find(cp) == std::u32string::npos && Unicode::isLetter(cp))
                    signs = Signs::some;
            }
    return signs;
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

}  // namespace VozudOzev::VietnameseMarks
