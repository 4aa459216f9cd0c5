#pragma once

namespace VozudOzev::SerialOpenMP {

// Makes every OpenMP parallel region entered from the calling thread run on that thread
// alone. Tesseract's LSTM opens parallel regions with a fixed team size; beside other work
// (a compile, a browser, another recognition) those threads spin against each other and one
// page took minutes instead of seconds. Cores are spent by running whole recognitions side
// by side instead. Cheap after the first call in a thread; nothing when no OpenMP runtime
// is loaded.
void applyToThisThread();

}  // namespace VozudOzev::SerialOpenMP
