#pragma once

namespace VozudOzev {

// Which processors a model may run on. Carried from the caller to the runtime; the
// OpenCV backend runs on the CPU whatever is chosen.
enum class ComputeUnits { cpuOnly = 0, cpuAndGPU = 1, all = 2, cpuAndNeuralEngine = 3 };

}  // namespace VozudOzev
