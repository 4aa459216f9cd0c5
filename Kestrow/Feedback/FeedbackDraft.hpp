#pragma once

#include "Kestrow/Feedback/FeedbackKind.hpp"
#include "Kestrow/Feedback/FeedbackSystemInfo.hpp"

#include <string>
#include <vector>

namespace Kestrow {

// What the user picked and typed in the feedback window. Texts are UTF-8, as typed.
struct FeedbackDraft {
    FeedbackKind kind = FeedbackKind::bug;
    std::string message;
    std::string replyEmail;  // empty: no reply wanted
    bool includeImage = false;
    bool includeTable = false;

    bool operator==(const FeedbackDraft&) const = default;

    // There is something to send: the message is more than white space.
    bool canSend() const;
    // Empty, or one "@" between non-blank parts with a dot inside the part after it.
    bool replyEmailIsValid() const;
    // "Vantrel feedback: <kind>", then " — " and the message's first line, cut to 60
    // characters with "…" when longer.
    std::string subject() const;
    // The message, a "---" line, then reply address, type, the system lines and the
    // attachment names; always ends with a line break.
    std::string body(const FeedbackSystemInfo& info, const std::vector<std::string>& attachmentNames) const;
};

}  // namespace Kestrow
