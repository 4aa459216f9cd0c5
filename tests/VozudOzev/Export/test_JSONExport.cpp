// Cells are written with their leading fields only; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include "VozudOzev/Export/ISODate.hpp"
#include "VozudOzev/Export/JSONExport.hpp"
#include "VozudOzev/Model/JSONIO.hpp"

#include "VozudOzev/Export/ExternalTool.hpp"
#include "VozudOzev/Export/KitchenSink.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>

using namespace VozudOzev;
using namespace std::chrono;

namespace {

system_clock::time_point at(int y, unsigned mo, unsigned d, int h, int mi, int s)
{
    return sys_days{year{y} / mo / d} + hours{h} + minutes{mi} + seconds{s};
}

Table flaggedTable()
{
    Table t;
    t.rows = 2;
    t.cols = 28;
    t.cells = {
        Cell{1, 1, 1, 1, "x", 0.1, std::nullopt, std::vector<CellFlag>{CellFlag::edited}},
        Cell{1, 0, 1, 1, "y", std::nullopt, std::nullopt, std::vector<CellFlag>{CellFlag::edited, CellFlag::typeMismatch}},
        Cell{0, 26, 1, 1, "z", std::nullopt, std::nullopt, std::vector<CellFlag>{CellFlag::lowConfidence}},
        Cell{0, 2, 1, 1, "w", 0.2, std::nullopt, std::vector<CellFlag>{}},
        Cell{0, 1, 1, 1, "v", std::nullopt, std::nullopt, std::vector<CellFlag>{CellFlag::totalMismatch}, true},
    };
    return t;
}

}  // namespace

TEST(ISODate, FormatAndParse)
{
    EXPECT_EQ(ISODate::format(at(2026, 1, 5, 13, 30, 0)), "2026-01-05T13:30:00Z");
    EXPECT_EQ(ISODate::format(at(2026, 1, 5, 13, 30, 0) + milliseconds{999}), "2026-01-05T13:30:00Z");
    EXPECT_EQ(ISODate::format(at(1969, 12, 31, 23, 59, 59) + milliseconds{500}), "1969-12-31T23:59:59Z");

    const struct {
        const char* in;
        std::optional<system_clock::time_point> want;
    } cases[] = {
        {"2026-01-05T13:30:00Z", at(2026, 1, 5, 13, 30, 0)},
        {"2026-01-05T15:30:00+02:00", at(2026, 1, 5, 13, 30, 0)},
        {"2026-01-05T08:00:00-05:30", at(2026, 1, 5, 13, 30, 0)},
        {"2026-01-05T13:30:00.5Z", std::nullopt},
        {"2026-01-05T13:30:00", std::nullopt},
        {"2026-02-30T13:30:00Z", std::nullopt},
        {"2026-01-05 13:30:00Z", std::nullopt},
        {"2026-01-05T24:00:00Z", std::nullopt},
        {"", std::nullopt},
        // The clock holds 1677-09-21T00:12:43.145Z to 2262-04-11T23:47:16.854Z; past that the
        // conversion overflowed (1600 came back as a moment in 2184).
        {"1677-09-21T00:12:44Z", at(1677, 9, 21, 0, 12, 44)},
        {"2262-04-11T23:47:16Z", at(2262, 4, 11, 23, 47, 16)},
        {"1677-09-21T00:12:43Z", std::nullopt},
        {"2262-04-11T23:47:17Z", std::nullopt},
        {"2262-04-12T01:47:17+02:00", std::nullopt},
        {"1600-01-01T00:00:00Z", std::nullopt},
        {"0000-01-01T00:00:00Z", std::nullopt},
        {"9999-12-31T23:59:59Z", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(ISODate::parse(c.in), c.want);
    }
}

TEST(JSONExport, Document)
{
    const SourceInfo source{"Q1", at(2026, 1, 5, 13, 30, 0)};
    const Table t = flaggedTable();
    const auto d = JSONExport::document(t, source, std::nullopt);
    EXPECT_EQ(d.schema, "vantrel.table/1");
    EXPECT_EQ(d.flaggedCells, (std::vector<std::string>{"B1", "AA1", "A2"}));
    EXPECT_EQ(d.headerRows, 0);  // row 0 holds cells not marked header
    EXPECT_EQ(d.grid, t.grid());
    EXPECT_EQ(d.table, t);
    EXPECT_EQ(JSONExport::document(t, source, 0).headerRows, 0);
    EXPECT_EQ(JSONExport::document(t, source, 3).headerRows, 3);

    Table headed;
    headed.rows = 2;
    headed.cols = 1;
    headed.cells = {Cell{0, 0, 1, 1, "h", std::nullopt, std::nullopt, std::nullopt, true}, Cell{1, 0, 1, 1, "b"}};
    EXPECT_EQ(JSONExport::document(headed, source, std::nullopt).headerRows, 1);
    EXPECT_TRUE(JSONExport::document(headed, source, std::nullopt).flaggedCells.empty());
}

TEST(JSONExport, WrittenFormAndRoundTrip)
{
    const SourceInfo bare{"Sheet", at(2026, 1, 5, 13, 30, 0) + milliseconds{700}};
    const std::string text = JSONExport::data(kitchenSink(), bare, 1);
    EXPECT_NE(text.find("\"vantrel.table/1\""), std::string::npos);
    const auto j = nlohmann::json::parse(text);
    std::vector<std::string> keys;
    for (const auto& item : j.items())
        keys.push_back(item.key());
    EXPECT_EQ(keys, (std::vector<std::string>{"flagged_cells", "grid", "header_rows", "schema", "source", "table"}));
    EXPECT_EQ(j["source"], (nlohmann::json{{"captured_at", "2026-01-05T13:30:00Z"}, {"name", "Sheet"}}));
    EXPECT_EQ(j["flagged_cells"], nlohmann::json::array());

    const SourceInfo full{"Q1", at(2026, 1, 5, 13, 30, 0), "B", 1920, 1080};
    const std::string fullText = JSONExport::data(flaggedTable(), full, std::nullopt);
    EXPECT_EQ(nlohmann::json::parse(fullText)["source"],
              (nlohmann::json{{"captured_at", "2026-01-05T13:30:00Z"}, {"engine", "B"}, {"image_height", 1080},
                              {"image_width", 1920}, {"name", "Q1"}}));
    EXPECT_EQ(JSONExport::decode(fullText), JSONExport::document(flaggedTable(), full, std::nullopt));

    // Fractions of a second are lost on the way.
    auto back = JSONExport::decode(text);
    EXPECT_EQ(back.source.capturedAt, at(2026, 1, 5, 13, 30, 0));
    back.source.capturedAt = bare.capturedAt;
    EXPECT_EQ(back, JSONExport::document(kitchenSink(), bare, 1));
}

TEST(JSONExport, WrittenAsItGoesInTheTreeForm)
{
    // The document is written without building its tree; the bytes must be those of the tree.
    Table rich = flaggedTable();
    rich.index = 4;
    rich.bbox = BBox{1.5, 2, 300, 40.25};
    rich.cells[0].bbox = BBox{0, 0, 10, 12.5};
    rich.cells[3].header = false;
    rich.cells.push_back(Cell{5, 40, 1, 1, "outside the grid"});
    rich.cells.push_back(Cell{0, 2, 1, 1, "joined \xFF a/b \x01"});
    Table noCols;
    noCols.rows = 2;
    const struct {
        const char* name;
        Table table;
        std::optional<int> headerRows;
    } cases[] = {
        {"empty", Table{}, std::nullopt},
        {"no columns", noCols, 0},
        {"kitchen sink", kitchenSink(), 1},
        {"every optional field", rich, std::nullopt},
    };
    const SourceInfo source{"Q1/Q2 \"x\"", at(2026, 1, 5, 13, 30, 0), "B", 640, 480};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(JSONExport::data(c.table, source, c.headerRows),
                  JSONIO::encode(JSONExport::document(c.table, source, c.headerRows)));
    }
    Table bad = kitchenSink();
    bad.cells[2].confidence = std::nan("");
    EXPECT_THROW(JSONExport::data(bad, source, 1), JSONIO::EncodingError);
}

