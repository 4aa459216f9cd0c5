#include "Kestrow/History/HistoryRecord.hpp"

#include "VozudOzev/Export/ISODate.hpp"
#include "VozudOzev/Model/JSONIO.hpp"

#include <cmath>
#include <limits>

namespace Kestrow::HistoryRecord {

using nlohmann::json;

namespace {

// The library's decoders convert loosely (3.5 or true read as an integer); a record is
// checked for exact types first, so a damaged one is skipped rather than misread.
bool isInt(const json& j, std::int64_t lo = std::numeric_limits<int>::min(),
           std::int64_t hi = std::numeric_limits<int>::max())
{
    if (!j.is_number_integer())
        return false;
    if (j.is_number_unsigned() && j.get<std::uint64_t>() > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return false;
    const auto v = j.get<std::int64_t>();
    return v >= lo && v <= hi;
}

bool isNumber(const json& j) { return j.is_number() && std::isfinite(j.get<double>()); }

bool has(const json& j, const char* key, bool (*check)(const json&))
{
    auto it = j.find(key);
    return it != j.end() && check(*it);
}

bool hasOptional(const json& j, const char* key, bool (*check)(const json&))
{
    auto it = j.find(key);
    return it == j.end() || it->is_null() || check(*it);
}

bool allOf(const json& j, const char* key, bool (*check)(const json&))
{
    auto it = j.find(key);
    if (it == j.end() || !it->is_array())
        return false;
    for (const auto& e : *it)
        if (!check(e))
            return false;
    return true;
}

bool isString(const json& j) { return j.is_string(); }
bool isBool(const json& j) { return j.is_boolean(); }
bool isAnyInt(const json& j) { return isInt(j); }

bool isBox(const json& j)
{
    return j.is_object() && has(j, "x", isNumber) && has(j, "y", isNumber) && has(j, "w", isNumber) &&
           has(j, "h", isNumber);
}

bool isFlagList(const json& j)
{
    if (!j.is_array())
        return false;
    for (const auto& f : j)
        if (!f.is_string() || !VozudOzev::cellFlagFromRaw(f.get_ref<const std::string&>()))
            return false;
    return true;
}

bool isSpan(const json& j) { return isInt(j, 1, HistoryRecord::maxTableSide); }

bool isCell(const json& j)
{
    return j.is_object() && has(j, "row", isAnyInt) && has(j, "col", isAnyInt) && has(j, "row_span", isSpan) &&
           has(j, "col_span", isSpan) && has(j, "text", isString) && hasOptional(j, "confidence", isNumber) &&
           hasOptional(j, "bbox", isBox) && hasOptional(j, "flags", isFlagList) && hasOptional(j, "header", isBool);
}

bool isTable(const json& j)
{
    if (!j.is_object() || !has(j, "index", isAnyInt) || !hasOptional(j, "bbox", isBox))
        return false;
    auto rows = j.find("rows");
    auto cols = j.find("cols");
    auto cells = j.find("cells");
    if (rows == j.end() || cols == j.end() || cells == j.end() || !isInt(*rows, 0, maxTableSide) ||
        !isInt(*cols, 0, maxTableSide))
        return false;
    const long long slots = rows->get<long long>() * cols->get<long long>();
    return slots <= maxTableSlots && static_cast<long long>(cells->size()) <= maxTableSlots && allOf(j, "cells", isCell);
}

bool isWord(const json& j)
{
    return j.is_object() && has(j, "text", isString) && has(j, "bbox", isBox) && has(j, "confidence", isNumber);
}

bool isLine(const json& j)
{
    return j.is_object() && has(j, "text", isString) && has(j, "bbox", isBox) && has(j, "confidence", isNumber) &&
           allOf(j, "words", isWord);
}

bool isSize(const json& j) { return isInt(j, 0, std::numeric_limits<std::int64_t>::max()); }
bool isScale(const json& j) { return isNumber(j) && j.get<double>() > 0; }
bool isIndex(const json& j) { return isInt(j, std::numeric_limits<std::int64_t>::min(), std::numeric_limits<std::int64_t>::max()); }

bool isRecord(const json& j)
{
    return j.is_object() && has(j, "date", isString) && has(j, "engine", isString) && has(j, "has_image", isBool) &&
           has(j, "id", isString) && has(j, "image_height", isSize) && has(j, "image_scale", isScale) &&
           has(j, "image_width", isSize) && has(j, "source_name", isString) && hasOptional(j, "selected_index", isIndex) &&
           allOf(j, "tables", isTable) && allOf(j, "lines", isLine);
}

}  // namespace

std::optional<std::string> encode(const HistoryItem& item)
{
    try {
        json j = {
            {"date", VozudOzev::ISODate::format(item.date)},
            {"engine", item.engine},
            {"has_image", item.hasImage},
            {"id", item.id},
            {"image_height", item.imageHeight},
            {"image_scale", item.imageScale},
            {"image_width", item.imageWidth},
            {"lines", item.lines},
            {"source_name", item.sourceName},
            {"tables", item.tables},
        };
        if (item.selectedIndex)
            j["selected_index"] = *item.selectedIndex;
        return VozudOzev::JSONIO::writeCompact(j);
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

std::optional<HistoryItem> decode(std::string_view bytes, std::optional<std::string_view> expectedId)
{
    if (bytes.size() > maxRecordBytes)
        return std::nullopt;
    try {
        const json j = json::parse(bytes.begin(), bytes.end());
        if (!isRecord(j))
            return std::nullopt;
        HistoryItem item;
        item.id = j.at("id").get<std::string>();
        if (!isUuid(item.id) || (expectedId && item.id != *expectedId))
            return std::nullopt;
        auto date = VozudOzev::ISODate::parse(j.at("date").get_ref<const std::string&>());
        if (!date)
            return std::nullopt;
        item.date = *date;
        item.sourceName = j.at("source_name").get<std::string>();
        item.engine = j.at("engine").get<std::string>();
        item.imageWidth = j.at("image_width").get<std::int64_t>();
        item.imageHeight = j.at("image_height").get<std::int64_t>();
        item.imageScale = j.at("image_scale").get<double>();
        item.tables = j.at("tables").get<std::vector<VozudOzev::Table>>();
        if (auto it = j.find("selected_index"); it != j.end() && !it->is_null())
            item.selectedIndex = it->get<std::int64_t>();
        item.lines = j.at("lines").get<std::vector<VozudOzev::OCRLine>>();
        item.hasImage = j.at("has_image").get<bool>();
        return item;
    } catch (const std::exception&) {
        return std::nullopt;
    }
}

bool isUuid(std::string_view text)
{
    if (text.size() != 36)
        return false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (c != '-')
                return false;
        } else if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) {
            return false;
        }
    }
    return true;
}

std::optional<std::string> idOfRecordFile(std::string_view fileName)
{
    constexpr std::string_view ext = ".json";
    if (fileName.size() != 36 + ext.size() || fileName.substr(36) != ext)
        return std::nullopt;
    std::string_view stem = fileName.substr(0, 36);
    if (!isUuid(stem))
        return std::nullopt;
    return std::string(stem);
}

std::string recordFileName(std::string_view id) { return std::string(id) + ".json"; }
std::string imageFileName(std::string_view id) { return std::string(id) + ".png"; }

}  // namespace Kestrow::HistoryRecord
