#include "VozudOzev/Structure/TableFormer.hpp"

#include "VozudOzev/Platform/ModelRuntime.hpp"
#include "VozudOzev/Structure/MLArray.hpp"
#include "VozudOzev/Structure/Resample.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>

namespace fs = std::filesystem;

namespace VozudOzev {

namespace {

const char* const decoderIndexFile = "TableFormerDecoder.json";
const char* const decoderWeightsFile = "TableFormerDecoder.bin";
const char* const configFile = "TableFormerConfig.json";

nlohmann::json readJSON(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    if (!in)
        throw VozudOzevError::invalidInput("cannot read " + file.string());
    nlohmann::json doc = nlohmann::json::parse(in, nullptr, false);
    if (doc.is_discarded())
        throw VozudOzevError::invalidInput(file.string() + " is not valid JSON");
    if (!doc.is_object())
        throw VozudOzevError::invalidInput(file.string() + " is not a JSON object");
    return doc;
}

// The value of `key`, or an error naming the file and the key.
const nlohmann::json& field(const nlohmann::json& doc, const std::string& key, const fs::path& file)
{
    const auto it = doc.find(key);
    if (it == doc.end())
        throw VozudOzevError::invalidInput(file.filename().string() + " has no \"" + key + "\"");
    return *it;
}

long long integer(const nlohmann::json& v, const std::string& what, const fs::path& file)
{
    if (!v.is_number_integer())
        throw VozudOzevError::invalidInput(file.filename().string() + ": " + what + " is not an integer");
    return v.get<long long>();
}

std::vector<double> numbers(const nlohmann::json& v, const std::string& what, const fs::path& file)
{
    if (!v.is_array() || v.size() < 3)
        throw VozudOzevError::invalidInput(file.filename().string() + ": \"" + what + "\" is not a list of three numbers");
    std::vector<double> out;
    for (const auto& x : v) {
        if (!x.is_number() || !std::isfinite(x.get<double>()))
            throw VozudOzevError::invalidInput(file.filename().string() + ": \"" + what + "\" holds a non-number");
        out.push_back(x.get<double>());
    }
    return out;
}

std::vector<float> readFloats(const fs::path& file)
{
    std::error_code ec;
    const auto bytes = fs::file_size(file, ec);
    if (ec)
        throw VozudOzevError::invalidInput("cannot read " + file.string());
    if (bytes > static_cast<std::uintmax_t>(TableFormer::maxWeightBytes))
        throw VozudOzevError::invalidInput(file.string() + " is too large (" + std::to_string(bytes) + " bytes)");
    // Trailing bytes that do not make a whole float are ignored.
    std::vector<float> data(static_cast<size_t>(bytes / 4));
    std::FILE* f = std::fopen(file.c_str(), "rb");
    if (!f)
        throw VozudOzevError::invalidInput("cannot read " + file.string());
    const size_t got = data.empty() ? 0 : std::fread(data.data(), sizeof(float), data.size(), f);
    std::fclose(f);
    if (got != data.size())
        throw VozudOzevError::invalidInput("cannot read " + file.string());
    if constexpr (std::endian::native == std::endian::big) {
        for (float& v : data) {
            std::uint32_t u;
            std::memcpy(&u, &v, 4);
            u = __builtin_bswap32(u);
            std::memcpy(&v, &u, 4);
        }
    }
    return data;
}

}  // namespace

TableFormer::TableFormer(const ModelLocation& location, ComputeUnits computeUnits)
{
    encoder_ = ModelRuntime::load(location.compiledModel(ModelLocation::encoderName), computeUnits);

    const fs::path indexPath = location.directory / decoderIndexFile;
    const nlohmann::json indexDoc = readJSON(indexPath);
    w_.data = readFloats(location.directory / decoderWeightsFile);
    const auto& tensors = field(indexDoc, "tensors", indexPath);
    if (!tensors.is_object())
        throw VozudOzevError::invalidInput(std::string(decoderIndexFile) + ": \"tensors\" is not an object");
    for (const auto& [name, entry] : tensors.items()) {
        if (!entry.is_object())
            throw VozudOzevError::invalidInput(std::string(decoderIndexFile) + ": tensor " + name + " is not an object");
        Tensor t;
        t.offset = integer(field(entry, "offset", indexPath), "offset of " + name, indexPath);
        const auto& shape = field(entry, "shape", indexPath);
        if (!shape.is_array())
            throw VozudOzevError::invalidInput(std::string(decoderIndexFile) + ": shape of " + name + " is not a list");
        for (const auto& d : shape)
            t.shape.push_back(integer(d, "shape of " + name, indexPath));
        w_.index.emplace(name, std::move(t));
    }

    const fs::path configPath = location.directory / configFile;
    const nlohmann::json config = readJSON(configPath);
    const auto& words = field(config, "word_map", configPath);
    if (!words.is_object())
        throw VozudOzevError::invalidInput(std::string(configFile) + ": \"word_map\" is not an object");
    for (const auto& [tag, id] : words.items()) {
        const long long v = integer(id, "id of " + tag, configPath);
        if (v < 0 || v > std::numeric_limits<int>::max())
            throw VozudOzevError::invalidInput(std::string(configFile) + ": id of " + tag + " is out of range");
        wordMap_.emplace(tag, static_cast<int>(v));
        if (!revWordMap_.emplace(static_cast<int>(v), tag).second)
            throw VozudOzevError::invalidInput(std::string(configFile) + ": tag id " + std::to_string(v) +
                                               " is used twice");
    }
    mean_ = numbers(field(config, "mean", configPath), "mean", configPath);
    std_ = numbers(field(config, "std", configPath), "std", configPath);
    for (size_t c = 0; c < 3; ++c)
        if (std_[c] == 0)
            throw VozudOzevError::invalidInput(std::string(configFile) + ": \"std\" holds a zero");
    const long long side = integer(field(config, "resized_image", configPath), "\"resized_image\"", configPath);
    if (side < 1 || side > maxInputSize)
        throw VozudOzevError::invalidInput(std::string(configFile) + ": \"resized_image\" is out of range");
    inputSize_ = static_cast<int>(side);
    const long long steps = integer(field(config, "max_steps", configPath), "\"max_steps\"", configPath);
    if (steps < 0 || steps > maxStepLimit)
        throw VozudOzevError::invalidInput(std::string(configFile) + ": \"max_steps\" is out of range");
    maxSteps_ = static_cast<int>(steps);

    validate();
}

// Every tensor a decoding step reads must exist and fit in the blob at the architecture's
// size (and at the size its own shape claims), and the word map must cover the logits.
void TableFormer::validate()
{
    const long long size = static_cast<long long>(w_.data.size());
    auto need = [&](const std::string& name, long long count) -> size_t {
        const auto it = w_.index.find(name);
        if (it == w_.index.end())
            throw VozudOzevError::invalidInput(std::string(decoderIndexFile) + " has no tensor " + name);
        const Tensor& t = it->second;
        const auto pastEnd = [&] {
            return VozudOzevError::invalidInput("tensor " + name + " runs past the end of " + decoderWeightsFile + " (" +
                                                std::to_string(size) + " floats)");
        };
        long long claimed = 1;
        for (long long d : t.shape) {
            if (d < 0)
                throw VozudOzevError::invalidInput("tensor " + name + " has a negative dimension");
            if (d > 0 && claimed > size / d)
                throw pastEnd();
            claimed *= d;
        }
        if (t.offset < 0 || t.offset > size || count > size - t.offset || claimed > size - t.offset)
            throw pastEnd();
        return static_cast<size_t>(t.offset);
    };

    const long long V = static_cast<long long>(wordMap_.size());
    for (const auto& [id, tag] : revWordMap_)
        if (id >= V)
            throw VozudOzevError::invalidInput(std::string(configFile) + ": tag id " + std::to_string(id) + " of " +
                                               tag + " is not below the tag count " + std::to_string(V));
    auto tag = [&](const char* name) {
        const auto it = wordMap_.find(name);
        if (it == wordMap_.end())
            throw VozudOzevError::invalidInput(std::string(configFile) + ": the word map has no \"" + name + "\"");
        return it->second;
    };
    tags_ = {tag("<start>"), tag("<end>"), tag("fcel"), tag("ecel"), tag("ched"), tag("rhed"),
             tag("srow"),    tag("nl"),    tag("ucel"), tag("lcel"), tag("xcel")};

    for (int l = 0; l < layers; ++l) {
        const std::string p = "dec" + std::to_string(l) + ".";
        Layer& L = layer_[static_cast<size_t>(l)];
        L.saInW = need(p + "sa.in.w", 3LL * D * D);
        L.saInB = need(p + "sa.in.b", 3LL * D);
        L.saOutW = need(p + "sa.out.w", 1LL * D * D);
        L.saOutB = need(p + "sa.out.b", D);
        L.caQW = need(p + "ca.q.w", 1LL * D * D);
        L.caQB = need(p + "ca.q.b", D);
        L.caOutW = need(p + "ca.out.w", 1LL * D * D);
        L.caOutB = need(p + "ca.out.b", D);
        L.lin1W = need(p + "lin1.w", 1LL * ffn * D);
        L.lin1B = need(p + "lin1.b", ffn);
        L.lin2W = need(p + "lin2.w", 1LL * D * ffn);
        L.lin2B = need(p + "lin2.b", D);
        L.norm1W = need(p + "norm1.w", D);
        L.norm1B = need(p + "norm1.b", D);
        L.norm2W = need(p + "norm2.w", D);
        L.norm2B = need(p + "norm2.b", D);
        L.norm3W = need(p + "norm3.w", D);
        L.norm3B = need(p + "norm3.b", D);
    }
    head_.embedding = need("embedding", V * D);
    // Positions 0 ... maxSteps are read.
    head_.pe = need("pe", (static_cast<long long>(maxSteps_) + 1) * D);
    head_.fcW = need("fc.w", V * D);
    head_.fcB = need("fc.b", V);
    head_.tagattW = need("bbox.tagatt.w", 1LL * D * D);
    head_.tagattB = need("bbox.tagatt.b", D);
    head_.fullattW = need("bbox.fullatt.w", D);
    head_.fullattB = need("bbox.fullatt.b", 1);
    head_.mlp0W = need("bbox.mlp0.w", 1LL * boxWidth * D);
    head_.mlp0B = need("bbox.mlp0.b", boxWidth);
    head_.mlp1W = need("bbox.mlp1.w", 1LL * boxWidth * boxWidth);
    head_.mlp1B = need("bbox.mlp1.b", boxWidth);
    head_.mlp2W = need("bbox.mlp2.w", 4LL * boxWidth);
    head_.mlp2B = need("bbox.mlp2.b", 4);
    head_.clsW = need("bbox.cls.w", 1LL * cellClasses * D);
    head_.clsB = need("bbox.cls.b", cellClasses);
}

std::vector<float> TableFormer::input(const RGBImage& crop) const
{
    if (crop.empty())
        throw VozudOzevError::invalidInput("table crop is empty");
    const int W = crop.width;
    const int H = crop.height;
    double m[3];
    for (int c = 0; c < 3; ++c)
        m[c] = mean_[static_cast<size_t>(c)] * 255;
    std::vector<double> pixels(static_cast<size_t>(W) * H * 3);
    for (size_t i = 0; i < pixels.size(); ++i) {
        const int c = static_cast<int>(i % 3);
        pixels[i] = (static_cast<double>(crop.rgb[i]) - m[c]) / std_[static_cast<size_t>(c)];
    }
    const int S = inputSize_;
    const std::vector<double> resized = Resample::cvLinear64F(pixels, W, H, S, S);
    // Planar, with the spatial axes exchanged: the second axis runs over image columns.
    std::vector<float> out(3 * static_cast<size_t>(S) * S);
    const size_t plane = static_cast<size_t>(S) * S;
    for (int y = 0; y < S; ++y)
        for (int x = 0; x < S; ++x)
            for (int c = 0; c < 3; ++c)
                out[c * plane + static_cast<size_t>(x) * S + y] =
                    static_cast<float>(resized[(static_cast<size_t>(y) * S + x) * 3 + c] / 255.0);
    return out;
}

TableFormer::Prediction TableFormer::predict(const std::vector<float>& input) const
{
    const long long S = inputSize_;
    FeatureMap features;
    features.emplace("image", MLArray::make(input, {1, 3, S, S}));
    const FeatureMap out = encoder_->predict(features);
    auto read = [&](const char* name) {
        const auto it = out.find(name);
        if (it == out.end())
            throw VozudOzevError::invalidInput(std::string("table-structure encoder returned no ") + name);
        return MLArray::floats(it->second);
    };
    Encoded e;
    e.memK = read("mem_k");
    e.memV = read("mem_v");
    e.bboxEnc = read("bbox_enc");
    e.bboxAtt1 = read("bbox_att1");
    e.bboxAtt3 = read("bbox_att3");
    e.bboxGate = read("bbox_gate");
    e.bboxH = read("bbox_h");
    return decode(e);
}

}  // namespace VozudOzev
