#pragma once

#include "VozudOzev/Locale/LocaleOverrides.hpp"
#include "VozudOzev/Locale/TableLocale.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <string>
#include <vector>

// Decides each column's number style and date order from the body cells, the caller's
// overrides and the fallbacks of the default locale. Pure functions.
namespace VozudOzev::TableLocaleResolver {

// Rows may differ in length; the first headerRows rows give no evidence.
TableLocale resolve(const std::vector<std::vector<std::string>>& grid, int headerRows, const LocaleOverrides& overrides);
TableLocale resolve(const Table& table, int headerRows, const LocaleOverrides& overrides);

}  // namespace VozudOzev::TableLocaleResolver
