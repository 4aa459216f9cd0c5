#include "VozudOzev/Structure/Resample.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>

using namespace VozudOzev;

namespace {

// The generator's pseudo-random source image (tools/fixtures/gen_resample_goldens.py).
RGBImage pattern(int width, int height, std::uint32_t seed)
{
    RGBImage img;
    img.width = width;
    img.height = height;
    img.rgb.resize(static_cast<size_t>(width) * height * 3);
    std::uint32_t s = seed;
    for (auto& b : img.rgb) {
        s = (s * 1103515245u + 12345u) & 0x7FFFFFFFu;
        b = static_cast<std::uint8_t>((s >> 16) & 0xFF);
    }
    return img;
}

RGBImage source(const nlohmann::json& c)
{
    return pattern(c["src"][0], c["src"][1], c["src"][2]);
}

std::vector<std::uint8_t> unhex(const std::string& hex)
{
    std::vector<std::uint8_t> out(hex.size() / 2);
    for (size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::uint8_t>(std::stoi(hex.substr(i * 2, 2), nullptr, 16));
    return out;
}

nlohmann::json golden(const std::string& name)
{
    std::ifstream in(std::string(VANTREL_SOURCE_DIR) + "/tools/fixtures/resample/" + name);
    EXPECT_TRUE(in.good()) << name;
    return nlohmann::json::parse(in);
}

std::string label(const nlohmann::json& c)
{
    std::string s = std::to_string(c["src"][0].get<int>()) + "x" + std::to_string(c["src"][1].get<int>()) + " -> " +
                    std::to_string(c["width"].get<int>()) + "x" + std::to_string(c["height"].get<int>());
    if (c.contains("box"))
        s += " box " + c["box"].dump() + " " + c["filter"].get<std::string>();
    return s;
}

// Largest absolute byte difference between a result and its golden.
int maxDifference(const RGBImage& got, const nlohmann::json& c)
{
    const auto want = unhex(c["out"]);
    EXPECT_EQ(got.width, c["width"].get<int>());
    EXPECT_EQ(got.height, c["height"].get<int>());
    EXPECT_EQ(got.rgb.size(), want.size());
    int worst = 0;
    for (size_t i = 0; i < std::min(got.rgb.size(), want.size()); ++i)
        worst = std::max(worst, std::abs(int(got.rgb[i]) - int(want[i])));
    return worst;
}

}  // namespace

TEST(Resample, TorchAAMatchesReference)
{
    const auto doc = golden("torch_aa.json");
    ASSERT_GT(doc["cases"].size(), 10u);
    for (const auto& c : doc["cases"]) {
        SCOPED_TRACE(label(c));
        EXPECT_EQ(maxDifference(Resample::torchAA(source(c), c["width"], c["height"]), c), 0);
    }
}

TEST(Resample, PilMatchesReference)
{
    const auto doc = golden("pil.json");
    ASSERT_GT(doc["cases"].size(), 20u);
    for (const auto& c : doc["cases"]) {
        SCOPED_TRACE(label(c));
        const Resample::Box box{c["box"][0], c["box"][1], c["box"][2], c["box"][3]};
        const auto filter = c["filter"] == "lanczos" ? Resample::Filter::lanczos : Resample::Filter::bilinear;
        EXPECT_EQ(maxDifference(Resample::pil(source(c), c["width"], c["height"], box, filter), c), 0);
    }
}

TEST(Resample, CvArea8UMatchesReference)
{
    const auto doc = golden("cv_area_8u.json");
    for (const auto& c : doc["cases"]) {
        SCOPED_TRACE(label(c));
        EXPECT_EQ(maxDifference(Resample::cvArea8U(source(c), c["width"], c["height"]), c), 0);
    }
}

TEST(Resample, CvLinear64FMatchesReferenceBitForBit)
{
    const auto doc = golden("cv_linear_64f.json");
    for (const auto& c : doc["cases"]) {
        SCOPED_TRACE(label(c));
        const RGBImage img = source(c);
        std::vector<double> v(img.rgb.size());
        for (size_t i = 0; i < v.size(); ++i) {
            const int ch = static_cast<int>(i % 3);
            v[i] = (img.rgb[i] - doc["mean"][ch].get<double>() * 255.0) / doc["std"][ch].get<double>();
        }
        const auto out = Resample::cvLinear64F(v, img.width, img.height, c["width"], c["height"]);
        const auto raw = unhex(c["out"]);
        ASSERT_EQ(raw.size(), out.size() * sizeof(double));
        std::vector<double> want(out.size());
        std::memcpy(want.data(), raw.data(), raw.size());
        for (size_t i = 0; i < out.size(); ++i)
            ASSERT_EQ(out[i], want[i]) << "at " << i;
    }
}

TEST(Resample, RejectsBadSizesAndBoxes)
{
    const RGBImage img = pattern(4, 3, 1);
    const RGBImage empty;
    RGBImage hollow = img;
    hollow.rgb.resize(6);
    const Resample::Box whole{0, 0, 4, 3};
    const struct {
        const char* name;
        std::function<void()> call;
    } cases[] = {
        {"empty source torch", [&] { Resample::torchAA(empty, 2, 2); }},
        {"empty source area", [&] { Resample::cvArea8U(empty, 2, 2); }},
        {"buffer shorter than the size", [&] { Resample::pil(hollow, 2, 2, whole, Resample::Filter::lanczos); }},
        {"zero width", [&] { Resample::torchAA(img, 0, 2); }},
        {"negative height", [&] { Resample::cvArea8U(img, 2, -1); }},
        {"absurd size", [&] { Resample::pil(img, 40000, 40000, whole, Resample::Filter::lanczos); }},
        {"too many pixels", [&] { Resample::torchAA(img, 30000, 30000); }},
        {"box past the edge", [&] { Resample::pil(img, 2, 2, {0, 0, 4.5, 3}, Resample::Filter::bilinear); }},
        {"negative box", [&] { Resample::pil(img, 2, 2, {-1, 0, 4, 3}, Resample::Filter::bilinear); }},
        {"inverted box", [&] { Resample::pil(img, 2, 2, {3, 0, 1, 3}, Resample::Filter::bilinear); }},
        {"NaN box", [&] { Resample::pil(img, 2, 2, {0, 0, NAN, 3}, Resample::Filter::bilinear); }},
        {"short double buffer", [&] { Resample::cvLinear64F(std::vector<double>(5), 2, 2, 3, 3); }},
        {"empty double image", [&] { Resample::cvLinear64F({}, 0, 0, 3, 3); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(c.call(), VozudOzevError);
    }
}

TEST(Resample, OnePixelSpreadsToEveryOutputPixel)
{
    RGBImage one = pattern(1, 1, 9);
    for (const auto& out : {Resample::torchAA(one, 5, 3), Resample::cvArea8U(one, 5, 3),
                            Resample::pil(one, 5, 3, {0, 0, 1, 1}, Resample::Filter::lanczos)}) {
        ASSERT_EQ(out.rgb.size(), 45u);
        for (size_t i = 0; i < out.rgb.size(); ++i)
            EXPECT_EQ(out.rgb[i], one.rgb[i % 3]);
    }
}
