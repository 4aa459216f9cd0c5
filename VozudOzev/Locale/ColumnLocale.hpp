#pragma once

#include "VozudOzev/Locale/DateColumnResolution.hpp"
#include "VozudOzev/Locale/LocaleSource.hpp"
#include "VozudOzev/Locale/NumberStyle.hpp"

#include <nlohmann/json_fwd.hpp>

namespace VozudOzev {

// How one column's numbers and dates are read, and why.
struct ColumnLocale {
    NumberStyle numberStyle = NumberStyle::dotDecimal;
    LocaleSource numberSource = LocaleSource::override;
    // Only a fallback style can be ambiguous: the evidence could not decide.
    bool numberAmbiguous = false;
    DateColumnResolution date;
    LocaleSource dateSource = LocaleSource::override;

    bool operator==(const ColumnLocale&) const = default;
};

void to_json(nlohmann::json& j, const ColumnLocale& c);
void from_json(const nlohmann::json& j, ColumnLocale& c);

}  // namespace VozudOzev
