#pragma once

#include <climits>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace VozudOzev::JSONIO {

// Raised for text that is not JSON or lacks a required field.
struct DecodingError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Raised for a value the JSON form cannot carry (NaN or infinity).
struct EncodingError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The shared written form: keys sorted, two-space indent, " : " between key and value,
// slashes unescaped, whole doubles without ".0", no trailing newline.
std::string write(const nlohmann::json& value);

// One line with keys sorted, no blanks between tokens and every slash escaped; whole
// doubles still without ".0". The form of records kept on disk one per file.
std::string writeCompact(const nlohmann::json& value);

nlohmann::json parse(std::string_view text);

template <class T>
std::string encode(const T& value)
{
    nlohmann::json j = value;
    return write(j);
}

template <class T>
T decode(std::string_view text)
{
    nlohmann::json j = parse(text);
    try {
        return j.get<T>();
    } catch (const nlohmann::json::exception& e) {
        throw DecodingError(e.what());
    }
}

// Absent optionals are left out of the written form, never written as null.
template <class T>
void putOptional(nlohmann::json& j, const char* key, const std::optional<T>& value)
{
    if (value)
        j[key] = *value;
}

template <class T>
std::optional<T> getOptional(const nlohmann::json& j, const char* key)
{
    auto it = j.find(key);
    if (it == j.end() || it->is_null())
        return std::nullopt;
    return it->template get<T>();
}

// An enum read from its written name; an unknown name throws nlohmann's type_error naming
// what was expected.
template <class Enum, class FromName>
Enum getEnum(const nlohmann::json& j, FromName fromName, const char* what)
{
    const std::string name = j.get<std::string>();
    if (const std::optional<Enum> value = fromName(name))
        return *value;
    throw nlohmann::json::type_error::create(302, std::string("unknown ") + what + ": " + name, &j);
}

// A whole number within min ... max (a whole-valued double such as 3.0 counts). Anything
// else, such as 1e10, -1 for a count or 2.5, throws nlohmann's out_of_range: a plain
// get<int>() would cast it, which is undefined and gives INT_MIN on x86.
int getInt(const nlohmann::json& j, const char* key, int min = INT_MIN, int max = INT_MAX);
// The same for an optional key: absent or null reads as nothing.
std::optional<int> getOptionalInt(const nlohmann::json& j, const char* key, int min = INT_MIN, int max = INT_MAX);

}  // namespace VozudOzev::JSONIO
