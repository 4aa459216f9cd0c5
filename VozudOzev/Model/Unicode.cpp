#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <memory>
#include <unicode/brkiter.h>
#include <unicode/locid.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>

namespace VozudOzev::Unicode {

namespace {

// Reads one code point at s[i], advancing i; malformed input gives U+FFFD and skips one byte.
char32_t next(std::string_view s, size_t& i)
{
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + len > s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
        ++i;
        return 0xFFFD;
    }
    i += len;
    return cp;
}

}  // namespace

void append(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::u32string decode(std::string_view utf8)
{
    std::u32string out;
    out.reserve(utf8.size());
    for (size_t i = 0; i < utf8.size();)
        out += next(utf8, i);
    return out;
}

std::string encode(std::u32string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (char32_t cp : text)
        append(out, cp);
    return out;
}

bool isValid(std::string_view utf8)
{
    if (isAscii(utf8))
        return true;
    for (size_t i = 0; i < utf8.size();) {
        const size_t at = i;
        if (next(utf8, i) == 0xFFFD && !(i - at == 3 && utf8.substr(at, 3) == "\xEF\xBF\xBD"))
            return false;
    }
    return true;
}

std::string sanitized(std::string_view utf8)
{
    if (isValid(utf8))
        return std::string(utf8);
    return encode(decode(utf8));
}

bool isWhitespace(char32_t cp)
{
    if (cp < 0x80)
        return cp == ' ' || (cp >= 0x09 && cp <= 0x0D);
    return u_isUWhiteSpace(static_cast<UChar32>(cp));
}

bool isLetter(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'a' && cp <= 'z') || (cp >= 'A' && cp <= 'Z');
    return u_isUAlphabetic(static_cast<UChar32>(cp));
}

bool isNumber(char32_t cp)
{
    return u_getIntPropertyValue(static_cast<UChar32>(cp), UCHAR_NUMERIC_TYPE) != U_NT_NONE;
}

bool isAlphanumeric(char32_t cp)
{
    return (U_GET_GC_MASK(static_cast<UChar32>(cp)) & (U_GC_L_MASK | U_GC_M_MASK | U_GC_N_MASK)) != 0;
}

bool hasAlphanumeric(std::string_view utf8)
{
    const std::u32string cps = decode(utf8);
    return std::any_of(cps.begin(), cps.end(), [](char32_t c) { return isAlphanumeric(c); });
}

bool isLowercase(char32_t cp)
{
    return u_isULowercase(static_cast<UChar32>(cp));
}

