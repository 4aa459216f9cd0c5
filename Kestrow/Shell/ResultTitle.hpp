#pragma once

#include "VozudOzev/Model/Table.hpp"

#include <QString>

#include <optional>

namespace Kestrow::ResultTitle {

// "name · R × C", or "R × C table" without a usable name; without a table the name, or
// "Text only". Image-file extensions are dropped from the name.
QString make(const std::optional<QString>& source, const std::optional<VozudOzev::Table>& table);

}  // namespace Kestrow::ResultTitle
