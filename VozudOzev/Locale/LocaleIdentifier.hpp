#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace VozudOzev {

// The language and region of a locale identifier such as "de_CH", "vi-VN" or "en".
struct LocaleIdentifier {
    std::string language;               // lower case; "en" for an empty identifier
    std::optional<std::string> region;  // upper case; the last piece of two or more

    // "_" reads as "-"; a POSIX codeset or modifier ("de_CH.UTF-8", "sr_RS@latin") is
    // ignored so that it cannot pass for the region.
    static LocaleIdentifier parse(std::string_view identifier);

    // The plain language-region name of a POSIX locale: "en_US.UTF-8" gives "en_US".
    // "C", "POSIX" and an empty name carry no language and give nothing.
    static std::optional<std::string> fromPosix(std::string_view posixLocale);

    bool operator==(const LocaleIdentifier&) const = default;
};

}  // namespace VozudOzev
