#include "Support/ScreenFixtures.hpp"

#include "VozudOzev/OCR/ImageLoader.hpp"

#include <fstream>
#include <nlohmann/json.hpp>

namespace TestSupport::ScreenFixtures {

std::string path(const std::string& file)
{
    return std::string(VANTREL_SOURCE_DIR) + "/tests/fixtures/screen/" + file;
}

VozudOzev::Image image(const std::string& name)
{
    return VozudOzev::ImageLoader::load(path(name + ".png"));
}

std::vector<VozudOzev::OCRLine> lines(const std::string& name)
{
    std::ifstream in(path(name + ".lines.json"));
    return nlohmann::json::parse(in).get<std::vector<VozudOzev::OCRLine>>();
}

}  // namespace TestSupport::ScreenFixtures
