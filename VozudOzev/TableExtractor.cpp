#include "VozudOzev/TableExtractor.hpp"

namespace VozudOzev {

std::string TableExtractor::Extraction::plainText() const
{
    std::string out;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            out += '\n';
        out += lines[i].text;
    }
    return out;
}

}  // namespace VozudOzev
