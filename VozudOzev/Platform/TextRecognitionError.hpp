#pragma once

#include <stdexcept>

namespace VozudOzev {

// A text recogniser that cannot run: language data missing, or the engine failing on a page.
class TextRecognitionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace VozudOzev
