#pragma once

#include <cstdint>
#include <vector>

namespace VozudOzev {

// A model input or output: an n-dimensional array with its shape, strides in elements and
// element type. A linear element j is the j-th in row-major order of the shape (last
// dimension fastest), wherever the strides place it in storage.
struct MultiArray {
    enum class ElementType { float32, float64, int32 };

    // Larger arrays are refused rather than allocated.
    static constexpr long long maxElements = 1LL << 28;

    std::vector<long long> shape;
    std::vector<long long> strides;
    ElementType type = ElementType::float32;
    std::vector<std::uint8_t> storage;

    MultiArray() = default;
    // Zero-filled, contiguous row-major. Throws ModelError for a negative dimension or
    // more than maxElements elements.
    MultiArray(std::vector<long long> shape, ElementType type);
    // Zero-filled with the given non-negative strides (storage as large as they need).
    MultiArray(std::vector<long long> shape, std::vector<long long> strides, ElementType type);

    // Product of the shape; 1 for a zero-dimensional array.
    long long count() const;
    static int elementSize(ElementType type);

    // Strides of a contiguous row-major array of the shape.
    static std::vector<long long> rowMajorStrides(const std::vector<long long>& shape);

    // Shape, strides and storage agree: every element lies inside the storage. The fields
    // are public, so readers check this before indexing.
    bool valid() const;

    // Storage offset (in elements) of linear element j.
    long long offset(long long j) const;
    double value(long long j) const;
    void setValue(long long j, double v);

    float* floats() { return reinterpret_cast<float*>(storage.data()); }
    const float* floats() const { return reinterpret_cast<const float*>(storage.data()); }

    bool operator==(const MultiArray&) const = default;
};

}  // namespace VozudOzev
