// Placeholder until the repair pass lands.
#include "VozudOzev/CellTextCleaner.hpp"

namespace VozudOzev::CellTextCleaner {

void clean(std::vector<AssembledCell>&) {}

bool isNumberToken(std::string_view) { return false; }

std::optional<std::string> numericRepair(std::string_view) { return std::nullopt; }

bool isNumericCell(std::string_view) { return false; }

bool isJunkToken(std::string_view, const std::vector<std::string>&) { return false; }

std::string stripJunk(std::string_view text) { return std::string(text); }

std::string fixHomoglyphs(std::string_view token, bool) { return std::string(token); }

bool isCyrillicOrGreek(std::string_view) { return false; }

}  // namespace VozudOzev::CellTextCleaner
