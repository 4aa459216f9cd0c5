// Every export of any table, damaged ones included: each text must be valid UTF-8, and the
// workbook must unzip (checksums included) into well-formed XML parts.
#include "VozudOzev/Export/AIContext.hpp"
#include "VozudOzev/Export/JSONExport.hpp"
#include "VozudOzev/Export/TableExport.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include "FuzzSupport.hpp"

#include <zlib.h>

using namespace VozudOzev;
using FuzzSupport::require;

namespace {

std::uint32_t le(std::string_view s, size_t at, int n)
{
    require(at + static_cast<size_t>(n) <= s.size(), "zip: read past the end");
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = v << 8 | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
    return v;
}

std::string inflateRaw(std::string_view packed, size_t size)
{
    std::string out(size, '\0');
    z_stream z{};
    require(inflateInit2(&z, -MAX_WBITS) == Z_OK, "zip: inflate init");
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(packed.data()));
    z.avail_in = static_cast<uInt>(packed.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int rc = inflate(&z, Z_FINISH);
    inflateEnd(&z);
    require(rc == Z_STREAM_END && z.total_out == size, "zip: entry does not inflate to its size");
    return out;
}

// Tags balanced, attributes quoted, only the five named entities and numeric references.
void requireWellFormedXML(std::string_view x, const std::string& name)
{
    std::vector<std::string_view> open;
    size_t i = 0;
    auto entity = [&](size_t at) {
        const size_t end = x.find(';', at);
        require(end != std::string_view::npos && end - at <= 8, name + ": unterminated entity");
        const std::string_view e = x.substr(at + 1, end - at - 1);
        require(e == "amp" || e == "lt" || e == "gt" || e == "quot" || e == "apos" || (e.size() > 1 && e[0] == '#'),
                name + ": unknown entity");
        return end + 1;
    };
    while (i < x.size()) {
        if (x[i] == '&') {
            i = entity(i);
            continue;
        }
        if (x[i] != '<') {
            require(x[i] != '>', name + ": stray >");
            ++i;
            continue;
        }
        if (x.substr(i, 2) == "<?") {
            const size_t end = x.find("?>", i);
            require(end != std::string_view::npos, name + ": open declaration");
            i = end + 2;
            continue;
        }
        const bool closing = i + 1 < x.size() && x[i + 1] == '/';
        size_t j = i + (closing ? 2 : 1);
        const size_t nameStart = j;
        while (j < x.size() && x[j] != ' ' && x[j] != '>' && x[j] != '/')
            ++j;
        const std::string_view tag = x.substr(nameStart, j - nameStart);
        require(!tag.empty(), name + ": empty tag name");
        bool selfClosing = false;
        while (true) {
            require(j < x.size(), name + ": open tag");
            if (x[j] == '>')
                break;
            if (x[j] == '/') {
                require(j + 1 < x.size() && x[j + 1] == '>', name + ": bad /");
                selfClosing = true;
                ++j;
                break;
            }
            if (x[j] == '"') {
                ++j;
                while (j < x.size() && x[j] != '"') {
                    require(x[j] != '<', name + ": < in an attribute");
                    j = x[j] == '&' ? entity(j) : j + 1;
                }
                require(j < x.size(), name + ": open attribute");
            }
            ++j;
        }
        i = j + 1;
        if (closing) {
            require(!open.empty() && open.back() == tag, name + ": closing tag does not match");
            open.pop_back();
        } else if (!selfClosing) {
            open.push_back(tag);
        }
    }
    require(open.empty(), name + ": unclosed element");
}

void requireWorkbook(std::string_view zip)
{
    require(zip.size() >= 22 && le(zip, zip.size() - 22, 4) == 0x06054b50, "zip: no end record");
    const size_t entries = le(zip, zip.size() - 12, 2);
    size_t at = le(zip, zip.size() - 6, 4);
    bool sheet = false;
    for (size_t e = 0; e < entries; ++e) {
        require(le(zip, at, 4) == 0x02014b50, "zip: central header");
        const auto method = le(zip, at + 10, 2), crc = le(zip, at + 16, 4), packedSize = le(zip, at + 20, 4),
                   size = le(zip, at + 24, 4), nameLength = le(zip, at + 28, 2), local = le(zip, at + 42, 4);
        const std::string name(zip.substr(at + 46, nameLength));
        at += 46 + nameLength + le(zip, at + 30, 2) + le(zip, at + 32, 2);
        require(le(zip, local, 4) == 0x04034b50, "zip: local header");
        const size_t start = local + 30 + le(zip, local + 26, 2) + le(zip, local + 28, 2);
        require(start + packedSize <= zip.size(), "zip: entry past the end");
        const std::string_view packed = zip.substr(start, packedSize);
        const std::string content = method == 0 ? std::string(packed) : inflateRaw(packed, size);
        require(method == 0 || method == 8, "zip: unknown method");
        require(crc32(0, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size())) == crc,
                "zip: checksum of " + name);
        FuzzSupport::requireUTF8(content, name.c_str());
        requireWellFormedXML(content, name);
        sheet = sheet || name == "xl/worksheets/sheet1.xml";
    }
    require(sheet, "workbook without its sheet");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider in(data, size);
    const int headerRows = in.ConsumeIntegralInRange(-1, 4);
    const std::string sheetName = in.ConsumeRandomLengthString(40);
    const Table t = FuzzSupport::rawTable(in);

    FuzzSupport::requireUTF8(TableExport::tsv(t), "TSV");
    FuzzSupport::requireUTF8(TableExport::html(t, headerRows), "HTML");
    FuzzSupport::requireUTF8(TableExport::csvFileData(t), "CSV");
    FuzzSupport::requireUTF8(TableExport::markdown(t, headerRows), "Markdown");

    const SourceInfo source{sheetName, std::chrono::system_clock::time_point{}};
    AIContext::Options options;
    options.headerMode = headerRows % 2 ? AIContext::HeaderMode::joined : AIContext::HeaderMode::keepRows;
    options.confidenceThreshold = 0.8;
    FuzzSupport::requireUTF8(AIContext::markdown(t, source, options), "AI context");
    // The export is written as it goes; its bytes must be those of the document's tree.
    std::string json;
    try {
        json = JSONExport::data(t, source, headerRows);
    } catch (const JSONIO::EncodingError&) {
    }
    if (!json.empty()) {
        FuzzSupport::requireUTF8(json, "JSON export");
        require(json == JSONIO::encode(JSONExport::document(t, source, headerRows)), "JSON export: not the tree's form");
    }

    XLSXWriter writer;
    writer.sheetName = sheetName;
    if (headerRows >= 0)
        writer.headerRows = headerRows;
    writer.freezeHeader = in.ConsumeBool();
    try {
        requireWorkbook(writer.data(t));
    } catch (const VozudOzevError&) {
        // refused: beyond the sheet's limits
    }
    return 0;
}
