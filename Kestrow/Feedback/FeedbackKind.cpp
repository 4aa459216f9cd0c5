#include "Kestrow/Feedback/FeedbackKind.hpp"

namespace Kestrow::FeedbackKinds {

std::string_view rawValue(FeedbackKind kind)
{
    switch (kind) {
    case FeedbackKind::bug:
        return "bug";
    case FeedbackKind::misreadTable:
        return "misreadTable";
    case FeedbackKind::suggestion:
        return "suggestion";
    }
    return "bug";
}

std::optional<FeedbackKind> fromRawValue(std::string_view raw)
{
    for (FeedbackKind kind : allCases)
        if (rawValue(kind) == raw)
            return kind;
    return std::nullopt;
}

std::string_view mailName(FeedbackKind kind)
{
    switch (kind) {
    case FeedbackKind::bug:
        return "Bug";
    case FeedbackKind::misreadTable:
        return "Misread table";
    case FeedbackKind::suggestion:
        return "Suggestion";
    }
    return "Bug";
}

}  // namespace Kestrow::FeedbackKinds
