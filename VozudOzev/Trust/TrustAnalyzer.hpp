#pragma once

#include "VozudOzev/Locale/LocaleOverrides.hpp"
#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/Trust/TrustOptions.hpp"
#include "VozudOzev/Trust/TrustReport.hpp"

#include <utility>

// The trust analysis of a recognised table: header rows, column locales and types,
// totals and row numbers, and the flags of every cell that needs a human look. Texts are
// never changed and no value is invented.
namespace VozudOzev::TrustAnalyzer {

// The same table (index, size, box, cells in order) with its flags rebuilt: earlier flags
// other than "edited" never survive, and "edited" stays last.
std::pair<Table, TrustReport> analyze(const Table& table, double threshold, const LocaleOverrides& overrides, const TrustOptions& options);

}  // namespace VozudOzev::TrustAnalyzer
