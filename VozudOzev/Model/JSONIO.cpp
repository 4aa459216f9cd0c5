#include "VozudOzev/Model/JSONIO.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <charconv>
#include <cmath>

namespace VozudOzev::JSONIO {

namespace {

void writeString(std::string& out, const std::string& raw, bool escapeSlashes = false)
{
    // A broken cell text must never make the whole file unreadable.
    const std::string s = Unicode::sanitized(raw);
    out += '"';
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '/':
            out += escapeSlashes ? "\\/" : "/";
            break;
        default:
            if (c < 0x20) {
                static const char* hex = "0123456789abcdef";
                out += "\\u00";
                out += hex[c >> 4];
                out += hex[c & 15];
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

void writeNumber(std::string& out, double d)
{
    if (!std::isfinite(d))
        throw EncodingError("cannot write a non-finite number");
    char buf[32];
    auto r = std::to_chars(buf, buf + sizeof buf, d);
    out.append(buf, r.ptr);
}

void indent(std::string& out, int depth)
{
    out.append(static_cast<size_t>(depth) * 2, ' ');
}

void writeValue(std::string& out, const nlohmann::json& v, int depth)
{
    using T = nlohmann::json::value_t;
    switch (v.type()) {
    case T::null: out += "null"; break;
    case T::boolean: out += v.get<bool>() ? "true" : "false"; break;
    case T::number_integer: out += std::to_string(v.get<std::int64_t>()); break;
    case T::number_unsigned: out += std::to_string(v.get<std::uint64_t>()); break;
    case T::number_float: writeNumber(out, v.get<double>()); break;
    case T::string: writeString(out, v.get_ref<const std::string&>()); break;
    case T::array:
        if (v.empty()) {
            out += "[\n\n";
            indent(out, depth);
            out += "]";
            break;
        }
        out += "[\n";
        for (size_t i = 0; i < v.size(); ++i) {
            indent(out, depth + 1);
            writeValue(out, v[i], depth + 1);
            if (i + 1 < v.size())
                out += ',';
            out += '\n';
        }
        indent(out, depth);
        out += ']';
        break;
    case T::object: {
        if (v.empty()) {
            out += "{\n\n";
            indent(out, depth);
            out += "}";
            break;
        }
        out += "{\n";
        size_t i = 0;
        // nlohmann keeps object keys in a std::map, so they come out sorted by byte.
        for (auto it = v.begin(); it != v.end(); ++it, ++i) {
            indent(out, depth + 1);
            writeString(out, it.key());
            out += " : ";
            writeValue(out, it.value(), depth + 1);
            if (i + 1 < v.size())
                out += ',';
            out += '\n';
        }
        indent(out, depth);
        out += '}';
        break;
    }
    case T::binary:
    case T::discarded: throw EncodingError("cannot write this JSON value");
    }
}

void writeCompactValue(std::string& out, const nlohmann::json& v)
{
    using T = nlohmann::json::value_t;
    switch (v.type()) {
    case T::string: writeString(out, v.get_ref<const std::string&>(), true); break;
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
            writeString(out, it.key(), true);
            out += ':';
            writeCompactValue(out, it.value());
        }
        out += '}';
        break;
    }
    default: writeValue(out, v, 0);
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
    writeValue(out, value, 0);
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
