#pragma once

#include <QString>

#include <array>
#include <optional>

namespace Kestrow {

// The help window's pages, in the sidebar's order.
enum class HelpTopic { start, shortcuts, reading, privacy, contact };

namespace HelpTopics {
inline constexpr std::array<HelpTopic, 5> all{HelpTopic::start, HelpTopic::shortcuts, HelpTopic::reading,
                                              HelpTopic::privacy, HelpTopic::contact};
// "start", "shortcuts", ...: exact, lower case; anything else gives nothing.
QString rawValue(HelpTopic topic);
std::optional<HelpTopic> fromRaw(const QString& raw);
// The sidebar row and page heading, translated.
QString title(HelpTopic topic);
// The symbol drawn beside the title (a name among the application's symbols).
QString symbol(HelpTopic topic);
// A link inside a help text that opens a topic: "topic:<raw>".
QString link(HelpTopic topic);
std::optional<HelpTopic> fromLink(const QString& href);
}  // namespace HelpTopics

}  // namespace Kestrow
