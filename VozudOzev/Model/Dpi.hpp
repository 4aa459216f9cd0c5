#pragma once

namespace VozudOzev {

// An image's resolution in dots per inch on each axis.
struct Dpi {
    double x = 72;
    double y = 72;

    bool operator==(const Dpi&) const = default;
};

}  // namespace VozudOzev
