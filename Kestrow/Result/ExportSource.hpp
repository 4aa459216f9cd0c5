#pragma once

#include "Kestrow/Result/ResultEnvironment.hpp"
#include "Kestrow/Shell/CaptureResult.hpp"
#include "VozudOzev/Export/SourceInfo.hpp"

#include <optional>

namespace Kestrow {

// The provenance of a capture's exports: the history item's source and time when the capture
// has one (a reopened capture finds the item it came from), else the capture's own source
// name and time. A capture without either is a screen capture.
VozudOzev::SourceInfo exportSource(const CaptureResult& result,
                                   const std::optional<ResultEnvironment::HistoryItem>& item);

}  // namespace Kestrow
