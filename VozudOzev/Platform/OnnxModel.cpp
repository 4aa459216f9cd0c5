#include "VozudOzev/Platform/OnnxModel.hpp"

#include "VozudOzev/Platform/ModelError.hpp"

#include <opencv2/core.hpp>
#include <opencv2/core/utils/logger.hpp>
#include <opencv2/dnn.hpp>

#include <fstream>
#include <iterator>
#include <mutex>

namespace VozudOzev {

struct OnnxModel::Impl {
    std::mutex mutex;
    cv::dnn::Net net;
    std::vector<cv::String> outputs;
};

namespace {

cv::Mat toMat(const std::string& name, const MultiArray& a)
{
    if (!a.valid() || a.shape.size() > 8)
        throw ModelError("model input " + name + " is not a usable array");
    std::vector<int> dims;
    for (long long d : a.shape)
        dims.push_back(static_cast<int>(d));
    if (dims.empty())
        dims.push_back(1);
    cv::Mat m(static_cast<int>(dims.size()), dims.data(), CV_32F);
    float* out = m.ptr<float>();
    const long long n = a.count();
    if (a.type == MultiArray::ElementType::float32 && a.strides == MultiArray::rowMajorStrides(a.shape)) {
        std::copy_n(a.floats(), n, out);
        return m;
    }
    for (long long j = 0; j < n; ++j)
        out[j] = static_cast<float>(a.value(j));
    return m;
}

MultiArray fromMat(const cv::Mat& m)
{
    std::vector<long long> shape;
    for (int d = 0; d < m.dims; ++d)
        shape.push_back(m.size[d]);
    cv::Mat f;
    m.convertTo(f, CV_32F);
    if (!f.isContinuous())
        f = f.clone();
    MultiArray a(shape, MultiArray::ElementType::float32);
    std::copy_n(f.ptr<float>(), static_cast<size_t>(a.count()), a.floats());
    return a;
}

}  // namespace

OnnxModel::OnnxModel(const std::filesystem::path& file) : impl_(std::make_unique<Impl>())
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw ModelError("cannot read model file " + file.string());
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty())
        throw ModelError("model file " + file.string() + " is empty");
    // The importer logs its own complaint before throwing; the exception carries it to the caller.
    cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    try {
        impl_->net = cv::dnn::readNetFromONNX(bytes.data(), bytes.size());
        if (impl_->net.empty())
            throw ModelError("model file " + file.string() + " holds no network");
        impl_->net.setPreferableBackend(cv::dnn::DNN_BACKEND_OPENCV);
        impl_->net.setPreferableTarget(cv::dnn::DNN_TARGET_CPU);
        impl_->outputs = impl_->net.getUnconnectedOutLayersNames();
    } catch (const cv::Exception& e) {
        throw ModelError("cannot load ONNX model " + file.string() + ": " + e.what());
    }
}

OnnxModel::~OnnxModel() = default;

FeatureMap OnnxModel::predict(const FeatureMap& inputs) const
{
    std::lock_guard lock(impl_->mutex);
    try {
        for (const auto& [name, array] : inputs)
            impl_->net.setInput(toMat(name, array), name);
        std::vector<cv::Mat> outs;
        impl_->net.forward(outs, impl_->outputs);
        FeatureMap result;
        for (size_t i = 0; i < outs.size() && i < impl_->outputs.size(); ++i)
            result.emplace(impl_->outputs[i], fromMat(outs[i]));
        return result;
    } catch (const cv::Exception& e) {
        throw ModelError(std::string("model prediction failed: ") + e.what());
    }
}

}  // namespace VozudOzev
