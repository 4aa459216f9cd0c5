#include "VozudOzev/Locale/Characters.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace VozudOzev::Characters {

namespace {

bool isAscii(std::string_view s)
{
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

// Code points that are each a cluster of their own whatever surrounds them (CR LF aside);
// a text made only of these needs no break iterator.
bool standsAlone(char32_t cp)
{
    if (cp < 0x80)
        return true;
    switch (u_getIntPropertyValue(static_cast<UChar32>(cp), UCHAR_GRAPHEME_CLUSTER_BREAK)) {
    case U_GCB_OTHER:
    case U_GCB_CONTROL:
    case U_GCB_CR:
    case U_GCB_LF:
        return true;
    default:
        return false;
    }
}

bool isNFC(const std::u32string& points)
{
    for (char32_t cp : points)
        if (cp >= 0x80 && u_getIntPropertyValue(static_cast<UChar32>(cp), UCHAR_NFC_QUICK_CHECK) != UNORM_YES)
            return false;
    return true;
}

}  // namespace

std::u32string_view Text::cluster(size_t i) const
{
    const size_t end = i + 1 < starts.size() ? starts[i + 1] : points.size();
    return std::u32string_view(points).substr(starts[i], end - starts[i]);
}

bool Text::is(size_t i, char32_t cp) const
{
    const size_t end = i + 1 < starts.size() ? starts[i + 1] : points.size();
    return end - starts[i] == 1 && points[starts[i]] == cp;
}

std::string Text::utf8(size_t from, size_t to) const
{
    std::string out;
    if (from >= to)
        return out;
    const size_t end = to < starts.size() ? starts[to] : points.size();
    for (size_t k = starts[from]; k < end; ++k)
        Unicode::append(out, points[k]);
    return out;
}

Text split(std::string_view utf8)
{
    Text text;
    const bool ascii = isAscii(utf8);
    text.points = Unicode::decode(utf8);
    if (!ascii && !isNFC(text.points))
        text.points = Unicode::decode(Unicode::nfc(Unicode::encode(text.points)));
    bool simple = true;
    if (!ascii)
        for (char32_t cp : text.points)
            if (!standsAlone(cp)) {
                simple = false;
                break;
            }
    text.starts.reserve(text.points.size());
    if (simple) {
        for (size_t k = 0; k < text.points.size(); ++k)
            if (!(k > 0 && text.points[k] == U'\n' && text.points[k - 1] == U'\r'))
                text.starts.push_back(static_cast<uint32_t>(k));
        return text;
    }
    uint32_t at = 0;
    for (const std::string& piece : Unicode::graphemes(Unicode::encode(text.points))) {
        text.starts.push_back(at);
        at += static_cast<uint32_t>(Unicode::decode(piece).size());
    }
    return text;
}

bool isSpace(char32_t first)
{
    if (first < 0x80)
        return first == ' ' || (first >= 0x09 && first <= 0x0D);
    return Unicode::isWhitespace(first);
}

bool isLetter(char32_t first)
{
    if (first < 0x80)
        return (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z');
    return Unicode::isLetter(first);
}

char32_t lowercased(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    return static_cast<char32_t>(u_tolower(static_cast<UChar32>(cp)));
}

std::string lowercased(std::string_view utf8)
{
    if (isAscii(utf8)) {
        std::string out(utf8);
        for (char& c : out)
            if (c >= 'A' && c <= 'Z')
                c = static_cast<char>(c + 32);
        return out;
    }
    auto s = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    s.toLower(icu::Locale::getRoot());
    std::string out;
    s.toUTF8String(out);
    return out;
}

std::string folded(std::string_view utf8)
{
    if (isAscii(utf8))
        return lowercased(utf8);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return lowercased(utf8);
    const auto src = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    icu::UnicodeString decomposed = nfd->normalize(src, status);
    icu::UnicodeString kept;
    for (int32_t i = 0; i < decomposed.length();) {
        const UChar32 cp = decomposed.char32At(i);
        if (u_charType(cp) != U_NON_SPACING_MARK)
            kept.append(cp);
        i += U16_LENGTH(cp);
    }
    kept.foldCase();
    icu::UnicodeString composed = nfc->normalize(kept, status);
    if (U_FAILURE(status))
        return lowercased(utf8);
    std::string out;
    composed.toUTF8String(out);
    return out;
}

}  // namespace VozudOzev::Characters
