#include "VozudOzev/Export/CSV.hpp"

namespace VozudOzev::CSV {

std::string escape(std::string_view field)
{
    std::string out;
    appendEscaped(out, field);
    return out;
}

void appendEscaped(std::string& out, std::string_view field)
{
    if (field.find_first_of(",\"\n\r") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    size_t start = 0;
    for (size_t quote = field.find('"'); quote != std::string_view::npos; quote = field.find('"', start)) {
        out.append(field, start, quote + 1 - start);
        out += '"';
        start = quote + 1;
    }
    out.append(field, start);
    out += '"';
}

std::string write(const std::vector<std::vector<std::string>>& rows)
{
    std::string out;
    for (const auto& row : rows) {
        for (size_t i = 0; i < row.size(); ++i) {
            if (i > 0)
                out += ',';
            appendEscaped(out, row[i]);
        }
        out += '\n';
    }
    return out;
}

std::vector<std::vector<std::string>> parse(std::string_view text)
{
    // Every character with a meaning here is ASCII, and UTF-8 continuation bytes never
    // are, so reading bytes gives the same fields as reading scalars.
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 == text.size()) {
                quoted = false;
            } else if (text[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;  // the next character goes through the outside rules
            }
            continue;
        }
        switch (c) {
        case '"': quoted = true; break;
        case ',':
            row.push_back(std::move(field));
            field.clear();
            break;
        case '\n':
            row.push_back(std::move(field));
            field.clear();
            rows.push_back(std::move(row));
            row.clear();
            break;
        case '\r': break;
        default: field += c;
        }
    }
    if (!field.empty() || !row.empty()) {
        row.push_back(std::move(field));
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace VozudOzev::CSV
