// Cells are written with their leading fields only; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include "VozudOzev/Model/CellRef.hpp"
#include "VozudOzev/Export/XLSXNumbers.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include "VozudOzev/Export/ExternalTool.hpp"

#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <nlohmann/json.hpp>
#include <sstream>
#include <zlib.h>

using namespace VozudOzev;
using nlohmann::json;

namespace {

const std::chrono::system_clock::time_point fixedDate =
    std::chrono::sys_days{std::chrono::year{2026} / 1 / 5} + std::chrono::hours{13} + std::chrono::minutes{30};

std::uint32_t u32(std::string_view b, size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return v;
}

std::uint16_t u16(std::string_view b, size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}

// The entries of an archive, in order, read back through the central directory.
std::vector<std::pair<std::string, std::string>> unpack(std::string_view zip)
{
    std::vector<std::pair<std::string, std::string>> parts;
    const size_t end = zip.size() - 22;
    size_t at = u32(zip, end + 16);
    for (int i = 0; i < u16(zip, end + 10); ++i) {
        const std::uint16_t method = u16(zip, at + 10);
        const std::uint32_t packed = u32(zip, at + 20), size = u32(zip, at + 24), local = u32(zip, at + 42);
        const std::uint16_t nameLength = u16(zip, at + 28);
        std::string name(zip.substr(at + 46, nameLength));
        const std::string_view payload = zip.substr(local + 30 + u16(zip, local + 26), packed);
        std::string data(size, '\0');
        if (method == 8) {
            z_stream s{};
            inflateInit2(&s, -15);
            s.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(payload.data()));
            s.avail_in = packed;
            s.next_out = reinterpret_cast<Bytef*>(data.data());
            s.avail_out = size;
            EXPECT_EQ(inflate(&s, Z_FINISH), Z_STREAM_END) << name;
            inflateEnd(&s);
        } else {
            data = payload;
        }
        parts.emplace_back(std::move(name), std::move(data));
        at += 46 + nameLength;
    }
    return parts;
}

std::map<std::string, std::string> partsOf(const std::string& zip)
{
    const auto list = unpack(zip);
    return {list.begin(), list.end()};
}

Cell header(int row, int col, std::string text, int rowSpan = 1, int colSpan = 1)
{
    return Cell{row, col, rowSpan, colSpan, std::move(text), std::nullopt, std::nullopt, std::nullopt, true};
}

// Header row, a 2 x 1 merge, a number, a repeated text and a header-flagged body cell.
Table small()
{
    Table t;
    t.rows = 3;
    t.cols = 2;
    t.cells = {header(0, 0, "Name"), header(0, 1, "Qty"), Cell{1, 0, 2, 1, "Tea"}, Cell{1, 1, 1, 1, "12.5"},
               header(2, 1, "Tea")};
    return t;
}

XLSXWriter writer(std::optional<int> headerRows = std::nullopt, bool freeze = true)
{
    return XLSXWriter("Table", headerRows, freeze, fixedDate);
}

std::string sheetOf(const Table& t, const XLSXWriter& w = writer())
{
    return partsOf(w.data(t))["xl/worksheets/sheet1.xml"];
}

// What lies between <sheetData> and </sheetData>.
std::string sheetData(const std::string& sheet)
{
    const size_t from = sheet.find("<sheetData>") + 11;
    return sheet.substr(from, sheet.find("</sheetData>") - from);
}

const std::string declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

}  // namespace

