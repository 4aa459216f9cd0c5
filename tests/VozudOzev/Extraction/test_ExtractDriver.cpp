// The extraction driver as scripts use it: exit codes, output and errors.
#include "VozudOzev/Model/EngineOutput.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Model/StructureFile.hpp"

#include <array>
#include <cstdio>
#include <fstream>
#include "VozudOzev/Extraction/DocumentsEngine.hpp"

#include <gtest/gtest.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

struct DriverRun {
    int code = -1;
    std::string out;
    std::string err;
};

DriverRun run(const std::string& args)
{
    // ctest runs test cases as parallel processes: each run needs a file of its own.
    static int counter = 0;
    const std::string errFile =
        testing::TempDir() + "/driver-stderr-" + std::to_string(getpid()) + "-" + std::to_string(++counter) + ".txt";
    const std::string cmd = std::string(VANTREL_EXTRACT_TOOL) + " " + args + " 2>" + errFile;
    DriverRun r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p)
        return r;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), p)) > 0)
        r.out.append(buf.data(), n);
    const int status = pclose(p);
    r.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::ifstream e(errFile);
    std::stringstream ss;
    ss << e.rdbuf();
    r.err = ss.str();
    std::remove(errFile.c_str());
    return r;
}

std::string fixture(const std::string& name)
{
    return std::string(VANTREL_SOURCE_DIR) + "/tests/fixtures/images/" + name;
}

}  // namespace

TEST(ExtractDriver, WritesTheEngineOutput)
{
    const DriverRun r = run(fixture("table-unruled.png"));
    ASSERT_EQ(r.code, 0) << r.err;
    const auto out = VozudOzev::JSONIO::decode<VozudOzev::EngineOutput>(r.out);
    EXPECT_EQ(out.engine, "A");  // no models here: the document engine
    EXPECT_EQ(out.id, "capture");
    EXPECT_EQ(out.imageWidth, 430);
    ASSERT_NE(out.selected(), nullptr);
    EXPECT_EQ(out.selected()->rows, 5);

    const std::string file = testing::TempDir() + "/driver-out-" + std::to_string(getpid()) + ".json";
    const DriverRun toFile = run("--engine text --dpi 144,144 -o " + file + " " + fixture("table-unruled.png"));
    ASSERT_EQ(toFile.code, 0) << toFile.err;
    EXPECT_TRUE(toFile.out.empty());
    std::ifstream f(file);
    std::stringstream ss;
    ss << f.rdbuf();
    EXPECT_EQ(VozudOzev::JSONIO::decode<VozudOzev::EngineOutput>(ss.str()).selected()->cols, 4);
}

