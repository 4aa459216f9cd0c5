// Cells are written with their leading fields only; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include "VozudOzev/Export/ExportFormat.hpp"
#include "VozudOzev/Export/JSONExport.hpp"
#include "VozudOzev/Export/TableExport.hpp"
#include "VozudOzev/Export/XLSXWriter.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/Unicode.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include "VozudOzev/Export/ExternalTool.hpp"
#include "VozudOzev/Export/KitchenSink.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

namespace {

EngineOutput outputWith(Table table)
{
    return EngineOutput("capture", "B", 640, 480, 12, {std::move(table)}, std::nullopt, {});
}

ExportFormat::Context context()
{
    const auto at = std::chrono::sys_days{std::chrono::year{2026} / 1 / 5} + std::chrono::hours{13};
    return {SourceInfo{"shot.png", at, "B", 640, 480}, TimeZone::utc(), 0.8};
}

// The kitchen sink plus cell texts that are not UTF-8 at all.
Table brokenSink()
{
    Table t = kitchenSink();
    t.cells.push_back(Cell{2, 1, 1, 1, "bad\xFF\xFE", 0.1});
    t.cells.push_back(Cell{0, 1, 1, 1, "\xC3", std::nullopt, std::nullopt, std::nullopt, true});
    t.cells.push_back(Cell{1, 2, 1, 1, "\xE1\xBA"});
    return t;
}

}  // namespace

TEST(ExportFormat, EveryFormatByName)
{
    EXPECT_EQ(ExportFormat::names(), (std::vector<std::string_view>{"json", "tsv", "html", "csv", "md", "ai", "doc", "xlsx"}));
    const EngineOutput output = outputWith(kitchenSink());
    const Table& t = output.tables[0];
    const auto ctx = context();
    EXPECT_EQ(ExportFormat::render("json", output, ctx), JSONIO::encode(output));
    EXPECT_EQ(ExportFormat::render("tsv", output, ctx), TableExport::tsv(t));
    EXPECT_EQ(ExportFormat::render("html", output, ctx), TableExport::html(t, 1));
    EXPECT_EQ(ExportFormat::render("csv", output, ctx), TableExport::csvFileData(t));
    EXPECT_EQ(ExportFormat::render("md", output, ctx), TableExport::markdown(t, 1));
    EXPECT_EQ(JSONExport::decode(*ExportFormat::render("doc", output, ctx)), JSONExport::document(t, ctx.source, 1));
    EXPECT_EQ(ExportFormat::render("ai", output, ctx)->rfind("<!-- source: shot.png \u00B7 captured 2026-01-05 13:00 \u00B7 0 cells flagged -->\n\n| Khách hàng |", 0), 0u);
    EXPECT_FALSE(ExportFormat::render("xls", output, ctx));
    const auto xlsx = ExportFormat::render("xlsx", output, ctx);
    ASSERT_TRUE(xlsx);
    EXPECT_EQ(xlsx->rfind("PK\x03\x04", 0), 0u);

    // A grid no sheet can hold is refused before anything is built over its slots.
    Table huge;
    huge.rows = XLSXWriter::maxRows + 1;
    huge.cols = XLSXWriter::maxCols;
    EXPECT_THROW(ExportFormat::render("xlsx", outputWith(huge), ctx), VozudOzevError);

    // No selected table: an empty one.
    EngineOutput none = output;
    none.selectedTable.reset();
    EXPECT_EQ(ExportFormat::render("csv", none, ctx), "\xEF\xBB\xBF\r\n");
    EXPECT_EQ(ExportFormat::render("tsv", none, ctx), "");
}

TEST(ExportFormat, InvalidUTF8NeverMakesAnInvalidFile)
{
    const EngineOutput output = outputWith(brokenSink());
    for (std::string_view name : ExportFormat::names()) {
        if (name == "xlsx")
            continue;  // binary; its texts are checked by a workbook reader below
        SCOPED_TRACE(name);
        const auto text = ExportFormat::render(name, output, context());
        ASSERT_TRUE(text);
        EXPECT_TRUE(Unicode::isValid(*text));
        EXPECT_NE(text->find("bad\xEF\xBF\xBD\xEF\xBF\xBD"), std::string::npos);
    }
}

TEST(ExportFormatConsumers, EveryFileDecodesStrictly)
{
    ASSERT_TRUE(ExternalTool::installed(ExternalTool::python));
    ExternalTool::ScratchDir dir;
    const auto script = dir.write("reader.py", R"(import csv, io, json, sys
from html.parser import HTMLParser
name, path = sys.argv[1], sys.argv[2]
if name == 'xlsx':
    import openpyxl
    sheet = openpyxl.load_workbook(path).active
    assert sheet.freeze_panes == 'A2'
    assert any('bad\ufffd\ufffd' in str(c.value) for row in sheet.iter_rows() for c in row)
    print('ok')
    sys.exit(0)
text = open(path, 'rb').read().decode('utf-8', errors='strict')
if name in ('json', 'doc'):
    json.loads(text)
elif name == 'csv':
    assert text.startswith('\ufeff')
    list(csv.reader(io.StringIO(text[1:], newline='')))
elif name == 'html':
    HTMLParser().feed(text)
print('ok')
)");
    const EngineOutput output = outputWith(brokenSink());
    for (std::string_view name : ExportFormat::names()) {
        SCOPED_TRACE(name);
        const auto file = dir.write("out." + std::string(name), *ExportFormat::render(name, output, context()));
        const auto outcome = ExternalTool::run({ExternalTool::python, script, std::string(name), file});
        EXPECT_EQ(outcome.status, 0);
        EXPECT_EQ(outcome.out, "ok\n");
    }
}