TEST(XLSXWriter, PackageHoldsTheNinePartsInOrder)
{
    const std::string bytes = writer().data(small());
    const auto list = unpack(bytes);
    std::vector<std::string> names;
    for (const auto& [name, data] : list) {
        names.push_back(name);
        EXPECT_EQ(data.rfind(declaration, 0), 0u) << name;
        EXPECT_EQ(data.find('\n', declaration.size()), std::string::npos) << name;
    }
    EXPECT_EQ(names, (std::vector<std::string>{"[Content_Types].xml", "_rels/.rels", "docProps/app.xml", "docProps/core.xml",
                                               "xl/workbook.xml", "xl/_rels/workbook.xml.rels", "xl/styles.xml",
                                               "xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"}));
    auto parts = partsOf(bytes);
    EXPECT_EQ(parts["[Content_Types].xml"].size(), 1054u);
    EXPECT_EQ(parts["_rels/.rels"].size(), 587u);
    EXPECT_EQ(parts["xl/_rels/workbook.xml.rels"].size(), 565u);
    EXPECT_EQ(parts["xl/styles.xml"].size(), 856u);
    EXPECT_EQ(parts["docProps/app.xml"],
              declaration + "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
                            "<Application>Vantrel</Application></Properties>");
    const std::string& core = parts["docProps/core.xml"];
    EXPECT_EQ(core.substr(298), "<dcterms:created xsi:type=\"dcterms:W3CDTF\">2026-01-05T13:30:00Z</dcterms:created>"
                                "<dcterms:modified xsi:type=\"dcterms:W3CDTF\">2026-01-05T13:30:00Z</dcterms:modified>"
                                "</cp:coreProperties>");
    EXPECT_EQ(parts["xl/workbook.xml"],
              declaration + "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                            "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                            "<bookViews><workbookView/></bookViews><sheets><sheet name=\"Table\" sheetId=\"1\" "
                            "r:id=\"rId1\"/></sheets></workbook>");
}

TEST(XLSXWriter, GoldenSheetAndSharedStrings)
{
    auto parts = partsOf(writer().data(small()));
    EXPECT_EQ(parts["xl/worksheets/sheet1.xml"],
              declaration +
                  "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                  "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                  "<dimension ref=\"A1:B3\"/><sheetViews><sheetView workbookViewId=\"0\">"
                  "<pane ySplit=\"1\" topLeftCell=\"A2\" activePane=\"bottomLeft\" state=\"frozen\"/>"
                  "<selection pane=\"bottomLeft\" activeCell=\"A2\" sqref=\"A2\"/></sheetView></sheetViews>"
                  "<sheetFormatPr defaultRowHeight=\"15\"/><sheetData>"
                  "<row r=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c><c r=\"B1\" s=\"1\" t=\"s\"><v>1</v></c></row>"
                  "<row r=\"2\"><c r=\"A2\" t=\"s\"><v>2</v></c><c r=\"B2\"><v>12.5</v></c></row>"
                  "<row r=\"3\"><c r=\"B3\" s=\"1\" t=\"s\"><v>2</v></c></row>"
                  "</sheetData><mergeCells count=\"1\"><mergeCell ref=\"A2:A3\"/></mergeCells>"
                  "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/>"
                  "</worksheet>");
    EXPECT_EQ(parts["xl/sharedStrings.xml"],
              declaration + "<sst xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" count=\"3\" "
                            "uniqueCount=\"3\"><si><t>Name</t></si><si><t>Qty</t></si><si><t>Tea</t></si></sst>");
}

