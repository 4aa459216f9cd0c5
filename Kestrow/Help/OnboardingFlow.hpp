#pragma once

#include <optional>
#include <vector>

// The welcome window's steps and how it moves between them, free of any widget.
// The permission step exists only where the screen cannot be read (a native Wayland
// session): on X11 no permission exists, so that step is left out rather than shown
// with advice for a switch that does not exist.
namespace Kestrow::OnboardingFlow {

enum class Step { welcome = 0, shortcuts = 1, permission = 2, sample = 3 };
// The footer's one forward button.
enum class Forward { continueOn, later, startUsing };

// The steps shown, in order.
std::vector<Step> steps(bool granted);
// Where a new window starts. Opened from the start: the welcome. Otherwise a session that
// cannot capture goes straight to the permission step once onboarding was done or a request
// is pending.
Step initialStep(bool fromStart, bool onboardingDone, bool granted, bool pending);
// The step delta steps away among those shown, or nothing at either end.
std::optional<Step> go(Step current, int delta, bool granted);
Forward forward(Step current, bool granted);
bool showsBack(Step current);
// 1-based position among the steps shown, and their count ("Step 2 of 3").
int position(Step current, bool granted);
int count(bool granted);

}  // namespace Kestrow::OnboardingFlow
