#pragma once

#include "Kestrow/History/HistoryItem.hpp"

#include <optional>
#include <string>
#include <string_view>

// The one-line JSON record of a saved capture, and the names of its files.
namespace Kestrow::HistoryRecord {

// Larger files are not read at all: no capture comes near it.
inline constexpr std::size_t maxRecordBytes = 64u << 20;
// A stored table beyond these sizes is damage, not a capture; the editor and previews
// would allocate rows x cols for it.
inline constexpr int maxTableSide = 100'000;
inline constexpr long long maxTableSlots = 1'000'000;

// Sorted keys, no blanks, slashes escaped, date in whole UTC seconds. Nothing when a value
// cannot be written (a non-finite number).
std::optional<std::string> encode(const HistoryItem& item);

// Nothing for a record that is not JSON, lacks a required key, holds a value of the wrong
// type or an absurd size, has a date with a fraction or no zone, or whose id differs from
// expectedId (the stem of the file it was read from) when one is given.
std::optional<HistoryItem> decode(std::string_view bytes, std::optional<std::string_view> expectedId = std::nullopt);

// An upper-case hyphenated UUID (36 characters); lower case does not count.
bool isUuid(std::string_view text);

// The id named by "<UUID>.json", or nothing for any other name.
std::optional<std::string> idOfRecordFile(std::string_view fileName);

std::string recordFileName(std::string_view id);
std::string imageFileName(std::string_view id);

}  // namespace Kestrow::HistoryRecord