TEST(XLSXWriter, SheetEdgeCases)
{
    const struct {
        const char* name;
        Table table;
        std::optional<int> headerRows;
        std::string data;
    } cases[] = {
        {"no rows", Table{0, 0, 3}, std::nullopt, ""},
        {"rows without columns", Table{0, 2, 0}, std::nullopt, "<row r=\"1\"/><row r=\"2\"/>"},
        {"two cells on one slot read as one text",
         Table{0, 1, 1, {Cell{0, 0, 1, 1, "12"}, Cell{0, 0, 1, 1, "5"}}}, 0,
         "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row>"},
        {"a header row is never numeric, a body row is",
         Table{0, 2, 1, {Cell{0, 0, 1, 1, "2024"}, Cell{1, 0, 1, 1, "2024"}}}, 1,
         "<row r=\"1\"><c r=\"A1\" s=\"1\" t=\"s\"><v>0</v></c></row><row r=\"2\"><c r=\"A2\"><v>2024</v></c></row>"},
        {"a header-flagged body cell stays text",
         Table{0, 2, 1, {Cell{0, 0, 1, 1, "a"}, header(1, 0, "7")}}, 0,
         "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c></row><row r=\"2\"><c r=\"A2\" s=\"1\" t=\"s\"><v>1</v></c></row>"},
        {"empty header slots are bold, empty body slots absent",
         Table{0, 2, 3, {header(0, 1, "x"), Cell{1, 1, 1, 1, ""}}}, 1,
         "<row r=\"1\"><c r=\"A1\" s=\"1\"/><c r=\"B1\" s=\"1\" t=\"s\"><v>0</v></c><c r=\"C1\" s=\"1\"/></row><row r=\"2\"/>"},
        {"an empty header-flagged cell is written only inside a merge",
         Table{0, 3, 2, {header(1, 0, "", 2, 1), header(1, 1, "")}}, 0,
         "<row r=\"1\"/><row r=\"2\"><c r=\"A2\" s=\"1\"/></row><row r=\"3\"/>"},
        {"cells outside the grid are left out",
         Table{0, 1, 1, {Cell{-1, 0, 1, 1, "x"}, Cell{0, 1, 1, 1, "y"}, Cell{1, 0, 1, 1, "z"}}}, 0, "<row r=\"1\"/>"},
        {"whole numbers, fractions and exponents",
         Table{0, 1, 4, {Cell{0, 0, 1, 1, "(1,200)"}, Cell{0, 1, 1, 1, "0.000001"}, Cell{0, 2, 1, 1, "-0"},
                         Cell{0, 3, 1, 1, "999,999,999,999,999"}}}, 0,
         "<row r=\"1\"><c r=\"A1\"><v>-1200</v></c><c r=\"B1\"><v>1e-06</v></c><c r=\"C1\"><v>0</v></c>"
         "<c r=\"D1\"><v>999999999999999</v></c></row>"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(sheetData(sheetOf(c.table, writer(c.headerRows))), c.data);
    }
}

TEST(XLSXWriter, DimensionPaneAndMerges)
{
    const auto dimension = [](int rows, int cols) {
        Table t;
        t.rows = rows;
        t.cols = cols;
        const std::string s = sheetOf(t);
        const size_t from = s.find("<dimension");
        return s.substr(from, s.find("/>", from) + 2 - from);
    };
    EXPECT_EQ(dimension(0, 0), "<dimension ref=\"A1\"/>");
    EXPECT_EQ(dimension(1, 1), "<dimension ref=\"A1\"/>");
    EXPECT_EQ(dimension(3, 2), "<dimension ref=\"A1:B3\"/>");
    EXPECT_EQ(dimension(5, 0), "<dimension ref=\"A1\"/>");
    EXPECT_EQ(dimension(2, 28), "<dimension ref=\"A1:AB2\"/>");

    Table t;
    t.rows = 4;
    t.cols = 3;
    t.cells = {header(0, 0, "a"), header(0, 1, "b", 1, 2), header(1, 0, "c"), header(1, 1, "d")};
    const struct {
        std::optional<int> headerRows;
        bool freeze;
        bool pane;
        std::string top;
    } panes[] = {{2, true, true, "A3"}, {std::nullopt, true, true, "A3"}, {1, true, true, "A2"},
                 {0, true, false, ""}, {4, true, false, ""}, {9, true, false, ""}, {2, false, false, ""}};
    for (const auto& p : panes) {
        SCOPED_TRACE(p.headerRows.value_or(-1));
        const std::string s = sheetOf(t, writer(p.headerRows, p.freeze));
        if (p.pane) {
            EXPECT_NE(s.find("<pane ySplit=\"" + std::string(1, p.top[1] - 1) + "\" topLeftCell=\"" + p.top +
                             "\" activePane=\"bottomLeft\" state=\"frozen\"/><selection pane=\"bottomLeft\" activeCell=\"" +
                             p.top + "\" sqref=\"" + p.top + "\"/>"),
                      std::string::npos);
        } else {
            EXPECT_EQ(s.find("<pane"), std::string::npos);
            EXPECT_NE(s.find("<sheetView workbookViewId=\"0\"></sheetView>"), std::string::npos);
        }
    }

    Table m;
    m.rows = 4;
    m.cols = 4;
    m.cells = {Cell{0, 0, 1, 1, "1x1"},
               Cell{2, 0, 3, 1, "clipped to two rows"},
               Cell{0, 1, 2, 2, "B1:C2"},
               Cell{1, 2, 2, 2, "touches B1:C2, so no range"},
               Cell{0, 3, 0, -4, "spans below 1 count as 1"},
               Cell{2, 2, 2, 9, "clipped to two columns"}};
    const std::string s = sheetOf(m, writer(0));
    EXPECT_NE(s.find("<mergeCells count=\"3\"><mergeCell ref=\"B1:C2\"/><mergeCell ref=\"A3:A4\"/>"
                     "<mergeCell ref=\"C3:D4\"/></mergeCells><pageMargins"),
              std::string::npos);
    // The overlapping cell still has its text.
    EXPECT_NE(s.find("<c r=\"C2\" t=\"s\">"), std::string::npos);
}

TEST(XLSXWriter, SharedStringsPreserveBlanks)
{
    Table t;
    t.rows = 1;
    t.cols = 6;
    t.cells = {Cell{0, 0, 1, 1, " lead"}, Cell{0, 1, 1, 1, "trail "}, Cell{0, 2, 1, 1, "two\nlines"},
               Cell{0, 3, 1, 1, "in\tside"}, Cell{0, 4, 1, 1, "\xC2\xA0no-break"}, Cell{0, 5, 1, 1, "\x01 dropped"}};
    auto strings = partsOf(writer(0).data(t))["xl/sharedStrings.xml"];
    EXPECT_NE(strings.find("count=\"6\" uniqueCount=\"6\"><si><t xml:space=\"preserve\"> lead</t></si>"
                           "<si><t xml:space=\"preserve\">trail </t></si><si><t xml:space=\"preserve\">two\nlines</t></si>"
                           "<si><t>in\tside</t></si><si><t xml:space=\"preserve\">\xC2\xA0no-break</t></si>"
                           "<si><t xml:space=\"preserve\"> dropped</t></si></sst>"),
              std::string::npos)
        << strings;
    EXPECT_NE(partsOf(writer().data(Table{0, 2, 0})).at("xl/sharedStrings.xml").find("count=\"0\" uniqueCount=\"0\"></sst>"),
              std::string::npos);
}

TEST(XLSXWriter, NumberText)
{
    const struct {
        double value;
        const char* want;
    } cases[] = {{12.0, "12"}, {-3.0, "-3"}, {-0.0, "0"}, {1e15 - 1, "999999999999999"}, {-(1e15 - 1), "-999999999999999"},
                 {1e15, "1e+15"}, {12.5, "12.5"}, {0.1, "0.1"}, {1e-5, "1e-05"}, {1234.567, "1234.567"},
                 {0.1 + 0.2, "0.30000000000000004"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        EXPECT_EQ(XLSXWriter::numberText(c.value), c.want);
    }
}

TEST(XLSXWriter, EscapeAndSheetName)
{
    const struct {
        std::string in, want;
    } escapes[] = {
        {"a\"b&c<d>e'f", "a&quot;b&amp;c&lt;d&gt;e'f"},
        {std::string("x\0y", 3), "xy"},
        {"form\ffeed", "formfeed"},
        {"tab\tLF\nCR\r", "tab\tLF\nCR\r"},
        {"\x1B[0m", "[0m"},
        {"no\xEF\xBF\xBE\xEF\xBF\xBFnchar\xEF\xBF\xBD", "nonchar\xEF\xBF\xBD"},
        {"bad\xFF\xC3", "bad\xEF\xBF\xBD\xEF\xBF\xBD"},
        {"\xED\xA0\x80", "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD"},  // a surrogate
        {"Việt ₫", "Việt ₫"},
    };
    for (const auto& c : escapes) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(XLSXWriter::escape(c.in), c.want);
    }

    const struct {
        std::string in, want;
    } names[] = {
        {"Table", "Table"},
        {"Q1: [draft]", "Q1_ _draft_"},
        {"a\\b/c?d*e", "a_b_c_d_e"},
        {"' 'Sales' '", "Sales"},
        {"''  ''", "Table"},
        {"", "Table"},
        {std::string(40, 'x'), std::string(31, 'x')},
        {"Bảng tính doanh thu năm hai nghìn", "Bảng tính doanh thu năm hai ngh"},
        {std::string(29, 'x') + "e\xCC\x81" + "z", std::string(29, 'x') + "e\xCC\x81"},  // one character of two code points
        {std::string(30, 'x') + "e\xCC\x81" + "z", std::string(30, 'x')},  // it would be the 32nd UTF-16 unit
        // Astral characters count two units each: 16 of them are 32 units, 15 fit.
        {[] { std::string e; for (int i = 0; i < 16; ++i) e += "\xF0\x9F\x98\x80"; return e; }(),
         [] { std::string e; for (int i = 0; i < 15; ++i) e += "\xF0\x9F\x98\x80"; return e; }()},
        {std::string(30, 'x') + "\xF0\x9F\x98\x80", std::string(30, 'x')},  // never half a surrogate pair
        {std::string(27, 'x') + "\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7" + "y", std::string(27, 'x') + "\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7"},  // a flag: 4 units
        {std::string(28, 'x') + "\xF0\x9F\x87\xAB\xF0\x9F\x87\xB7", std::string(28, 'x')},
        {"\x01\x02", "Table"},
        {"bad\xFF", "bad\xEF\xBF\xBD"},
        {std::string(29, 'x') + " 'yz", std::string(29, 'x')},  // the cut leaves " '": trimmed again
        {std::string(30, 'x') + "'yz", std::string(30, 'x')},
    };
    for (const auto& c : names) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(XLSXWriter::safeSheetName(c.in), c.want);
    }
    XLSXWriter w = writer();
    w.sheetName = "R&D <2026>";
    EXPECT_NE(partsOf(w.data(small()))["xl/workbook.xml"].find("<sheet name=\"R&amp;D &lt;2026&gt;\" sheetId"), std::string::npos);
}

