#pragma once

#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Platform/Image.hpp"

#include <string>
#include <vector>

// The screen captures under tests/fixtures/screen: NAME.png with the OCR lines its reading
// gave in NAME.lines.json.
namespace TestSupport::ScreenFixtures {

std::string path(const std::string& file);
VozudOzev::Image image(const std::string& name);
std::vector<VozudOzev::OCRLine> lines(const std::string& name);

}  // namespace TestSupport::ScreenFixtures
