#include "VozudOzev/Export/SourceInfo.hpp"

#include "VozudOzev/Export/ISODate.hpp"
#include "VozudOzev/Model/JSONIO.hpp"

namespace VozudOzev {

void to_json(nlohmann::json& j, const SourceInfo& s)
{
    j = nlohmann::json{{"name", s.name}, {"captured_at", ISODate::format(s.capturedAt)}};
    JSONIO::putOptional(j, "engine", s.engine);
    JSONIO::putOptional(j, "image_width", s.imageWidth);
    JSONIO::putOptional(j, "image_height", s.imageHeight);
}

void from_json(const nlohmann::json& j, SourceInfo& s)
{
    s.name = j.at("name").get<std::string>();
    const auto text = j.at("captured_at").get<std::string>();
    const auto at = ISODate::parse(text);
    if (!at)
        throw JSONIO::DecodingError("captured_at is not an ISO 8601 date: " + text);
    s.capturedAt = *at;
    s.engine = JSONIO::getOptional<std::string>(j, "engine");
    s.imageWidth = JSONIO::getOptionalInt(j, "image_width", 0);
    s.imageHeight = JSONIO::getOptionalInt(j, "image_height", 0);
}

}  // namespace VozudOzev