TEST(XLSXWriter, ReadersAndTheirOrder)
{
    Table t;
    t.rows = 1;
    t.cols = 2;
    t.cells = {Cell{0, 0, 1, 1, "1,5"}, Cell{0, 1, 1, 1, "inf"}};
    XLSXWriter w = writer(0);
    w.parseNumber = [](std::string_view) { return std::optional<double>(42); };
    EXPECT_EQ(sheetData(sheetOf(t, w)), "<row r=\"1\"><c r=\"A1\"><v>42</v></c><c r=\"B1\"><v>42</v></c></row>");
    // The per-column reader wins; infinities and NaN are no numbers.
    w.parseCell = [](std::string_view, int col) {
        return std::optional<double>(col == 0 ? 1.5 : std::numeric_limits<double>::infinity());
    };
    EXPECT_EQ(sheetData(sheetOf(t, w)), "<row r=\"1\"><c r=\"A1\"><v>1.5</v></c><c r=\"B1\" t=\"s\"><v>0</v></c></row>");
    w.parseCell = [](std::string_view, int) { return std::optional<double>(std::nan("")); };
    w.parseNumber = nullptr;
    EXPECT_EQ(sheetData(sheetOf(t, w)), "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c></row>");
    w.parseCell = nullptr;
    EXPECT_EQ(sheetData(sheetOf(t, w)), "<row r=\"1\"><c r=\"A1\" t=\"s\"><v>0</v></c><c r=\"B1\" t=\"s\"><v>1</v></c></row>");
}

