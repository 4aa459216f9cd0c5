#include "VozudOzev/Structure/MLArray.hpp"

#include "VozudOzev/Platform/ModelError.hpp"

#include <algorithm>
#include <string>

namespace VozudOzev::MLArray {

MultiArray make(const std::vector<float>& values, const std::vector<long long>& shape)
{
    MultiArray array(shape, MultiArray::ElementType::float32);
    fill(array, values);
    return array;
}

void fill(MultiArray& array, const std::vector<float>& values)
{
    if (!array.valid())
        throw ModelError("array shape, strides and storage do not agree");
    // Writing more values than the array holds would run past its storage.
    if (static_cast<long long>(values.size()) != array.count())
        throw ModelError("array of " + std::to_string(array.count()) + " elements cannot take " +
                         std::to_string(values.size()) + " values");
    if (array.type != MultiArray::ElementType::float32)
        throw ModelError("array is not of 32-bit floats");
    bool contiguous = true;
    long long running = 1;
    for (size_t d = array.shape.size(); d-- > 0;) {
        if (array.strides[d] != running)
            contiguous = false;
        running *= array.shape[d];
    }
    if (contiguous) {
        std::copy(values.begin(), values.end(), array.floats());
        return;
    }
    for (size_t j = 0; j < values.size(); ++j)
        array.setValue(static_cast<long long>(j), values[j]);
}

std::vector<float> floats(const MultiArray& array)
{
    if (!array.valid())
        throw ModelError("array shape, strides and storage do not agree");
    const long long count = array.count();
    std::vector<float> out(static_cast<size_t>(count), 0.0f);
    if (array.type != MultiArray::ElementType::float32) {
        for (long long j = 0; j < count; ++j)
            out[static_cast<size_t>(j)] = static_cast<float>(array.value(j));
        return out;
    }
    // Dimensions of size 1 never move the offset, so their strides do not matter here.
    bool contiguous = true;
    long long running = 1;
    for (size_t d = array.shape.size(); d-- > 0;) {
        if (array.shape[d] != 1 && array.strides[d] != running)
            contiguous = false;
        running *= array.shape[d];
    }
    if (contiguous) {
        std::copy_n(array.floats(), count, out.begin());
        return out;
    }
    const size_t dims = array.shape.size();
    std::vector<long long> index(dims, 0);
    const float* data = array.floats();
    for (long long i = 0; i < count; ++i) {
        long long offset = 0;
        for (size_t d = 0; d < dims; ++d)
            offset += index[d] * array.strides[d];
        out[static_cast<size_t>(i)] = data[offset];
        for (size_t d = dims; d-- > 0;) {
            if (++index[d] < array.shape[d])
                break;
            index[d] = 0;
        }
    }
    return out;
}

}  // namespace VozudOzev::MLArray