TEST(ExtractDriver, ExitCodes)
{
    const struct {
        std::string args;
        int code;
        std::string err;
    } cases[] = {
        {fixture("truncated.png"), 2, "cannot load image: " + fixture("truncated.png")},
        {fixture("huge-header.png"), 2, "cannot load image: "},
        {fixture("text.png"), 2, "cannot load image: "},
        {"/no/such/image.png", 2, "cannot load image: /no/such/image.png"},
        {"", 64, "usage:"},
        {"--engine magic " + fixture("table-unruled.png"), 64, "unknown engine"},
        {"--dpi 0 " + fixture("table-unruled.png"), 64, "usage:"},
        {"--dpi 72,x " + fixture("table-unruled.png"), 64, "usage:"},
        {"--bogus " + fixture("table-unruled.png"), 64, "unknown option"},
        {"-o", 64, "usage:"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const DriverRun r = run(c.args);
        EXPECT_EQ(r.code, c.code);
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
    }
}

TEST(ExtractDriver, EnginesAndFormats)
{
    const struct {
        std::string args;
        std::string want;
    } cases[] = {
        {"--engine rules", "\"engine\" : \"B+\""},
        {"--engine document", "\"engine\" : \"A\""},
        {"--format csv", "\xEF\xBB\xBFNo.,Item,Qty,Price\r\n"},
        {"--format tsv", "No.\tItem\tQty\tPrice"},
        {"--format html", "<table"},
        {"--format md", "| No. | Item | Qty | Price |"},
        {"--format ai", "<!-- source: table-unruled.png"},
        {"--format doc", "\"vantrel.table/1\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const DriverRun r = run(c.args + " " + fixture("table-unruled.png"));
        EXPECT_EQ(r.code, 0) << r.err;
        EXPECT_NE(r.out.find(c.want), std::string::npos) << r.out.substr(0, 300);
    }
    EXPECT_EQ(run("--format pdf " + fixture("table-unruled.png")).code, 64);
}

TEST(ExtractDriver, TrustFlagsWithoutChangingTexts)
{
    const DriverRun plain = run(fixture("table-unruled.png"));
    const DriverRun strict = run("--trust 1 " + fixture("table-unruled.png"));
    ASSERT_EQ(strict.code, 0) << strict.err;
    const auto a = VozudOzev::JSONIO::decode<VozudOzev::EngineOutput>(plain.out);
    const auto b = VozudOzev::JSONIO::decode<VozudOzev::EngineOutput>(strict.out);
    ASSERT_EQ(a.tables.size(), 1u);
    EXPECT_EQ(a.tables[0].grid(), b.tables[0].grid());
    // Every recognised confidence is below 1, so every cell with text is flagged.
    for (const auto& c : b.tables[0].cells) {
        if (!c.text.empty()) {
            EXPECT_TRUE(c.has(VozudOzev::CellFlag::lowConfidence)) << c.text;
        }
    }

    EXPECT_EQ(run("--trust 2 " + fixture("table-unruled.png")).code, 64);
    EXPECT_EQ(run("--trust " + fixture("table-unruled.png")).code, 0);
}

TEST(ExtractDriver, StructureRoads)
{
    const std::string image = fixture("table-unruled.png");
    const DriverRun assembler = run("--engine assembler --options -cleanText,dashWidth " + image);
    ASSERT_EQ(assembler.code, 0) << assembler.err;
    const auto out = VozudOzev::JSONIO::decode<VozudOzev::EngineOutput>(assembler.out);
    EXPECT_EQ(out.engine, "tf_struct");
    ASSERT_NE(out.selected(), nullptr);
    EXPECT_EQ(out.selected()->rows, 5);
    EXPECT_NE(out.notes.back().find("parallel: ocr "), std::string::npos);

    const DriverRun noModels = run("--engine structure --models /no/models " + image);
    EXPECT_EQ(noModels.code, 1);
    EXPECT_NE(noModels.err.find("model RizoviRarir not found in /no/models"), std::string::npos) << noModels.err;

    // Without models the default road is the document engine, and its notes say why.
    const DriverRun autoRoad = run("--models /no/models " + image);
    ASSERT_EQ(autoRoad.code, 0) << autoRoad.err;
    const auto autoOut = VozudOzev::JSONIO::decode<VozudOzev::EngineOutput>(autoRoad.out);
    EXPECT_EQ(autoOut.engine, "A");
    ASSERT_FALSE(autoOut.notes.empty());
    EXPECT_EQ(autoOut.notes.front(), VozudOzev::DocumentsEngine::withoutModelsNote);

    EXPECT_EQ(run("--structure-only " + image).code, 64);
    EXPECT_EQ(run("--engine structure --structure-only --models /no/models " + image).code, 1);
}

TEST(ExtractDriver, StructureRoadWithDesignedModels)
{
    // Small designed weights: the tags are known, the texts come from the OCR of the page.
    const std::string models = std::string(VANTREL_SOURCE_DIR) + "/tools/fixtures/tableformer/designed";
    const std::string image = fixture("table-ruled-144dpi.png");

    const DriverRun structureOnly = run("--engine structure --structure-only --models " + models + " " + image);
    ASSERT_EQ(structureOnly.code, 0) << structureOnly.err;
    const auto file = VozudOzev::JSONIO::decode<VozudOzev::StructureFile>(structureOnly.out);
    EXPECT_EQ(file.imageWidth, 860);
    ASSERT_EQ(file.tables.size(), 1u);
    EXPECT_FALSE(file.tables[0].cells.empty());

    for (const std::string engine : {"structure", "auto"}) {
        SCOPED_TRACE(engine);
        const DriverRun r = run("--engine " + engine + " --models " + models + " " + image);
        ASSERT_EQ(r.code, 0) << r.err;
        const auto out = VozudOzev::JSONIO::decode<VozudOzev::EngineOutput>(r.out);
        EXPECT_EQ(out.engine, "tf_struct");
        EXPECT_FALSE(out.tables.empty());
        EXPECT_NE(out.notes.back().find("parallel: ocr "), std::string::npos);
    }
}