TEST(XLSXWriter, RefusesGridsBeyondTheSheet)
{
    EXPECT_THROW(writer().data(Table{0, XLSXWriter::maxRows + 1, 1}), VozudOzevError);
    EXPECT_THROW(writer().data(Table{0, 1, XLSXWriter::maxCols + 1}), VozudOzevError);
    EXPECT_NO_THROW(writer().data(Table{0, 1, XLSXWriter::maxCols}));
    // Within the sheet's limits, but every slot of a million header rows would be written.
    EXPECT_THROW(writer(XLSXWriter::maxRows).data(Table{0, XLSXWriter::maxRows, XLSXWriter::maxCols}), VozudOzevError);
}

namespace {

struct Workbook {
    json sheet;  // what xlsx_check.py reports
    int unzipStatus = -1;
};

class XLSXConsumers : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ExternalTool::available(ExternalTool::python) || !ExternalTool::available("/usr/bin/unzip"))
            GTEST_SKIP() << "no python3 or unzip";
        if (ExternalTool::run({ExternalTool::python, "-c", "import openpyxl"}).status != 0)
            GTEST_SKIP() << "no openpyxl";
    }

    Workbook open(const std::string& bytes)
    {
        const auto file = dir_.write("book" + std::to_string(++count_) + ".xlsx", bytes);
        Workbook book;
        book.unzipStatus = ExternalTool::run({"/usr/bin/unzip", "-tqq", file}).status;
        const auto read = ExternalTool::run({ExternalTool::python, VANTREL_SOURCE_DIR "/tests/VozudOzev/Export/xlsx_check.py", file});
        EXPECT_EQ(read.status, 0);
        if (read.status == 0)
            book.sheet = json::parse(read.out);
        return book;
    }

    ExternalTool::ScratchDir dir_;
    int count_ = 0;
};

