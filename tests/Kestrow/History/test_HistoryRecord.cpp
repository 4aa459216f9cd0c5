#include "Kestrow/History/HistoryRecord.hpp"

#include "HistoryFixtures.hpp"

#include <gtest/gtest.h>

using namespace Kestrow;
using namespace HistoryFixtures;

namespace {

constexpr const char* goldenId = "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9";

HistoryItem goldenItem()
{
    HistoryItem item;
    item.id = goldenId;
    item.date = at(1767619800) + std::chrono::milliseconds(750);  // 2026-01-05T13:30:00.750Z
    item.sourceName = "Safari/Web";
    item.engine = "B";
    item.imageWidth = 800;
    item.imageHeight = 600;
    item.imageScale = 2;
    VozudOzev::Table t;
    t.rows = 1;
    t.cols = 2;
    t.cells = {cell(0, 0, "Qty"), cell(0, 1, "1/2")};
    t.cells[1].confidence = 0.25;
    t.cells[1].flags = std::vector{VozudOzev::CellFlag::lowConfidence};
    item.tables = {t};
    VozudOzev::OCRLine line;
    line.text = "Qty 1/2";
    line.bbox = {1, 2, 40, 10};
    line.confidence = 0.5;
    item.lines = {line};
    return item;
}

const std::string golden =
    R"({"date":"2026-01-05T13:30:00Z","engine":"B","has_image":false,"id":"0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9",)"
    R"("image_height":600,"image_scale":2,"image_width":800,)"
    R"("lines":[{"bbox":{"h":10,"w":40,"x":1,"y":2},"confidence":0.5,"text":"Qty 1\/2","words":[]}],)"
    R"("source_name":"Safari\/Web","tables":[{"cells":[{"col":0,"col_span":1,"row":0,"row_span":1,"text":"Qty"},)"
    R"({"col":1,"col_span":1,"confidence":0.25,"flags":["low_confidence"],"row":0,"row_span":1,"text":"1\/2"}],)"
    R"("cols":2,"index":0,"rows":1}]})";

}  // namespace

TEST(HistoryRecord, EncodesTheGoldenOneLineRecordAndReadsItBack)
{
    auto bytes = HistoryRecord::encode(goldenItem());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, golden);

    auto back = HistoryRecord::decode(golden, std::string_view(goldenId));
    ASSERT_TRUE(back);
    HistoryItem expected = goldenItem();
    expected.date = at(1767619800);  // the fraction is not kept
    EXPECT_EQ(*back, expected);
    EXPECT_EQ(back->sourceName, "Safari/Web");
}

TEST(HistoryRecord, KeepsTheSelectedIndexAndTheImageMark)
{
    HistoryItem item = goldenItem();
    item.selectedIndex = 0;
    item.hasImage = true;
    auto back = HistoryRecord::decode(*HistoryRecord::encode(item));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->selectedIndex, std::optional<std::int64_t>(0));
    EXPECT_TRUE(back->hasImage);
}

TEST(HistoryRecord, RefusesDamagedRecords)
{
    auto with = [](const std::string& from, const std::string& to) {
        std::string s = golden;
        const auto at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return s.replace(at, from.size(), to);
    };
    const struct {
        const char* name;
        std::string record;
    } cases[] = {
        {"not JSON", "{\"date\":"},
        {"empty file", ""},
        {"an array", "[]"},
        {"truncated", golden.substr(0, golden.size() / 2)},
        {"missing key", with(R"("engine":"B",)", "")},
        {"fractional date", with("13:30:00Z", "13:30:00.5Z")},
        {"date without zone", with("13:30:00Z", "13:30:00")},
        {"date as a number", with(R"("2026-01-05T13:30:00Z")", "1767619800")},
        {"width as text", with(R"("image_width":800)", R"("image_width":"800")")},
        {"width as a fraction", with(R"("image_width":800)", R"("image_width":800.5)")},
        {"negative width", with(R"("image_width":800)", R"("image_width":-1)")},
        {"zero scale", with(R"("image_scale":2)", R"("image_scale":0)")},
        {"image mark as a number", with(R"("has_image":false)", R"("has_image":0)")},
        {"rows as true", with(R"("rows":1)", R"("rows":true)")},
        {"negative rows", with(R"("rows":1)", R"("rows":-3)")},
        {"absurd grid", with(R"("cols":2,)", R"("cols":2000000,)")},
        {"rows beyond int", with(R"("rows":1)", R"("rows":99999999999)")},
        {"zero span", with(R"("col_span":1,"row":0,"row_span":1,"text":"Qty")", R"("col_span":0,"row":0,"row_span":1,"text":"Qty")")},
        {"unknown flag", with("low_confidence", "looks_odd")},
        {"text as null", with(R"("text":"Qty")", R"("text":null)")},
        {"lower-case id", with("0A1B2C3D", "0a1b2c3d")},
        {"id not a UUID", with(goldenId, "../../etc/passwd")},
        {"selected index as text", with(R"("source_name")", R"("selected_index":"1","source_name")")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(HistoryRecord::decode(c.record));
    }
    // Unknown keys are ignored; an id must match the file it came from.
    EXPECT_TRUE(HistoryRecord::decode(with(R"("engine")", R"("future":[1,2],"engine")")));
    EXPECT_FALSE(HistoryRecord::decode(golden, std::string_view("0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8FA")));
}

TEST(HistoryRecord, RecordFileNamesAreUpperCaseUuids)
{
    EXPECT_EQ(HistoryRecord::idOfRecordFile(std::string(goldenId) + ".json"), std::optional<std::string>(goldenId));
    for (std::string bad : {"0a1b2c3d-4e5f-6071-8293-a4b5c6d7e8f9.json", "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9.JSON",
                            "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9 copy.json", "notes.json", ".json",
                            "0A1B2C3D-4E5F-6071-8293-A4B5C6D7E8F9.png"})
        EXPECT_FALSE(HistoryRecord::idOfRecordFile(bad)) << bad;
}

TEST(HistoryItem, SelectedTablePreviewAndFlaggedCount)
{
    VozudOzev::Table first = table(2, 2);
    VozudOzev::Table second;
    second.rows = 3;
    second.cols = 3;
    second.cells = {cell(2, 0, "late"), cell(2, 2, "row"), cell(1, 1, "")};
    second.cells[0].flags = std::vector{VozudOzev::CellFlag::edited};
    second.cells[1].flags = std::vector{VozudOzev::CellFlag::typeMismatch, VozudOzev::CellFlag::edited};
    const struct {
        std::optional<std::int64_t> index;
        std::string preview;
        int flagged;
    } cases[] = {
        {std::nullopt, "r0c0 \u00B7 r0c1", 0},
        {-1, "r0c0 \u00B7 r0c1", 0},
        {2, "r0c0 \u00B7 r0c1", 0},
        {1, "late \u00B7 row", 1},  // empty rows and cells skipped; "edited" alone is no flag
    };
    for (const auto& c : cases) {
        HistoryItem item;
        item.tables = {first, second};
        item.selectedIndex = c.index;
        SCOPED_TRACE(c.preview);
        EXPECT_EQ(item.preview(), c.preview);
        EXPECT_EQ(item.flaggedCount(), c.flagged);
    }
    HistoryItem textOnly;
    EXPECT_EQ(textOnly.selectedTable(), nullptr);
    EXPECT_EQ(textOnly.preview(), "");
    textOnly.lines.push_back({"first line", {}, 1, {}});
    EXPECT_EQ(textOnly.preview(), "first line");
}
