#include "Kestrow/Help/HelpTopic.hpp"

#include <QCoreApplication>

namespace Kestrow::HelpTopics {

namespace {
const QString linkScheme = QStringLiteral("topic:");
}

QString rawValue(HelpTopic topic)
{
    switch (topic) {
    case HelpTopic::start: return QStringLiteral("start");
    case HelpTopic::shortcuts: return QStringLiteral("shortcuts");
    case HelpTopic::reading: return QStringLiteral("reading");
    case HelpTopic::privacy: return QStringLiteral("privacy");
    case HelpTopic::contact: return QStringLiteral("contact");
    }
    return {};
}

std::optional<HelpTopic> fromRaw(const QString& raw)
{
    for (const HelpTopic topic : all)
        if (rawValue(topic) == raw)
            return topic;
    return std::nullopt;
}

QString title(HelpTopic topic)
{
    switch (topic) {
    case HelpTopic::start: return QCoreApplication::translate("HelpView", "Get Started");
    case HelpTopic::shortcuts: return QCoreApplication::translate("HelpView", "Shortcuts");
    case HelpTopic::reading: return QCoreApplication::translate("HelpView", "How Tables Are Read");
    case HelpTopic::privacy: return QCoreApplication::translate("HelpView", "Privacy");
    case HelpTopic::contact: return QCoreApplication::translate("HelpView", "Contact");
    }
    return {};
}

QString symbol(HelpTopic topic)
{
    switch (topic) {
    case HelpTopic::start: return QStringLiteral("welcome");
    case HelpTopic::shortcuts: return QStringLiteral("command");
    case HelpTopic::reading: return QStringLiteral("tablecells");
    case HelpTopic::privacy: return QStringLiteral("lock");
    case HelpTopic::contact: return QStringLiteral("mail");
    }
    return {};
}

QString link(HelpTopic topic) { return linkScheme + rawValue(topic); }

std::optional<HelpTopic> fromLink(const QString& href)
{
    if (!href.startsWith(linkScheme))
        return std::nullopt;
    return fromRaw(href.mid(linkScheme.size()));
}

}  // namespace Kestrow::HelpTopics