Table corpusTable(const std::string& name)
{
    // Ground truth of the measuring corpus: a table without its index.
    json j = json::parse(readFile(VANTREL_SOURCE_DIR "/tests/fixtures/xlsx/" + name));
    j["index"] = 0;
    return j.get<Table>();
}

XLSXWriter appWriter(const Table& t)
{
    const int h = t.leadingHeaderRows();
    return XLSXWriter("Table", h, true, fixedDate, XLSXWriter::simpleNumber, XLSXNumbers::cellParser(t, h, LocaleOverrides{}));
}

}  // namespace

TEST_F(XLSXConsumers, OpenpyxlSeesTypesMergesPaneAndBoldHeader)
{
    Table t;
    t.rows = 5;
    t.cols = 4;
    t.cells = {header(0, 0, "Group", 2, 1), header(0, 1, "Figures", 1, 3), header(1, 1, "2024"), header(1, 2, "Code"),
               header(1, 3, "Note"),
               Cell{2, 0, 2, 1, "North"}, Cell{2, 1, 1, 1, "1,234.5"}, Cell{2, 2, 1, 1, "0042"}, Cell{2, 3, 1, 1, " a & <b> "},
               Cell{3, 1, 1, 1, "(12)"}, Cell{3, 2, 1, 1, "SKU-10423"}, Cell{3, 3, 1, 1, "two\nlines"},
               Cell{4, 0, 1, 1, "Total"}, Cell{4, 1, 1, 1, "1222.5"}, header(4, 3, "99")};
    XLSXWriter w = writer();
    w.sheetName = "Sales: Q1/Q2 [draft]";
    const Workbook book = open(w.data(t));
    EXPECT_EQ(book.unzipStatus, 0);
    EXPECT_EQ(book.sheet["title"], "Sales_ Q1_Q2 _draft_");
    EXPECT_EQ(book.sheet["freeze"], "A3");
    EXPECT_EQ(book.sheet["merged"], json({"A1:A2", "A3:A4", "B1:D1"}));
    // openpyxl keeps no style for the slots a merge covers (C1, D1, A2).
    const json want = {
        {"A1", {"Group", "s", true}},   {"B1", {"Figures", "s", true}}, {"B2", {"2024", "s", true}},
        {"C2", {"Code", "s", true}},    {"D2", {"Note", "s", true}},    {"A3", {"North", "s", false}},
        {"B3", {1234.5, "n", false}},   {"C3", {"0042", "s", false}},   {"D3", {" a & <b> ", "s", false}},
        {"B4", {-12, "n", false}},      {"C4", {"SKU-10423", "s", false}}, {"D4", {"two\nlines", "s", false}},
        {"A5", {"Total", "s", false}},  {"B5", {1222.5, "n", false}},   {"D5", {"99", "s", true}},
    };
    EXPECT_EQ(book.sheet["cells"], want) << book.sheet["cells"].dump();
}

