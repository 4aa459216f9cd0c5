// Image bytes as pasted, dropped or opened: every accepted format. The size must come from
// the header before any decoder allocates, and what decodes must be what the header said.
#include "VozudOzev/Platform/ImageHeader.hpp"
#include "VozudOzev/Platform/Leptonica.hpp"

#include "FuzzSupport.hpp"

using namespace VozudOzev;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::vector<std::uint8_t> bytes(data, data + size);
    const auto header = ImageHeader::read(bytes);
    const auto image = Leptonica::readMemory(bytes);
    if (image) {
        FuzzSupport::require(header && header->width == image->width && header->height == image->height,
                             "decoded size differs from the header");
        FuzzSupport::require(image->rgb.size() == static_cast<size_t>(image->width) * image->height * 3, "pixel count");
    }
    return 0;
}
