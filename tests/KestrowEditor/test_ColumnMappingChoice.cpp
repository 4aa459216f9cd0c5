#include "KestrowEditor/ColumnMappingChoice.hpp"

#include <gtest/gtest.h>

using namespace KestrowEditor;
using VozudOzev::StitchTables::Mapping;
using VozudOzev::StitchTables::MappingRequest;

namespace {
constexpr auto none = std::nullopt;
}

TEST(ColumnMappingChoice, InitialChoicesTakeTheSuggestionsAndNewColumnsNeverCollide)
{
    const struct {
        const char* name;
        int base;
        Mapping suggested;
        std::vector<int> want;
    } cases[] = {
        {"all absent", 3, {none, none}, {-1, -1}},
        {"base columns kept", 3, {2, 0, 1}, {2, 0, 1}},
        // The stitcher's "new column" is any index past the base: each takes its row's own entry.
        {"two new columns", 2, {0, 2, 2}, {0, 3, 4}},
        {"far beyond", 2, {7, 3}, {2, 3}},
        {"negative is don't add", 2, {-4, 1}, {-1, 1}},
        {"short suggestion list", 2, {1}, {1, -1, -1}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MappingRequest request;
        request.baseHeaders.assign(static_cast<size_t>(c.base), "");
        request.nextHeaders.assign(c.want.size(), "");
        request.suggested = c.suggested;
        const std::vector<int> choice = ColumnMappingChoice::initial(request);
        EXPECT_EQ(choice, c.want);
        EXPECT_FALSE(ColumnMappingChoice::hasDuplicates(choice));
    }
}

TEST(ColumnMappingChoice, ResolvedNumbersNewColumnsInRowOrderAndDuplicatesBlock)
{
    const struct {
        const char* name;
        int base;
        std::vector<int> choice;
        Mapping want;
        bool duplicates;
    } cases[] = {
        {"worked example", 3, {0, -1, 5, 6}, {0, none, 3, 4}, false},
        {"two rows on one base column", 3, {0, 0, -1, 6}, {0, 0, none, 3}, true},
        {"all dropped", 2, {-1, -1}, {none, none}, false},
        {"new columns around a base one", 1, {2, 0, 1}, {1, 0, 2}, false},
        {"one value met twice keeps its index", 2, {4, 3, 4}, {2, 3, 2}, true},
        {"two don't-adds never count", 2, {-1, 1, -1}, {none, 1, none}, false},
        {"empty", 2, {}, {}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ColumnMappingChoice::resolved(c.choice, c.base), c.want);
        EXPECT_EQ(ColumnMappingChoice::hasDuplicates(c.choice), c.duplicates);
    }
}