TEST_F(XLSXConsumers, CorpusTablesOpenWithTheirNumbers)
{
    const Table vi = corpusTable("case_022.json");
    const Table de = corpusTable("case_033.json");
    const Table vi2 = corpusTable("case_006.json");
    const Workbook viBook = open(appWriter(vi).data(vi));
    const Workbook deBook = open(appWriter(de).data(de));
    const Workbook vi2Book = open(appWriter(vi2).data(vi2));

    // Vietnamese amounts with dongs keep their mark as text; the plain counts and
    // comma decimals beside them are numbers.
    EXPECT_EQ(viBook.unzipStatus, 0);
    EXPECT_EQ(viBook.sheet["freeze"], "A3");
    EXPECT_EQ(viBook.sheet["merged"], json({"A1:A2", "A8:B8", "B1:B2", "C1:D1", "E1:E2", "F1:F2", "G1:G2"}));
    json cells = viBook.sheet["cells"];
    EXPECT_EQ(cells["A1"], json({"#", "s", true}));
    EXPECT_EQ(cells["C2"], json({"Chi phí", "s", true}));
    EXPECT_EQ(cells["A3"], json({1, "n", false}));
    EXPECT_EQ(cells["B3"], json({"Vũ Đức Thắng", "s", false}));
    EXPECT_EQ(cells["C3"], json({"7.772.000 ₫", "s", false}));
    EXPECT_EQ(cells["D3"], json({40082, "n", false}));
    EXPECT_EQ(cells["F3"], json({40.05, "n", false}));
    EXPECT_EQ(cells["F7"], json({9228.62, "n", false}));
    EXPECT_EQ(cells["D8"], json({69834, "n", false}));
    EXPECT_EQ(cells["A8"], json({"Tổng", "s", false}));

    EXPECT_EQ(deBook.unzipStatus, 0);
    EXPECT_EQ(deBook.sheet["freeze"], "A2");
    cells = deBook.sheet["cells"];
    EXPECT_EQ(cells["B1"], json({"Gesamtpreis", "s", true}));
    EXPECT_EQ(cells["B2"], json({"1.441,49 €", "s", false}));
    EXPECT_EQ(cells["D2"], json({3.06, "n", false}));
    EXPECT_EQ(cells["F2"], json({2481, "n", false}));
    EXPECT_EQ(cells["F4"], json({288, "n", false}));

    EXPECT_EQ(vi2Book.unzipStatus, 0);
    cells = vi2Book.sheet["cells"];
    EXPECT_EQ(cells["B2"], json({3.956, "n", false}));
    EXPECT_EQ(cells["C2"], json({31910.87, "n", false}));
    EXPECT_EQ(cells["E2"], json({15079, "n", false}));

    // Every body cell: a number exactly when the reader gives one, else the text itself.
    for (const auto& [t, book] : {std::pair{&vi, &viBook}, std::pair{&de, &deBook}, std::pair{&vi2, &vi2Book}}) {
        const XLSXWriter w = appWriter(*t);
        const json& seen = book->sheet["cells"];
        const int h = t->leadingHeaderRows();
        for (const Cell& c : t->cells) {
            if (c.row < h || c.text.empty())
                continue;
            const std::string ref = CellRef::a1(c);
            SCOPED_TRACE(ref + " " + c.text);
            ASSERT_TRUE(seen.contains(ref));
            const auto v = w.parseCell(c.text, c.col);
            EXPECT_EQ(seen[ref][1], v ? "n" : "s");
            if (v)
                EXPECT_EQ(seen[ref][0].get<double>(), *v);
            else
                EXPECT_EQ(seen[ref][0], c.text);
        }
    }
}

TEST_F(XLSXConsumers, BrokenTextNeverBreaksTheWorkbook)
{
    std::string controls;
    for (char c = 1; c < 0x20; ++c)
        controls += c;
    Table t;
    t.rows = 3;
    t.cols = 3;
    t.cells = {header(0, 0, "bad\xFF\xFE head"), header(0, 1, "\xC3"), header(0, 2, std::string("nul\0x", 5)),
               Cell{1, 0, 1, 1, "ctl" + controls + "end"}, Cell{1, 1, 1, 1, "\xEF\xBF\xBE\xEF\xBF\xBF"},
               Cell{1, 2, 1, 1, "\xED\xA0\x80 surrogate"}, Cell{2, 0, 1, 1, "]]>"}, Cell{2, 1, 1, 1, "\x01"},
               Cell{2, 2, 1, 1, "\xE1\xBA"}};
    XLSXWriter w = writer();
    w.sheetName = "\x01\x02" "bad\xFF";
    const Workbook book = open(w.data(t));
    EXPECT_EQ(book.unzipStatus, 0);
    EXPECT_EQ(book.sheet["title"], "bad\uFFFD");
    const json& cells = book.sheet["cells"];
    EXPECT_EQ(cells["A1"][0], "bad\uFFFD\uFFFD head");
    EXPECT_EQ(cells["B1"][0], "\uFFFD");
    EXPECT_EQ(cells["C1"][0], "nulx");
    EXPECT_EQ(cells["A2"][0], "ctl\t\n\nend");  // XML reads a bare CR as a line end
    EXPECT_EQ(cells["C2"][0], "\uFFFD\uFFFD\uFFFD surrogate");
    EXPECT_EQ(cells["A3"][0], "]]>");
    EXPECT_EQ(cells["C3"][0], "\uFFFD\uFFFD");
}
