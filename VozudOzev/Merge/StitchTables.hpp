#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <nlohmann/json_fwd.hpp>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Joins the next capture of a long table onto the base capture: matches the columns,
// drops the repeated header and the rows that repeat the end of the base, and appends
// the rest. When the columns cannot be matched with confidence it asks instead of
// guessing.
namespace VozudOzev::StitchTables {

struct Options {
    std::optional<int> baseHeaderRows;  // none: the base's leading header rows
    double rowSimilarity;               // from this score two rows are the same row
    double headerSimilarity;            // from this score two labels name the same column

    bool operator==(const Options&) const = default;
};

enum class MappingMethod { position, headerNames, nonEmptyPosition, manual };

std::string_view rawValue(MappingMethod method);
std::optional<MappingMethod> mappingMethodFromRaw(std::string_view raw);
void to_json(nlohmann::json& j, MappingMethod m);
void from_json(const nlohmann::json& j, MappingMethod& m);

// One entry per next column: the base column that receives it, or none to leave it out.
// An entry may lie beyond the base's columns; the stitched table then grows.
using Mapping = std::vector<std::optional<int>>;

struct Report {
    int droppedHeaderRows = 0;
    int droppedOverlapRows = 0;
    int appendedRows = 0;
    Mapping mapping;
    MappingMethod method = MappingMethod::position;
    std::vector<int> droppedEmptyColumns;  // next columns left out, ascending

    bool operator==(const Report&) const = default;
};

struct MappingRequest {
    std::vector<std::string> baseHeaders;
    std::vector<std::string> nextHeaders;
    Mapping suggested;
    std::string reason;

    bool operator==(const MappingRequest&) const = default;
};

struct Stitched {
    Table table;
    Report report;

    bool operator==(const Stitched&) const = default;
};

struct Result {
    std::variant<Stitched, MappingRequest> value;

    // The stitched table, or nothing for a mapping request.
    const Table* table() const;
    const Stitched* stitched() const;
    const MappingRequest* request() const;

    bool operator==(const Result&) const = default;
};

Result stitch(const Table& base, const Table& next, const Options& options);

// Always stitches with the user's mapping. Negative entries carry nothing, like empty
// ones; an entry beyond any sane sheet width is refused with VozudOzevError.
Result stitch(const Table& base, const Table& next, const Mapping& mapping, const Options& options);

// Header-name key: lower-cased, letters, marks and digits only.
std::string normalize(std::string_view text);
// The ASCII digits of the text, in order.
std::string digits(std::string_view text);
// 1 - Levenshtein distance / longer length, over characters; 0 when either is empty.
double similarity(std::string_view a, std::string_view b);
// Text score of two rows of cell keys; 0 when they differ in length, when one cell is
// empty against a filled one, or when the digits of any cell pair differ.
double rowSimilarity(const std::vector<std::string>& a, const std::vector<std::string>& b);

}  // namespace VozudOzev::StitchTables
