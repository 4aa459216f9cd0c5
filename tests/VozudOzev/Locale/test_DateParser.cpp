#include "VozudOzev/Locale/CommaLocale.hpp"
#include "VozudOzev/Locale/DateParser.hpp"
#include "VozudOzev/Locale/LocaleIdentifier.hpp"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace VozudOzev {
namespace {

using P = std::optional<ParsedDate>;

struct CandidateCase {
    std::string text;
    P dmy, mdy, ymd;
};

const std::vector<CandidateCase>& candidateCases()
{
    static const std::vector<CandidateCase> cases = {
        {"25/03/2024", ParsedDate{2024, 3, 25}, {}, {}},
        {"03/25/2024", {}, ParsedDate{2024, 3, 25}, {}},
        {"05/03/2024", ParsedDate{2024, 3, 5}, ParsedDate{2024, 5, 3}, {}},
        {"05/05/2024", ParsedDate{2024, 5, 5}, ParsedDate{2024, 5, 5}, {}},
        {"2024-03-05", {}, {}, ParsedDate{2024, 3, 5}},
        {"2024.3.5", {}, {}, ParsedDate{2024, 3, 5}},
        {" 7.3.2023 ", ParsedDate{2023, 3, 7}, ParsedDate{2023, 7, 3}, {}},
        {"05.03.24", ParsedDate{2024, 3, 5}, ParsedDate{2024, 5, 3}, {}},
        {"31-12-99", ParsedDate{1999, 12, 31}, {}, {}},
        {"29/02/2024", ParsedDate{2024, 2, 29}, {}, {}},
        {"02/29/2000", {}, ParsedDate{2000, 2, 29}, {}},
    };
    return cases;
}

// Texts that must never pass for dates: they are numbers, codes or impossible days.
const std::vector<std::string>& nonDates()
{
    static const std::vector<std::string> texts = {
        "2019", "12.5", "1.234", "1.234.567", "1.2.3", "31/02/2024", "29/02/2023", "29.02.1900", "13/13/2024",
        "2024-13-01", "2024-02-30", "0999-01-01", "1/2/345", "12/05", "12/05/2024 10:30", "2024-03-05T10:00",
        "05/03-2024", "05//2024", "-5/3/2024", "SKU-33418", "INV-2025-4750", "12345/1/1", "", "n/a", "1,5,2024",
    };
    return texts;
}

void checkCandidates()
{
    for (const auto& c : candidateCases()) {
        SCOPED_TRACE(c.text);
        const auto got = DateParser::candidates(c.text);
        ASSERT_TRUE(got);
        EXPECT_EQ(got->dmy, c.dmy);
        EXPECT_EQ(got->mdy, c.mdy);
        EXPECT_EQ(got->ymd, c.ymd);
    }
    for (const auto& text : nonDates()) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(DateParser::candidates(text));
    }
}

TEST(DateParser, ReadsNumericDatesUnderEachOrder)
{
    checkCandidates();
}

TEST(DateParser, ReadsTheSameUnderACommaDecimalLocale)
{
    Testing::CommaLocale comma;
    checkCandidates();
}

TEST(DateParser, ResolvesAColumn)
{
    using O = DateOrder;
    const struct {
        std::string name;
        std::vector<std::string> texts;
        std::optional<DateOrder> override;
        DateOrder fallback;
        DateColumnResolution want;  // order, ambiguous, dayFirstOnly, monthFirstOnly, ambiguousCount, yearFirst
    } cases[] = {
        {"month first wins", {"03/25/2024", "04/30/2024", "05/03/2024"}, {}, O::dmy, {O::mdy, false, 0, 2, 1, 0}},
        {"day first wins", {"25/03/2024", "05/03/2024", "x"}, {}, O::mdy, {O::dmy, false, 1, 0, 1, 0}},
        {"tie: fallback, ambiguous", {"25/03/2024", "03/25/2024"}, {}, O::mdy, {O::mdy, true, 1, 1, 0, 0}},
        {"only ambiguous texts", {"05/03/2024", "06/04/2024"}, {}, O::dmy, {O::dmy, true, 0, 0, 2, 0}},
        {"ymd fallback becomes dmy when ambiguous", {"05/03/2024"}, {}, O::ymd, {O::dmy, true, 0, 0, 1, 0}},
        {"year first", {"2024-03-05", "05/05/2024"}, {}, O::mdy, {O::ymd, false, 0, 0, 0, 1}},
        {"equal readings keep the fallback", {"05/05/2024"}, {}, O::mdy, {O::mdy, false, 0, 0, 0, 0}},
        {"no dates", {"12", "abc"}, {}, O::dmy, {O::dmy, false, 0, 0, 0, 0}},
        {"empty list, override", {}, O::ymd, O::dmy, {O::ymd, false, 0, 0, 0, 0}},
        {"override still counts", {"03/25/2024", "05/03/2024"}, O::dmy, O::mdy, {O::dmy, false, 0, 1, 1, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DateParser::resolveColumn(c.texts, c.override, c.fallback), c.want);
    }
}

TEST(DateOrder, FollowsTheLocaleIdentifier)
{
    const struct {
        std::string id;
        DateOrder want;
    } cases[] = {
        {"en_US", DateOrder::mdy},      {"en", DateOrder::mdy},         {"en_GB", DateOrder::dmy},
        {"es_US", DateOrder::mdy},      {"fil-PH", DateOrder::mdy},     {"en_US.UTF-8", DateOrder::mdy},
        {"zh_CN", DateOrder::ymd},      {"ja", DateOrder::ymd},         {"hu_HU", DateOrder::ymd},
        {"vi_VN", DateOrder::dmy},      {"de-DE", DateOrder::dmy},      {"", DateOrder::mdy},
        {"zh-Hant-TW", DateOrder::ymd}, {"ko_US", DateOrder::mdy},      {"EN-gu", DateOrder::mdy},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        EXPECT_EQ(dateOrder(c.id), c.want);
    }
}

TEST(LocaleIdentifier, SplitsLanguageAndRegion)
{
    EXPECT_EQ(LocaleIdentifier::parse("de_CH"), (LocaleIdentifier{"de", "CH"}));
    EXPECT_EQ(LocaleIdentifier::parse("zh-Hant-tw"), (LocaleIdentifier{"zh", "TW"}));
    EXPECT_EQ(LocaleIdentifier::parse("VI"), (LocaleIdentifier{"vi", std::nullopt}));
    EXPECT_EQ(LocaleIdentifier::parse("__"), (LocaleIdentifier{"en", std::nullopt}));
    EXPECT_EQ(LocaleIdentifier::parse("sr_RS@latin"), (LocaleIdentifier{"sr", "RS"}));

    EXPECT_EQ(LocaleIdentifier::fromPosix("en_US.UTF-8"), "en_US");
    EXPECT_EQ(LocaleIdentifier::fromPosix("vi_VN"), "vi_VN");
    EXPECT_EQ(LocaleIdentifier::fromPosix("de_DE@euro"), "de_DE");
    EXPECT_FALSE(LocaleIdentifier::fromPosix("C.UTF-8"));
    EXPECT_FALSE(LocaleIdentifier::fromPosix("POSIX"));
    EXPECT_FALSE(LocaleIdentifier::fromPosix(""));
}

}  // namespace
}  // namespace VozudOzev
