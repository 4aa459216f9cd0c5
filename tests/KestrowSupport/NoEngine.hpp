#pragma once

#include "VozudOzev/Extraction/TableEngine.hpp"

namespace KestrowTest {

// An engine that reads nothing, for shells whose tests never recognise a table.
struct NoEngine final : VozudOzev::TableEngine {
    VozudOzev::TableExtraction::Extraction extract(const VozudOzev::Image&, VozudOzev::Dpi,
                                                   const std::string&) const override
    {
        return {};
    }
};

}  // namespace KestrowTest
