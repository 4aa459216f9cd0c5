#include "VozudOzev/Model/JSONIO.hpp"

#include "VozudOzev/Model/JSONWriter.hpp"

#include <cmath>

namespace VozudOzev::JSONIO {

namespace {

void writeCompactValue(std::string& out, const nlohmann::json& v)
{
    using T = nlohmann::json::value_t;
    switch (v.type()) {
    case T::string: JSONWriter::appendString(out, v.get_ref<const std::string&>(), true); break;
    case T::array:
        out += '[';
        for (size_t i = 0; i < v.size(); ++i) {
            if (i > 0)
                out += ',';
            writeCompactValue(out, v[i]);
        }
        out += ']';
        break;
    case T::object: {
        out += '{';
        bool first = true;
        for (auto it = v.begin(); it != v.end(); ++it) {
            if (!first)
                out += ',';
            first = false;
            JSONWriter::appendString(out, it.key(), true);
            out += ':';
            writeCompactValue(out, it.value());
        }
        out += '}';
        break;
    }
    default: JSONWriter(out).value(v);
    }
}

}  // namespace

std::string writeCompact(const nlohmann::json& value)
{
    std::string out;
    writeCompactValue(out, value);
    return out;
}

std::string write(const nlohmann::json& value)
{
    std::string out;
    JSONWriter(out).value(value);
    return out;
}

int getInt(const nlohmann::json& j, const char* key, int min, int max)
{
    const nlohmann::json& v = j.at(key);
    bool inRange = false;
    long long n = 0;
    if (v.is_number_unsigned()) {
        const auto u = v.get<std::uint64_t>();
        inRange = u <= static_cast<std::uint64_t>(INT_MAX);
        n = inRange ? static_cast<long long>(u) : 0;
    } else if (v.is_number_integer()) {
        n = v.get<std::int64_t>();
        inRange = n >= INT_MIN && n <= INT_MAX;
    } else if (v.is_number_float()) {
        const double d = v.get<double>();
        inRange = std::isfinite(d) && d == std::floor(d) && d >= INT_MIN && d <= INT_MAX;
        n = inRange ? static_cast<long long>(d) : 0;
    } else {
        throw nlohmann::json::type_error::create(302, std::string("\"") + key + "\" is not a number", &v);
    }
    if (!inRange || n < min || n > max)
        throw nlohmann::json::out_of_range::create(406, std::string("\"") + key + "\" out of range", &v);
    return static_cast<int>(n);
}

std::optional<int> getOptionalInt(const nlohmann::json& j, const char* key, int min, int max)
{
    auto it = j.find(key);
    if (it == j.end() || it->is_null())
        return std::nullopt;
    return getInt(j, key, min, max);
}

nlohmann::json parse(std::string_view text)
{
    try {
        return nlohmann::json::parse(text.begin(), text.end());
    } catch (const nlohmann::json::exception& e) {
        throw DecodingError(e.what());
    }
}

}  // namespace VozudOzev::JSONIO
