#pragma once

#include "VozudOzev/Merge/StitchTables.hpp"

#include <QString>

namespace Kestrow::Stitching {

// One line on a finished stitch: rows added, then repeated rows skipped and a repeated
// header removed when there were any, joined by " · ".
QString summary(const VozudOzev::StitchTables::Report& report);

}  // namespace Kestrow::Stitching
