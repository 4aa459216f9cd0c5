#pragma once

#include "Kestrow/Result/ResultView.hpp"

// A result window made by the window recipe's sizes and titled by its capture.
namespace Kestrow::ResultWindow {

// The table a window is titled by: the selected one when its index lies within the tables,
// else the first, else none.
std::optional<VozudOzev::Table> titleTable(const VozudOzev::EngineOutput& output);

// A new top-level window: 900 x 600 points, at least 640 x 420, titled from the capture's
// source and table. The caller shows it.
ResultView* make(CaptureResult result, std::optional<QString> notice, ResultView::CaptureNext onCaptureNext,
                 ResultEnvironment env);

}  // namespace Kestrow::ResultWindow
