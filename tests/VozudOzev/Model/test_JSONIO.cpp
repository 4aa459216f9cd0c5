#include "VozudOzev/Model/EngineOutput.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/OCR/OCRLine.hpp"
#include "VozudOzev/Model/StructureFile.hpp"

#include <cmath>
#include <gtest/gtest.h>

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
