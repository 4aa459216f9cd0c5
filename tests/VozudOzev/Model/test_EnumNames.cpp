#include "VozudOzev/Export/AIContext.hpp"
#include "VozudOzev/Locale/DateOrder.hpp"
#include "VozudOzev/Locale/LocaleSource.hpp"
#include "VozudOzev/Locale/NumberKind.hpp"
#include "VozudOzev/Locale/NumberStyle.hpp"
#include "VozudOzev/Merge/StitchTables.hpp"
#include "VozudOzev/Model/CellFlag.hpp"
#include "VozudOzev/Model/JSONIO.hpp"
#include "VozudOzev/Trust/ColumnType.hpp"

#include <gtest/gtest.h>

#include <set>
#include <string>

using namespace VozudOzev;

namespace {

// Every value has a distinct name that reads back as that value, in its JSON form too; an
// unknown name is refused with a message that says what was expected.
template <class Enum, class FromRaw>
void expectNamesRoundTrip(std::initializer_list<Enum> values, FromRaw fromRaw, const std::string& what)
{
    std::set<std::string_view> seen;
    for (Enum value : values) {
        const std::string_view name = rawValue(value);
        SCOPED_TRACE(std::string(name));
        EXPECT_FALSE(name.empty());
        EXPECT_TRUE(seen.insert(name).second);
        EXPECT_EQ(fromRaw(name), value);
        EXPECT_EQ(JSONIO::decode<Enum>(JSONIO::encode(value)), value);
    }
    EXPECT_FALSE(fromRaw(""));
    EXPECT_FALSE(fromRaw("no such name"));
    try {
        JSONIO::decode<Enum>("\"no such name\"");
        ADD_FAILURE() << "an unknown " << what << " was read";
    } catch (const JSONIO::DecodingError& e) {
        EXPECT_NE(std::string(e.what()).find("unknown " + what + ": no such name"), std::string::npos) << e.what();
    }
}

}  // namespace

TEST(EnumNames, EveryWrittenNameReadsBack)
{
    expectNamesRoundTrip({CellFlag::lowConfidence, CellFlag::typeMismatch, CellFlag::totalMismatch, CellFlag::edited},
                         cellFlagFromRaw, "cell flag");
    expectNamesRoundTrip({NumberKind::number, NumberKind::currency, NumberKind::percent}, numberKindFromRaw,
                         "number kind");
    expectNamesRoundTrip({NumberStyle::dotDecimal, NumberStyle::commaDecimal}, numberStyleFromRaw, "number style");
    expectNamesRoundTrip({DateOrder::dmy, DateOrder::mdy, DateOrder::ymd}, dateOrderFromRaw, "date order");
    expectNamesRoundTrip({LocaleSource::override, LocaleSource::column, LocaleSource::table, LocaleSource::fallback},
                         localeSourceFromRaw, "locale source");
    expectNamesRoundTrip({ColumnType::number, ColumnType::currency, ColumnType::percent, ColumnType::date,
                          ColumnType::text, ColumnType::empty},
                         columnTypeFromRaw, "column type");
    using StitchTables::MappingMethod;
    expectNamesRoundTrip({MappingMethod::position, MappingMethod::headerNames, MappingMethod::nonEmptyPosition,
                          MappingMethod::manual},
                         StitchTables::mappingMethodFromRaw, "mapping method");
    expectNamesRoundTrip({AIContext::HeaderMode::joined, AIContext::HeaderMode::keepRows}, AIContext::headerModeFromRaw,
                         "header mode");
}
