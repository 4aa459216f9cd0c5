#pragma once

#include "VozudOzev/Structure/TableFormer.hpp"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

// The decoder fixtures of tools/fixtures/gen_tableformer.py, rebuilt in C++: the full-size
// random weights are a pure function of (seed, offset), so they are made here instead of
// being committed. Header-only so the benchmark can use it too.
namespace TestSupport::DecoderFixtures {

inline std::filesystem::path folder(const std::string& name)
{
    return std::filesystem::path(VANTREL_SOURCE_DIR) / "tools/fixtures/tableformer" / name;
}

inline nlohmann::json readJSON(const std::filesystem::path& file)
{
    std::ifstream in(file);
    if (!in)
        throw std::runtime_error("cannot read " + file.string());
    return nlohmann::json::parse(in);
}

// The generator's value at float k: splitmix64 of the counter, top 24 bits to [0, 1),
// then scaled and shifted in single precision.
__attribute__((optimize("fp-contract=off"))) inline float uniform(std::uint64_t seed, std::uint64_t k, float scale,
                                                                   float shift)
{
    std::uint64_t z = seed + (k + 1) * 0x9E3779B97F4A7C15ULL;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    const float u = static_cast<float>(z >> 40) * 0x1p-24f;
    const float centred = u - 0.5f;
    const float scaled = centred * scale;
    return scaled + shift;
}

// Fills [start, start + count) of `out` for each [name, start, count, scale, shift].
inline void fill(std::vector<float>& out, std::uint64_t seed, const nlohmann::json& recipe)
{
    for (const auto& r : recipe) {
        const auto start = r.at(1).get<std::uint64_t>();
        const auto count = r.at(2).get<std::uint64_t>();
        const float scale = static_cast<float>(r.at(3).get<double>());
        const float shift = static_cast<float>(r.at(4).get<double>());
        if (start + count > out.size())
            throw std::runtime_error("fixture recipe runs past its buffer");
        for (std::uint64_t k = start; k < start + count; ++k)
            out[k] = uniform(seed, k, scale, shift);
    }
}

// The full-size random decoder weights described by golden.json.
inline std::vector<float> randomWeights(const nlohmann::json& golden)
{
    std::vector<float> data(golden.at("floats").get<size_t>());
    fill(data, golden.at("seed").get<std::uint64_t>(), golden.at("fill"));
    return data;
}

inline VozudOzev::TableFormer::Encoded randomEncoded(const nlohmann::json& golden)
{
    const auto seed = golden.at("encoded_seed").get<std::uint64_t>();
    VozudOzev::TableFormer::Encoded e;
    std::vector<float>* outputs[] = {&e.memK, &e.memV, &e.bboxEnc, &e.bboxAtt1, &e.bboxAtt3, &e.bboxGate, &e.bboxH};
    size_t i = 0;
    for (const auto& r : golden.at("encoded")) {
        const auto start = r.at(1).get<size_t>();
        const auto count = r.at(2).get<size_t>();
        std::vector<float> all(start + count);
        fill(all, seed, nlohmann::json::array({r}));
        outputs[i++]->assign(all.begin() + static_cast<long>(start), all.end());
    }
    return e;
}

inline void writeFloats(const std::filesystem::path& file, const std::vector<float>& data)
{
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size() * sizeof(float)));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

// A model folder at `dir`: the designed encoder, the random index and config of the
// golden, and the rebuilt weights.
inline void writeRandomModel(const std::filesystem::path& dir, const std::vector<float>& weights,
                             const nlohmann::json& config)
{
    namespace fs = std::filesystem;
    fs::create_directories(dir);
    fs::copy(folder("designed") / "TableFormerEncoder.mlmodelc", dir / "TableFormerEncoder.mlmodelc",
             fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    fs::copy_file(folder("random") / "TableFormerDecoder.json", dir / "TableFormerDecoder.json",
                  fs::copy_options::overwrite_existing);
    std::ofstream(dir / "TableFormerConfig.json") << config.dump();
    writeFloats(dir / "TableFormerDecoder.bin", weights);
}

}  // namespace TestSupport::DecoderFixtures
