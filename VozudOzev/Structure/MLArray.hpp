#pragma once

#include "VozudOzev/Platform/MultiArray.hpp"

#include <vector>

// Flat float arrays to and from model arrays.
namespace VozudOzev::MLArray {

// A new float32 array of the shape holding the values in row-major order. Throws
// ModelError for an impossible shape or when the value count differs from the element count.
MultiArray make(const std::vector<float>& values, const std::vector<long long>& shape);

// Writes the values into an existing float32 array: copied straight into contiguous
// storage, element by element through the strides otherwise.
void fill(MultiArray& array, const std::vector<float>& values);

// The elements as 32-bit floats in row-major order (last dimension fastest); one element
// for a zero-dimensional array.
std::vector<float> floats(const MultiArray& array);

}  // namespace VozudOzev::MLArray
