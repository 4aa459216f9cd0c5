#include "VozudOzev/Merge/TextCompare.hpp"

#include "VozudOzev/Model/Unicode.hpp"

namespace VozudOzev::TextCompare {

namespace {

char32_t folded(char32_t cp)
{
    switch (cp) {
    case 0x0060: case 0x00B4: case 0x2018: case 0x2019: case 0x201A: case 0x201B: case 0x2032: case 0xFF07:
        return U'\'';
    case 0x00AB: case 0x00BB: case 0x201C: case 0x201D: case 0x201E: case 0x201F: case 0x2033: case 0xFF02:
        return U'"';
    default:
        return cp;
    }
}

}  // namespace

std::string foldQuotes(std::string_view text)
{
    std::u32string cps = Unicode::decode(text);
    for (char32_t& cp : cps)
        cp = folded(cp);
    return Unicode::encode(cps);
}

std::string key(std::string_view text)
{
    const std::u32string cps = Unicode::decode(Unicode::nfc(text));
    std::string out;
    out.reserve(text.size());
    bool pendingBlank = false;
    for (char32_t cp : cps) {
        if (Unicode::isWhitespace(cp)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank)
            out += ' ';
        pendingBlank = false;
        Unicode::append(out, folded(cp));
    }
    return out;
}

}  // namespace VozudOzev::TextCompare
