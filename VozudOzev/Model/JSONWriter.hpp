#pragma once

#include <nlohmann/json_fwd.hpp>
#include <string>
#include <string_view>
#include <vector>

namespace VozudOzev {

// Writes the shared JSON form (see JSONIO::write) value by value onto a string, so a large
// document never exists as a tree first. Keys are written as given: the caller passes them
// in byte order, as the tree form sorts them.
class JSONWriter {
public:
    explicit JSONWriter(std::string& out) : out_(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);

    void string(std::string_view text);  // invalid UTF-8 comes out as U+FFFD
    void integer(long long n);
    void number(double d);  // throws JSONIO::EncodingError for NaN or infinity
    void boolean(bool b);
    void null();
    void value(const nlohmann::json& v);  // a whole tree, in the same form

    // A string literal with its escapes; escapeSlashes writes "/" as "\/".
    static void appendString(std::string& out, std::string_view raw, bool escapeSlashes);
    static void appendNumber(std::string& out, double d);

private:
    struct Level {
        bool object;
        bool empty;
    };

    void beforeValue();
    void open(bool object, char bracket);
    void close(char bracket);
    void newLine();

    std::string& out_;
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace VozudOzev
