#include "VozudOzev/Model/JSONWriter.hpp"

#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/Unicode.hpp"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace VozudOzev {

void JSONWriter::appendString(std::string& out, std::string_view raw, bool escapeSlashes)
{
    // A broken cell text must never make the whole file unreadable.
    std::string repaired;
    if (!Unicode::isValid(raw))
        raw = repaired = Unicode::sanitized(raw);
    out += '"';
    size_t start = 0;
    for (size_t i = 0; i < raw.size(); ++i) {
        const auto c = static_cast<unsigned char>(raw[i]);
        char escape = 0;
        switch (c) {
        case '"': escape = '"'; break;
        case '\\': escape = '\\'; break;
        case '\n': escape = 'n'; break;
        case '\r': escape = 'r'; break;
        case '\t': escape = 't'; break;
        case '\b': escape = 'b'; break;
        case '\f': escape = 'f'; break;
        case '/':
            if (escapeSlashes)
                escape = '/';
            break;
        default: break;
        }
        if (!escape && c >= 0x20)
            continue;
        out.append(raw, start, i - start);
        start = i + 1;
        if (escape) {
            out += '\\';
            out += escape;
        } else {
            static constexpr char hex[] = "0123456789abcdef";
            out += "\\u00";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    out.append(raw, start);
    out += '"';
}

void JSONWriter::appendNumber(std::string& out, double d)
{
    if (!std::isfinite(d))
        throw JSONIO::EncodingError("cannot write a non-finite number");
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, d);
    out.append(buf, r.ptr);
}

void JSONWriter::newLine()
{
    out_ += '\n';
    out_.append(levels_.size() * 2, ' ');
}

// Inside an array every value starts on a line of its own; after a key it follows the key.
void JSONWriter::beforeValue()
{
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (levels_.empty())
        return;
    Level& level = levels_.back();
    if (!level.empty)
        out_ += ',';
    level.empty = false;
    newLine();
}

void JSONWriter::key(std::string_view name)
{
    Level& level = levels_.back();
    if (!level.empty)
        out_ += ',';
    level.empty = false;
    newLine();
    appendString(out_, name, false);
    out_ += " : ";
    afterKey_ = true;
}

void JSONWriter::open(bool object, char bracket)
{
    beforeValue();
    out_ += bracket;
    levels_.push_back({object, true});
}

void JSONWriter::close(char bracket)
{
    const bool empty = levels_.back().empty;
    levels_.pop_back();
    if (empty)
        out_ += '\n';
    newLine();
    out_ += bracket;
}

void JSONWriter::beginObject() { open(true, '{'); }
void JSONWriter::endObject() { close('}'); }
void JSONWriter::beginArray() { open(false, '['); }
void JSONWriter::endArray() { close(']'); }

void JSONWriter::string(std::string_view text)
{
    beforeValue();
    appendString(out_, text, false);
}

void JSONWriter::integer(long long n)
{
    beforeValue();
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, n);
    out_.append(buf, r.ptr);
}

void JSONWriter::number(double d)
{
    beforeValue();
    appendNumber(out_, d);
}

void JSONWriter::boolean(bool b)
{
    beforeValue();
    out_ += b ? "true" : "false";
}

void JSONWriter::null()
{
    beforeValue();
    out_ += "null";
}

void JSONWriter::value(const nlohmann::json& v)
{
    using T = nlohmann::json::value_t;
    switch (v.type()) {
    case T::null: null(); break;
    case T::boolean: boolean(v.get<bool>()); break;
    case T::number_integer: integer(v.get<std::int64_t>()); break;
    case T::number_unsigned: {
        beforeValue();
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, v.get<std::uint64_t>());
        out_.append(buf, r.ptr);
        break;
    }
    case T::number_float: number(v.get<double>()); break;
    case T::string: string(v.get_ref<const std::string&>()); break;
    case T::array:
        beginArray();
        for (const auto& item : v)
            value(item);
        endArray();
        break;
    case T::object:
        // nlohmann keeps object keys in a std::map, so they come out sorted by byte.
        beginObject();
        for (auto it = v.begin(); it != v.end(); ++it) {
            key(it.key());
            value(it.value());
        }
        endObject();
        break;
    case T::binary:
    case T::discarded: throw JSONIO::EncodingError("cannot write this JSON value");
    }
}

}  // namespace VozudOzev
