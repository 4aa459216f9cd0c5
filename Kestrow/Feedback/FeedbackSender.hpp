#pragma once

#include "Kestrow/Feedback/FeedbackContext.hpp"
#include "Kestrow/Feedback/FeedbackDraft.hpp"
#include "Kestrow/Feedback/MailHandoff.hpp"
#include "Kestrow/Platform/ClipboardWriter.hpp"

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>
#include <optional>

namespace Kestrow {

// Hands a finished draft to the user's mail program; the application itself sends nothing.
// When no mail program takes it, the text goes on the clipboard and a mailto link opens.
class FeedbackSender {
public:
    enum class Outcome {
        composedDraft = 0,   // the mail program took the draft with its attachments
        openedMailLink = 1,  // text copied, a mailto link opened
        copiedOnly = 2,      // text copied; no link could be formed or opened
    };
    struct Report {
        Outcome outcome = Outcome::copiedOnly;
        // Where the written attachments are kept until the next launch, for the user to
        // attach by hand when the mail program did not take them; empty when none.
        QString attachmentFolder;
    };
    using OpenUrl = std::function<bool(const QUrl&)>;

    static inline const QString supportAddress = QStringLiteral("feedback@vantrel.app");

    // root: where attachment folders are written; openUrl: the desktop's link opener.
    FeedbackSender(MailHandoff& mail, ClipboardWriter& clipboard, QString root, OpenUrl openUrl);
    FeedbackSender(MailHandoff& mail, ClipboardWriter& clipboard);

    // Writes the ticked attachments, then offers the draft to the mail program; `done`
    // gets the outcome once it is known (not after this sender is gone).
    void send(const FeedbackDraft& draft, const FeedbackContext& context, const FeedbackSystemInfo& info,
              std::function<void(const Report&)> done);
    // "To:", "Subject:" and the body without attachment names, as plain text on the clipboard.
    void copyText(const FeedbackDraft& draft, const FeedbackSystemInfo& info);

    static QString copiedText(const FeedbackDraft& draft, const FeedbackSystemInfo& info);
    // mailto:<to>?subject=…&body=… (body without attachment names); none when no valid
    // link results.
    static std::optional<QUrl> mailtoURL(const FeedbackDraft& draft, const FeedbackSystemInfo& info, const QString& to);

    const QString& root() const { return root_; }

private:
    MailHandoff& mail_;
    ClipboardWriter& clipboard_;
    QString root_;
    OpenUrl openUrl_;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace Kestrow
