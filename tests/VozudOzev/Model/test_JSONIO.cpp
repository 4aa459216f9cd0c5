#include "VozudOzev/Model/EngineOutput.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Model/StructureFile.hpp"

#include <climits>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <iterator>

using namespace VozudOzev;

namespace {

EngineOutput fullOutput()
{
    Cell a{0, 0, 1, 2, "a/b \"q\"\ttab"};
    a.confidence = 0.5;
    a.bbox = BBox{1, 2, 20, 4.25};
    a.flags = std::vector{CellFlag::lowConfidence, CellFlag::edited};
    a.header = true;
    Cell b{1, 1, 1, 1, "Bánh mì"};
    Table t{0, 2, 2, {a, b}, BBox{0, 0, 100, 50}};
    return EngineOutput("capture", "B", 640, 480, 12.5, {t}, std::string("line"), {"merged 1 continuation lines"});
}

}  // namespace

TEST(JSONIO, EngineOutputRoundTrips)
{
    const EngineOutput full = fullOutput();
    EXPECT_EQ(JSONIO::decode<EngineOutput>(JSONIO::encode(full)), full);

    const EngineOutput empty("x", "B", 1, 1, 0, {}, {}, {});
    EXPECT_EQ(JSONIO::decode<EngineOutput>(JSONIO::encode(empty)), empty);
}

TEST(JSONIO, WrittenForm)
{
    const std::string text = JSONIO::encode(fullOutput());
    EXPECT_NE(text.find("\"col_span\" : 2"), std::string::npos);
    EXPECT_NE(text.find("\"elapsed_ms\" : 12.5"), std::string::npos);
    EXPECT_NE(text.find("\"image_width\" : 640"), std::string::npos);
    EXPECT_NE(text.find("\"w\" : 20,"), std::string::npos) << "whole doubles are written without .0";
    EXPECT_NE(text.find("a/b"), std::string::npos) << "slashes are not escaped";
    EXPECT_NE(text.find("\"flags\" : [\n"), std::string::npos);
    EXPECT_NE(text.find("\"low_confidence\""), std::string::npos);
    EXPECT_NE(text.find("Bánh mì"), std::string::npos);
    // Keys sorted: "confidence_source" comes before "elapsed_ms" before "engine".
    EXPECT_LT(text.find("confidence_source"), text.find("elapsed_ms"));
    EXPECT_LT(text.find("elapsed_ms"), text.find("\"engine\""));

    const std::string none = JSONIO::encode(EngineOutput("x", "B", 1, 1, 20.0, {}, {}, {}));
    EXPECT_EQ(none.find("selected_table"), std::string::npos);
    EXPECT_EQ(none.find("confidence_source"), std::string::npos);
    EXPECT_EQ(none.find("null"), std::string::npos);
    EXPECT_NE(none.find("\"elapsed_ms\" : 20,"), std::string::npos);
}

TEST(JSONIO, DecodingKeepsValidSelectionAndDropsOneOutOfRange)
{
    nlohmann::json j = fullOutput();
    j["selected_table"] = 0;
    EXPECT_EQ(JSONIO::decode<EngineOutput>(j.dump()).selectedTable, 0);
    for (int bad : {1, -1, 99}) {
        SCOPED_TRACE(bad);
        j["selected_table"] = bad;
        const auto o = JSONIO::decode<EngineOutput>(j.dump());
        EXPECT_FALSE(o.selectedTable);
        EXPECT_EQ(o.selected(), nullptr);
    }
}

