#pragma once

#include "VozudOzev/Extraction/TableExtraction.hpp"
#include "VozudOzev/Locale/LocaleOverrides.hpp"
#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/Trust/TrustOptions.hpp"

namespace Kestrow::TrustWiring {

// Nothing forced; the user's current locale supplies the fallbacks.
VozudOzev::LocaleOverrides standardOverrides();
VozudOzev::TrustOptions standardOptions();

// Installs the clipboard's normaliser and XLSX locale (the locale at launch).
void install();

// Every table replaced by its flagged copy; everything else unchanged.
VozudOzev::TableExtraction::Extraction analyze(VozudOzev::TableExtraction::Extraction extraction, double threshold);
VozudOzev::Table reanalyze(const VozudOzev::Table& table, double threshold);

// Body values re-rendered in each column's resolved style; header rows untouched.
VozudOzev::Table normalize(const VozudOzev::Table& table);

}  // namespace Kestrow::TrustWiring
