// Cells are written with their leading fields only; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

#include "VozudOzev/Extraction/TableExtraction.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;

TEST(RestoredExtraction, RebuildsAWholeExtractionWithoutStructureTables)
{
    Table a;
    a.rows = 1;
    a.cols = 1;
    a.cells = {Cell{0, 0, 1, 1, "x"}};
    Table b = a;
    b.index = 1;
    const EngineOutput output("capture", "B", 1280, 720, 42.5, {a, b}, "ocr", {"a note"});
    OCRLine line;
    line.text = "x";
    const TableExtraction::Timing timing{10, 20, 35};

    const auto e = TableExtraction::Extraction::restored(output, {line}, timing);
    EXPECT_EQ(e.output, output);
    EXPECT_EQ(e.lines, std::vector<OCRLine>{line});
    EXPECT_EQ(e.timing, timing);
    EXPECT_EQ(e.structure.id, "capture");
    EXPECT_EQ(e.structure.imageWidth, 1280);
    EXPECT_EQ(e.structure.imageHeight, 720);
    EXPECT_FALSE(e.structure.elapsedMs);
    EXPECT_TRUE(e.structure.tables.empty());
}
