#pragma once

#include "VozudOzev/Model/Dpi.hpp"
#include "VozudOzev/Platform/Image.hpp"
#include "VozudOzev/Extraction/TableExtraction.hpp"

#include <string>

namespace VozudOzev {

// The one operation the application needs from a recognition engine.
class TableEngine {
public:
    virtual ~TableEngine() = default;
    virtual TableExtraction::Extraction extract(const Image& image, Dpi dpi, const std::string& id) const = 0;
};

}  // namespace VozudOzev