TEST(JSONExport, DecodingFailures)
{
    const SourceInfo source{"Q1", at(2026, 1, 5, 13, 30, 0)};
    const auto good = nlohmann::json::parse(JSONExport::data(flaggedTable(), source, 1));
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"not JSON", "{"},
        {"no grid", [&] { auto j = good; j.erase("grid"); return j.dump(); }()},
        {"no source name", [&] { auto j = good; j["source"].erase("name"); return j.dump(); }()},
        {"header rows as text", [&] { auto j = good; j["header_rows"] = "1"; return j.dump(); }()},
        {"a date with a fraction", [&] { auto j = good; j["source"]["captured_at"] = "2026-01-05T13:30:00.250Z"; return j.dump(); }()},
        {"a date without zone", [&] { auto j = good; j["source"]["captured_at"] = "2026-01-05T13:30:00"; return j.dump(); }()},
        {"a date the clock cannot hold", [&] { auto j = good; j["source"]["captured_at"] = "1600-01-01T00:00:00Z"; return j.dump(); }()},
        {"negative header rows", [&] { auto j = good; j["header_rows"] = -1; return j.dump(); }()},
        {"an image width past int", [&] { auto j = good; j["source"]["image_width"] = 1e10; return j.dump(); }()},
        {"the stored reproducer", [] {
             std::ifstream in(VANTREL_SOURCE_DIR "/tests/fixtures/hostile/export_document_year_1600.json");
             return std::string(std::istreambuf_iterator<char>(in), {});
         }()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_THROW(JSONExport::decode(c.text), JSONIO::DecodingError);
    }
    auto other = good;
    other["schema"] = "other/9";
    other["source"]["engine"] = nullptr;
    const auto decoded = JSONExport::decode(other.dump());
    EXPECT_EQ(decoded.schema, "other/9");
    EXPECT_FALSE(decoded.source.engine);
}

TEST(JSONExportConsumers, PythonJSONLoadsTheDocument)
{
    ASSERT_TRUE(ExternalTool::installed(ExternalTool::python));
    ExternalTool::ScratchDir dir;
    Table t = kitchenSink();
    t.cells.push_back(Cell{2, 0, 1, 1, "bad\xFF", std::nullopt, std::nullopt, std::vector<CellFlag>{CellFlag::typeMismatch}});
    const SourceInfo source{"Q1--Q2", at(2026, 1, 5, 13, 30, 0), "B", 640, 480};
    const auto file = dir.write("t.json", JSONExport::data(t, source, 1));
    const auto script = dir.write("reader.py", R"(import json, sys
d = json.load(open(sys.argv[1], encoding='utf-8', errors='strict'))
print(json.dumps([d['schema'], d['source']['captured_at'], d['header_rows'], d['flagged_cells'], d['grid'][1]]))
)");
    const auto outcome = ExternalTool::run({ExternalTool::python, script, file});
    ASSERT_EQ(outcome.status, 0);
    EXPECT_EQ(nlohmann::json::parse(outcome.out),
              (nlohmann::json{"vantrel.table/1", "2026-01-05T13:30:00Z", 1, {"A3"}, t.grid()[1]}));
}
