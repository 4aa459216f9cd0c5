#include "VozudOzev/Locale/NumberStyle.hpp"

#include "VozudOzev/Locale/LocaleIdentifier.hpp"
#include "VozudOzev/Model/EnumNames.hpp"

#include <algorithm>
#include <string>

namespace VozudOzev {

namespace {

constexpr std::string_view commaLanguages[] = {
    "de", "fr", "es", "it", "pt", "nl", "vi", "ru", "id", "tr", "pl", "cs", "sv", "da", "nb",
    "nn", "no", "fi", "uk", "ro", "hu", "el", "sk", "sl", "hr", "sr", "bg", "lt", "lv", "et",
};

}  // namespace

constexpr EnumName<NumberStyle> numberStyleNames[] = {
    {NumberStyle::dotDecimal, "dot_decimal"},
    {NumberStyle::commaDecimal, "comma_decimal"},
};

std::string_view rawValue(NumberStyle style)
{
    return nameOf(numberStyleNames, style);
}

std::optional<NumberStyle> numberStyleFromRaw(std::string_view raw)
{
    return valueNamed(numberStyleNames, raw);
}

NumberStyle other(NumberStyle style)
{
    return style == NumberStyle::dotDecimal ? NumberStyle::commaDecimal : NumberStyle::dotDecimal;
}

NumberStyle numberStyle(std::string_view localeIdentifier)
{
    const LocaleIdentifier id = LocaleIdentifier::parse(localeIdentifier);
    if (id.region == "CH" || id.region == "LI")
        return NumberStyle::dotDecimal;
    const bool comma = std::find(std::begin(commaLanguages), std::end(commaLanguages), id.language) != std::end(commaLanguages);
    return comma ? NumberStyle::commaDecimal : NumberStyle::dotDecimal;
}

}  // namespace VozudOzev
