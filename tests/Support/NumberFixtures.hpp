#pragma once

#include "VozudOzev/Model/Table.hpp"
#include "VozudOzev/OCR/ImageLoader.hpp"

#include <string>
#include <vector>

// The number columns of tools/fixtures/make_number_crops.py: image, true texts, text boxes.
namespace TestSupport::NumberFixtures {

struct Column {
    VozudOzev::Image image;
    std::vector<std::string> texts;
    std::vector<VozudOzev::BBox> boxes;
};

Column column(const std::string& name);

// A one-column table of the given readings over the column's boxes, confidence 0.9.
VozudOzev::Table tableOf(const Column& column, const std::vector<std::string>& readings);

}  // namespace TestSupport::NumberFixtures
