#include "VozudOzev/Locale/LocaleIdentifier.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <vector>

namespace VozudOzev {

namespace {

std::string_view withoutCodeset(std::string_view name)
{
    const size_t cut = name.find_first_of(".@");
    return cut == std::string_view::npos ? name : name.substr(0, cut);
}

}  // namespace

LocaleIdentifier LocaleIdentifier::parse(std::string_view identifier)
{
    std::vector<std::string> pieces;
    std::string piece;
    for (char c : withoutCodeset(identifier)) {
        if (c == '_' || c == '-') {
            if (!piece.empty())
                pieces.push_back(std::move(piece));
            piece.clear();
        } else {
            piece += c;
        }
    }
    if (!piece.empty())
        pieces.push_back(std::move(piece));

    LocaleIdentifier out;
    if (pieces.empty()) {
        out.language = "en";
        return out;
    }
    out.language = Unicode::lowercased(pieces.front());
    if (pieces.size() >= 2)
        out.region = Unicode::uppercased(pieces.back());
    return out;
}

std::optional<std::string> LocaleIdentifier::fromPosix(std::string_view posixLocale)
{
    const std::string_view name = withoutCodeset(posixLocale);
    if (name.empty() || name == "C" || name == "POSIX")
        return std::nullopt;
    return std::string(name);
}

}  // namespace VozudOzev
