#include "VozudOzev/Platform/MultiArray.hpp"

#include "VozudOzev/Platform/ModelError.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

namespace VozudOzev {

namespace {

long long checkedCount(const std::vector<long long>& shape)
{
    long long n = 1;
    for (long long d : shape) {
        if (d < 0)
            throw ModelError("array dimension " + std::to_string(d) + " is negative");
        if (d != 0 && n > MultiArray::maxElements / d)
            throw ModelError("array of more than " + std::to_string(MultiArray::maxElements) + " elements");
        n *= d;
    }
    return n;
}

}  // namespace

MultiArray::MultiArray(std::vector<long long> s, ElementType t) : shape(std::move(s)), type(t)
{
    const long long n = checkedCount(shape);
    strides = rowMajorStrides(shape);
    storage.assign(static_cast<size_t>(n) * elementSize(type), 0);
}

MultiArray::MultiArray(std::vector<long long> s, std::vector<long long> st, ElementType t)
    : shape(std::move(s)), strides(std::move(st)), type(t)
{
    const long long n = checkedCount(shape);
    if (strides.size() != shape.size())
        throw ModelError("array strides do not match its shape");
    long long last = 0;
    for (size_t d = 0; d < shape.size(); ++d) {
        if (strides[d] < 0 || strides[d] > maxElements)
            throw ModelError("array stride " + std::to_string(strides[d]) + " is out of range");
        if (shape[d] > 0)
            last += (shape[d] - 1) * strides[d];
    }
    if (last >= maxElements)
        throw ModelError("array storage of more than " + std::to_string(maxElements) + " elements");
    storage.assign(static_cast<size_t>(n == 0 ? 0 : last + 1) * elementSize(type), 0);
}

long long MultiArray::count() const
{
    long long n = 1;
    for (long long d : shape)
        n *= d;
    return n;
}

std::vector<long long> MultiArray::rowMajorStrides(const std::vector<long long>& shape)
{
    std::vector<long long> strides(shape.size(), 1);
    for (size_t d = shape.size(); d-- > 1;)
        strides[d - 1] = strides[d] * std::max(shape[d], 1LL);
    return strides;
}

bool MultiArray::valid() const
{
    if (strides.size() != shape.size())
        return false;
    long long last = 0;
    long long n = 1;
    for (size_t d = 0; d < shape.size(); ++d) {
        if (shape[d] < 0 || strides[d] < 0 || strides[d] > maxElements || (shape[d] != 0 && n > maxElements / shape[d]))
            return false;
        n *= shape[d];
        if (shape[d] > 0)
            last += (shape[d] - 1) * strides[d];
    }
    return n == 0 || (last < maxElements && static_cast<size_t>(last + 1) * elementSize(type) <= storage.size());
}

int MultiArray::elementSize(ElementType type)
{
    return type == ElementType::float64 ? 8 : 4;
}

long long MultiArray::offset(long long j) const
{
    long long off = 0;
    for (size_t d = shape.size(); d-- > 0;) {
        off += (j % shape[d]) * strides[d];
        j /= shape[d];
    }
    return off;
}

double MultiArray::value(long long j) const
{
    const std::uint8_t* p = storage.data() + offset(j) * elementSize(type);
    switch (type) {
    case ElementType::float32: {
        float v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case ElementType::float64: {
        double v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    case ElementType::int32: {
        std::int32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    }
    return 0;
}

void MultiArray::setValue(long long j, double v)
{
    std::uint8_t* p = storage.data() + offset(j) * elementSize(type);
    switch (type) {
    case ElementType::float32: {
        const float f = static_cast<float>(v);
        std::memcpy(p, &f, sizeof f);
        break;
    }
    case ElementType::float64:
        std::memcpy(p, &v, sizeof v);
        break;
    case ElementType::int32: {
        // Out-of-range and NaN values would be undefined as integers.
        const std::int32_t i = std::isfinite(v) ? static_cast<std::int32_t>(std::clamp(v, -2147483648.0, 2147483647.0)) : 0;
        std::memcpy(p, &i, sizeof i);
        break;
    }
    }
}

}  // namespace VozudOzev