bool isAscii(std::string_view utf8)
{
    return std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

namespace {

std::string caseMapped(std::string_view utf8, bool upper)
{
    if (isAscii(utf8)) {
        std::string out(utf8);
        for (char& c : out)
            if (upper && c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            else if (!upper && c >= 'A' && c <= 'Z')
                c = static_cast<char>(c - 'A' + 'a');
        return out;
    }
    auto text = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    if (upper)
        text.toUpper(icu::Locale::getRoot());
    else
        text.toLower(icu::Locale::getRoot());
    std::string out;
    text.toUTF8String(out);
    return out;
}

}  // namespace

std::string uppercased(std::string_view utf8)
{
    return caseMapped(utf8, true);
}

std::string lowercased(std::string_view utf8)
{
    return caseMapped(utf8, false);
}

char32_t lowercased(char32_t cp)
{
    if (cp < 0x80)
        return (cp >= 'A' && cp <= 'Z') ? cp + 32 : cp;
    return static_cast<char32_t>(u_tolower(static_cast<UChar32>(cp)));
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

std::string trimmed(std::string_view utf8)
{
    // Find the byte range between the first and last non-white code points.
    size_t begin = utf8.size();
    size_t end = 0;
    for (size_t i = 0; i < utf8.size();) {
        const size_t at = i;
        if (!isWhitespace(next(utf8, i))) {
            if (begin == utf8.size())
                begin = at;
            end = i;
        }
    }
    if (begin >= end)
        return {};
    return std::string(utf8.substr(begin, end - begin));
}

std::string nfc(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* norm = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return std::string(utf8);
    // Most text already is NFC; checking in place avoids two conversions.
    const icu::StringPiece piece(utf8.data(), static_cast<int32_t>(utf8.size()));
    if (norm->isNormalizedUTF8(piece, status) && U_SUCCESS(status))
        return std::string(utf8);
    status = U_ZERO_ERROR;
    const auto src = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    icu::UnicodeString out = norm->normalize(src, status);
    if (U_FAILURE(status))
        return std::string(utf8);
    std::string result;
    out.toUTF8String(result);
    return result;
}

std::string withoutMarks(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfd = icu::Normalizer2::getNFDInstance(status);
    if (U_FAILURE(status))
        return std::string(utf8);
    const auto src = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    const icu::UnicodeString decomposed = nfd->normalize(src, status);
    if (U_FAILURE(status))
        return std::string(utf8);
    std::string out;
    decomposed.toUTF8String(out);
    std::string bare;
    for (char32_t cp : decode(out)) {
        if (u_charType(static_cast<UChar32>(cp)) == U_NON_SPACING_MARK)
            continue;
        append(bare, cp == U'đ' ? U'd' : cp == U'Đ' ? U'D' : cp);
    }
    return bare;
}

std::vector<std::string> graphemes(std::string_view utf8)
{
    std::vector<std::string> out;
    if (utf8.empty())
        return out;
    // Where no code point takes part in a cluster rule (no CR, combining mark, joiner,
    // Hangul jamo, regional indicator, prepend or spacing mark) every code point is a
    // cluster of its own; that is nearly all text, and a break iterator costs far more.
    const std::u32string cps = decode(utf8);
    bool simple = true;
    for (char32_t cp : cps) {
        if (cp < 0x80 ? cp == '\r'
                      : u_getIntPropertyValue(static_cast<UChar32>(cp), UCHAR_GRAPHEME_CLUSTER_BREAK) != U_GCB_OTHER) {
            simple = false;
            break;
        }
    }
    if (simple) {
        out.reserve(cps.size());
        for (char32_t cp : cps) {
            out.emplace_back();
            append(out.back(), cp);
        }
        return out;
    }
    const auto src = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
    UErrorCode status = U_ZERO_ERROR;
    // Making a break iterator is costly; each thread keeps one.
    thread_local std::unique_ptr<icu::BreakIterator> cached(
        icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
    icu::BreakIterator* it = cached.get();
    if (U_FAILURE(status) || !it) {
        for (char32_t cp : decode(utf8)) {
            out.emplace_back();
            append(out.back(), cp);
        }
        return out;
    }
    it->setText(src);
    int32_t start = it->first();
    for (int32_t end = it->next(); end != icu::BreakIterator::DONE; start = end, end = it->next()) {
        std::string piece;
        src.tempSubStringBetween(start, end).toUTF8String(piece);
        out.push_back(std::move(piece));
    }
    return out;
}

namespace {

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

std::u32string_view Clusters::cluster(size_t i) const
{
    const size_t end = i + 1 < starts.size() ? starts[i + 1] : points.size();
    return std::u32string_view(points).substr(starts[i], end - starts[i]);
}

bool Clusters::is(size_t i, char32_t cp) const
{
    const size_t end = i + 1 < starts.size() ? starts[i + 1] : points.size();
    return end - starts[i] == 1 && points[starts[i]] == cp;
}

std::string Clusters::utf8(size_t from, size_t to) const
{
    std::string out;
    if (from >= to)
        return out;
    const size_t end = to < starts.size() ? starts[to] : points.size();
    for (size_t k = starts[from]; k < end; ++k)
        append(out, points[k]);
    return out;
}

Clusters clusters(std::string_view utf8)
{
    Clusters text;
    const bool ascii = isAscii(utf8);
    text.points = decode(utf8);
    if (!ascii && !isNFC(text.points))
        text.points = decode(nfc(encode(text.points)));
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
    for (const std::string& piece : graphemes(encode(text.points))) {
        text.starts.push_back(at);
        at += static_cast<uint32_t>(decode(piece).size());
    }
    return text;
}

}  // namespace VozudOzev::Unicode
