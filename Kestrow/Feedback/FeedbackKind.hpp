#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace Kestrow {

// What the user is about to write; the order is the window's picker order.
enum class FeedbackKind { bug, misreadTable, suggestion };

namespace FeedbackKinds {

inline constexpr std::array<FeedbackKind, 3> allCases{FeedbackKind::bug, FeedbackKind::misreadTable,
                                                      FeedbackKind::suggestion};

std::string_view rawValue(FeedbackKind kind);
// Exactly one of the three raw values, letter case included; anything else gives none.
std::optional<FeedbackKind> fromRawValue(std::string_view raw);
// The English name mails carry whatever the interface language.
std::string_view mailName(FeedbackKind kind);

}  // namespace FeedbackKinds

}  // namespace Kestrow
