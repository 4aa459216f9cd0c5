// The JSON export document as another program (or a user) hands it back.
#include "VozudOzev/Export/JSONExport.hpp"
#include "VozudOzev/Model/JSONIO.hpp"

#include "FuzzSupport.hpp"

using namespace VozudOzev;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    JSONExport::Document d;
    try {
        d = JSONExport::decode(std::string_view(reinterpret_cast<const char*>(data), size));
    } catch (const JSONIO::DecodingError&) {
        return 0;
    }
    std::string written;
    try {
        written = JSONIO::encode(d);
    } catch (const JSONIO::EncodingError&) {
        return 0;
    }
    FuzzSupport::requireUTF8(written, "written document");
    FuzzSupport::require(JSONIO::encode(JSONExport::decode(written)) == written, "document does not read back as written");
    return 0;
}
