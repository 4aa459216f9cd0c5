// Stored records read back from disk: tables, engine outputs, structure files and OCR lines.
// Whatever the bytes, decoding either fails with a decoding error or gives a value that
// writes and reads back unchanged.
#include "VozudOzev/Model/EngineOutput.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/StructureFile.hpp"
#include "VozudOzev/OCR/OCRLine.hpp"

#include "FuzzSupport.hpp"

using namespace VozudOzev;

namespace {

template <class T>
void roundTrip(std::string_view text)
{
    T value;
    try {
        value = JSONIO::decode<T>(text);
    } catch (const JSONIO::DecodingError&) {
        return;
    }
    std::string written;
    try {
        written = JSONIO::encode(value);
    } catch (const JSONIO::EncodingError&) {
        return;  // NaN and infinity cannot be written, and the decoder never makes them
    }
    FuzzSupport::requireUTF8(written, "written record");
    const T again = JSONIO::decode<T>(written);
    FuzzSupport::require(JSONIO::encode(again) == written, "record does not read back as written");
}

void useTable(const Table& t)
{
    const auto grid = t.grid();
    const int h = t.leadingHeaderRows();
    FuzzSupport::require(h >= 0 && h <= std::max(t.rows, 0), "header rows outside the table");
    FuzzSupport::require(t.columnHeaderLabels(h + 1, " / ").size() == static_cast<size_t>(std::max(t.cols, 0)),
                         "one label per column");
    (void)grid;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch (data[0] % 4) {
    case 0:
        roundTrip<Table>(text);
        try {
            useTable(JSONIO::decode<Table>(text));
        } catch (const JSONIO::DecodingError&) {
        }
        break;
    case 1: roundTrip<EngineOutput>(text); break;
    case 2: roundTrip<StructureFile>(text); break;
    default: roundTrip<OCRLine>(text); break;
    }
    return 0;
}
