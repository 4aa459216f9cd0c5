#pragma once

#include "VozudOzev/Export/AIContext.hpp"
#include "VozudOzev/Locale/LocaleOverrides.hpp"
#include "VozudOzev/Model/Table.hpp"

#include <functional>

namespace Kestrow {

// What the copy and save actions read of the settings, taken afresh for every action so
// a change in Settings applies to the next copy.
struct ExportPreferences {
    using Normalizer = std::function<VozudOzev::Table(const VozudOzev::Table&)>;

    bool copyNormalized = false;  // "copyMode" is exactly "normalized"
    VozudOzev::AIContext::HeaderMode aiHeaderMode = VozudOzev::AIContext::HeaderMode::joined;
    double flagThreshold = 0.8;
    VozudOzev::LocaleOverrides localeOverrides;  // how the workbook reads numbers
    Normalizer normalizer;                       // none: the table as shown
};

}  // namespace Kestrow
