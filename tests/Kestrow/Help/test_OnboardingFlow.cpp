#include "Kestrow/Help/OnboardingFlow.hpp"

#include <gtest/gtest.h>

using namespace Kestrow;
using namespace Kestrow::OnboardingFlow;

namespace {
const char* name(Step s)
{
    switch (s) {
    case Step::welcome: return "welcome";
    case Step::shortcuts: return "shortcuts";
    case Step::permission: return "permission";
    case Step::sample: return "sample";
    }
    return "?";
}
}  // namespace

TEST(OnboardingFlow, ThePermissionStepIsShownOnlyWhereTheScreenCannotBeRead)
{
    EXPECT_EQ(steps(true), (std::vector<Step>{Step::welcome, Step::shortcuts, Step::sample}));
    EXPECT_EQ(steps(false), (std::vector<Step>{Step::welcome, Step::shortcuts, Step::permission, Step::sample}));
    EXPECT_EQ(count(true), 3);
    EXPECT_EQ(count(false), 4);
}

TEST(OnboardingFlow, WhereANewWindowStarts)
{
    const struct {
        bool fromStart, done, granted, pending;
        Step want;
    } cases[] = {
        {false, false, true, false, Step::welcome},     // first launch
        {true, true, false, true, Step::welcome},       // "Show Welcome Again" always starts at the start
        {false, true, false, false, Step::permission},  // done, but this session cannot capture
        {false, false, false, true, Step::permission},  // a request waits for a relaunch
        {false, false, false, false, Step::welcome},
        {false, true, true, true, Step::welcome},       // X11: there is no permission step to return to
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.fromStart << c.done << c.granted << c.pending);
        EXPECT_STREQ(name(initialStep(c.fromStart, c.done, c.granted, c.pending)), name(c.want));
    }
}

TEST(OnboardingFlow, MovesAmongTheStepsShownAndStopsAtTheEnds)
{
    const struct {
        Step from;
        int delta;
        bool granted;
        std::optional<Step> want;
    } cases[] = {
        {Step::welcome, -1, true, std::nullopt},
        {Step::welcome, 1, true, Step::shortcuts},
        {Step::shortcuts, 1, true, Step::sample},  // no permission step on X11
        {Step::sample, -1, true, Step::shortcuts},
        {Step::sample, 1, true, std::nullopt},
        {Step::shortcuts, 1, false, Step::permission},
        {Step::permission, 1, false, Step::sample},  // "Later"
        {Step::permission, -1, false, Step::shortcuts},
        {Step::sample, 1, false, std::nullopt},
        {Step::permission, 1, true, std::nullopt},  // a step not shown goes nowhere
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << name(c.from) << " " << c.delta << " granted " << c.granted);
        const std::optional<Step> got = go(c.from, c.delta, c.granted);
        EXPECT_EQ(got.has_value(), c.want.has_value());
        if (got && c.want) {
            EXPECT_STREQ(name(*got), name(*c.want));
        }
    }
}

TEST(OnboardingFlow, FooterButtonsAndPosition)
{
    const struct {
        Step step;
        bool granted;
        Forward forward;
        bool back;
        int position;
    } cases[] = {
        {Step::welcome, true, Forward::continueOn, false, 1},
        {Step::shortcuts, true, Forward::continueOn, true, 2},
        {Step::sample, true, Forward::startUsing, true, 3},
        {Step::permission, false, Forward::later, true, 3},
        {Step::sample, false, Forward::startUsing, true, 4},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(name(c.step));
        EXPECT_EQ(forward(c.step, c.granted), c.forward);
        EXPECT_EQ(showsBack(c.step), c.back);
        EXPECT_EQ(position(c.step, c.granted), c.position);
    }
}