TEST(JSONIO, DecodingErrors)
{
    nlohmann::json noText = fullOutput();
    noText["tables"][0]["cells"][0].erase("text");
    nlohmann::json badFlag = fullOutput();
    badFlag["tables"][0]["cells"][0]["flags"] = {"shiny"};
    nlohmann::json huge = fullOutput();
    huge["tables"][0]["rows"] = 100000;
    huge["tables"][0]["cols"] = 100000;
    nlohmann::json wrongType = fullOutput();
    wrongType["image_width"] = "wide";
    for (const std::string& text : {noText.dump(), badFlag.dump(), huge.dump(), wrongType.dump(), std::string("{"),
                                    std::string("not json"), std::string("[]")}) {
        SCOPED_TRACE(text.substr(0, 40));
        EXPECT_THROW(JSONIO::decode<EngineOutput>(text), JSONIO::DecodingError);
    }
}

TEST(JSONIO, NumbersMustFitTheirFields)
{
    // Casting 1e10 to int is undefined (INT_MIN on x86, which passed the size guard), and a
    // negative count or span has no meaning.
    const struct {
        const char* what;
        std::function<void(nlohmann::json&)> damage;
    } cases[] = {
        {"cols 1e10", [](auto& j) { j["tables"][0]["cols"] = 1e10; }},
        {"rows INT_MIN", [](auto& j) { j["tables"][0]["rows"] = INT_MIN; }},
        {"rows -1", [](auto& j) { j["tables"][0]["rows"] = -1; }},
        {"rows 2^31", [](auto& j) { j["tables"][0]["rows"] = 2147483648LL; }},
        {"rows 2^64 - 1", [](auto& j) { j["tables"][0]["rows"] = UINT64_MAX; }},
        {"a fraction", [](auto& j) { j["tables"][0]["cells"][0]["col"] = 0.5; }},
        {"a negative column", [](auto& j) { j["tables"][0]["cells"][0]["col"] = -3; }},
        {"a span of 0", [](auto& j) { j["tables"][0]["cells"][0]["row_span"] = 0; }},
        {"a span of -2^31", [](auto& j) { j["tables"][0]["cells"][0]["col_span"] = INT_MIN; }},
        {"an image width of 1e105", [](auto& j) { j["image_width"] = 1e105; }},
        {"a table index as text", [](auto& j) { j["tables"][0]["index"] = "0"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        nlohmann::json j = fullOutput();
        c.damage(j);
        EXPECT_THROW(JSONIO::decode<EngineOutput>(j.dump()), JSONIO::DecodingError);
    }

    // Whole numbers written as doubles still read.
    nlohmann::json whole = fullOutput();
    whole["tables"][0]["rows"] = 2.0;
    whole["tables"][0]["cells"][0]["col_span"] = 2.0;
    EXPECT_EQ(JSONIO::decode<EngineOutput>(whole.dump()), fullOutput());
    // Like any selection outside the tables, one past int selects nothing.
    nlohmann::json far = fullOutput();
    far["selected_table"] = 1e300;
    EXPECT_FALSE(JSONIO::decode<EngineOutput>(far.dump()).selectedTable);

    // The stored reproducers.
    const std::string dir = VANTREL_SOURCE_DIR "/tests/fixtures/hostile/";
    auto text = [&](const char* name) {
        std::ifstream in(dir + name);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    EXPECT_THROW(JSONIO::decode<Table>(text("table_cols_1e10.json")), JSONIO::DecodingError);
    EXPECT_THROW(JSONIO::decode<Table>(text("table_rows_int_min.json")), JSONIO::DecodingError);
    EXPECT_THROW(JSONIO::decode<EngineOutput>(text("engine_output_cols_1e105.json")), JSONIO::DecodingError);
}

TEST(StructureFile, DamagedSizesAreRefused)
{
    const nlohmann::json good = {{"imageWidth", 10}, {"imageHeight", 10},
                                 {"tables", {{{"rows", 1}, {"cols", 1}, {"cells", {{{"row", 0}, {"col", 0}, {"rowSpan", 1}, {"colSpan", 1}}}}}}}};
    EXPECT_NO_THROW(JSONIO::decode<StructureFile>(good.dump()));
    for (const auto& [pointer, value] : std::vector<std::pair<std::string, nlohmann::json>>{
             {"/tables/0/cols", 1e10}, {"/tables/0/cols", 1 << 30}, {"/tables/0/rows", -1},
             {"/tables/0/cells/0/col", -1}, {"/tables/0/cells/0/colSpan", 0}, {"/imageWidth", 3e9}}) {
        SCOPED_TRACE(pointer);
        nlohmann::json j = good;
        j[nlohmann::json::json_pointer(pointer)] = value;
        EXPECT_THROW(JSONIO::decode<StructureFile>(j.dump()), JSONIO::DecodingError);
    }
}

TEST(JSONIO, ExactWrittenForms)
{
    const auto tree = nlohmann::json::parse(R"({"e":true,"a":[],"b":{},"c":[1,[2.5,"x/y\u0001"]],"d":null,"f":-3})");
    EXPECT_EQ(JSONIO::write(tree), "{\n  \"a\" : [\n\n  ],\n  \"b\" : {\n\n  },\n  \"c\" : [\n    1,\n    [\n      2.5,\n"
                                   "      \"x/y\\u0001\"\n    ]\n  ],\n  \"d\" : null,\n  \"e\" : true,\n  \"f\" : -3\n}");
    EXPECT_EQ(JSONIO::writeCompact(tree), R"({"a":[],"b":{},"c":[1,[2.5,"x\/y\u0001"]],"d":null,"e":true,"f":-3})");
    EXPECT_EQ(JSONIO::write(nlohmann::json::array()), "[\n\n]");
    EXPECT_EQ(JSONIO::write(nlohmann::json("a\"\\\b\f\n\r\t")), R"("a\"\\\b\f\n\r\t")");
}

TEST(JSONIO, InvalidTextStillWritesValidJSON)
{
    Cell c{0, 0, 1, 1, std::string("ok \xC3\x28 \xFF end")};
    const std::string text = JSONIO::encode(c);
    const auto back = JSONIO::decode<Cell>(text);  // parses: the file stays valid UTF-8
    EXPECT_EQ(back.text, "ok \xEF\xBF\xBD( \xEF\xBF\xBD end");

    c.confidence = std::nan("");
    EXPECT_THROW(JSONIO::encode(c), JSONIO::EncodingError);
}

TEST(JSONIO, OCRLinesNeedEveryKey)
{
    const OCRLine line{"12 5", {1, 2, 30, 10}, 0.75, {{"12", {1, 2, 10, 10}, 0.75}, {"5", {20, 2, 11, 10}, 0.75}}};
    EXPECT_EQ(JSONIO::decode<OCRLine>(JSONIO::encode(line)), line);
    nlohmann::json j = line;
    j["words"][0].erase("confidence");
    EXPECT_THROW(JSONIO::decode<OCRLine>(j.dump()), JSONIO::DecodingError);
}

TEST(StructureFile, CodingKeysAreFieldNames)
{
    StructureFile f;
    f.id = "capture";
    f.imageWidth = 100;
    f.imageHeight = 50;
    f.tables.push_back({2, 3, BBox{1, 1, 90, 40}, {{0, 0, 1, 2, BBox{1, 1, 10, 10}, true}, {1, 2, 1, 1, {}, {}}}});
    EXPECT_EQ(JSONIO::decode<StructureFile>(JSONIO::encode(f)), f);

    const nlohmann::json bare = f.tables[0].cells[1];
    EXPECT_EQ(bare, (nlohmann::json{{"row", 1}, {"col", 2}, {"rowSpan", 1}, {"colSpan", 1}}));
    const nlohmann::json whole = f;
    EXPECT_FALSE(whole.contains("elapsedMs"));
    EXPECT_TRUE(whole.contains("imageWidth"));

    nlohmann::json noRows = f;
    noRows["tables"][0].erase("rows");
    EXPECT_THROW(JSONIO::decode<StructureFile>(noRows.dump()), JSONIO::DecodingError);
}
