#include "Kestrow/Help/OnboardingFlow.hpp"

#include <algorithm>

namespace Kestrow::OnboardingFlow {

std::vector<Step> steps(bool granted)
{
    if (granted)
        return {Step::welcome, Step::shortcuts, Step::sample};
    return {Step::welcome, Step::shortcuts, Step::permission, Step::sample};
}

Step initialStep(bool fromStart, bool onboardingDone, bool granted, bool pending)
{
    if (fromStart || granted)
        return Step::welcome;
    return onboardingDone || pending ? Step::permission : Step::welcome;
}

std::optional<Step> go(Step current, int delta, bool granted)
{
    const std::vector<Step> shown = steps(granted);
    const auto at = std::find(shown.begin(), shown.end(), current);
    if (at == shown.end())
        return std::nullopt;
    const long index = at - shown.begin();
    const long next = index + delta;
    if (next < 0 || next >= static_cast<long>(shown.size()))
        return std::nullopt;
    return shown[static_cast<size_t>(next)];
}

Forward forward(Step current, bool granted)
{
    if (current == Step::sample)
        return Forward::startUsing;
    if (current == Step::permission && !granted)
        return Forward::later;
    return Forward::continueOn;
}

bool showsBack(Step current) { return current != Step::welcome; }

int position(Step current, bool granted)
{
    const std::vector<Step> shown = steps(granted);
    const auto at = std::find(shown.begin(), shown.end(), current);
    return at == shown.end() ? 0 : static_cast<int>(at - shown.begin()) + 1;
}

int count(bool granted) { return static_cast<int>(steps(granted).size()); }

}  // namespace Kestrow::OnboardingFlow
