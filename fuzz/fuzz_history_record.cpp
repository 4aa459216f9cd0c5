// A history record read back from disk: it either decodes to an item that writes and reads
// back unchanged, or is refused.
#include "Kestrow/History/HistoryRecord.hpp"

#include "FuzzSupport.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto item = Kestrow::HistoryRecord::decode(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!item)
        return 0;
    const auto written = Kestrow::HistoryRecord::encode(*item);
    if (!written)
        return 0;
    FuzzSupport::requireUTF8(*written, "written record");
    const auto again = Kestrow::HistoryRecord::decode(*written);
    FuzzSupport::require(again && Kestrow::HistoryRecord::encode(*again) == written, "record does not read back as written");
    return 0;
}
