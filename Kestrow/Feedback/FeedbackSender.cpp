#include "Kestrow/Feedback/FeedbackSender.hpp"

#include "Kestrow/Feedback/XdgEmailHandoff.hpp"
#include "Kestrow/Shell/Log.hpp"

#include <QDesktopServices>
#include <QFileInfo>
#include <QMimeData>

namespace Kestrow {

namespace {

QString qt(const std::string& text)
{
    return QString::fromStdString(text);
}

}  // namespace

FeedbackSender::FeedbackSender(MailHandoff& mail, ClipboardWriter& clipboard, QString root, OpenUrl openUrl)
    : mail_(mail), clipboard_(clipboard), root_(std::move(root)), openUrl_(std::move(openUrl))
{
}

FeedbackSender::FeedbackSender(MailHandoff& mail, ClipboardWriter& clipboard)
    : FeedbackSender(mail, clipboard, FeedbackContext::attachmentRoot(),
                     [](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
}

void FeedbackSender::send(const FeedbackDraft& draft, const FeedbackContext& context, const FeedbackSystemInfo& info,
                          std::function<void(const Report&)> done)
{
    QStringList files;
    try {
        files = context.writeAttachments(draft, root_);
    } catch (const std::exception& error) {
        // The mail goes out without attachments; what was written waits for the next launch.
        Log::line(QStringLiteral("feedback attachments not written: ") + QString::fromUtf8(error.what()));
    }
    std::vector<std::string> names;
    for (const QString& file : files)
        names.push_back(QFileInfo(file).fileName().toStdString());
    const MailDraft mail{supportAddress, qt(draft.subject()), qt(draft.body(info, names)), files};
    const QString folder = files.isEmpty() ? QString() : QFileInfo(files.front()).absolutePath();
    std::weak_ptr<bool> alive = alive_;
    mail_.compose(mail, [this, alive, draft, info, folder, done = std::move(done)](bool taken) {
        if (alive.expired())
            return;
        // Attachments stay until the next launch on both roads: a mail program may read
        // them only when the mail is sent, and on the fallback the user attaches them.
        if (taken) {
            done({Outcome::composedDraft, folder});
            return;
        }
        copyText(draft, info);
        const std::optional<QUrl> link = mailtoURL(draft, info, supportAddress);
        const bool opened = link && openUrl_ && openUrl_(*link);
        done({opened ? Outcome::openedMailLink : Outcome::copiedOnly, folder});
    });
}

void FeedbackSender::copyText(const FeedbackDraft& draft, const FeedbackSystemInfo& info)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(copiedText(draft, info));
    clipboard_.setMimeData(std::move(data));
}

QString FeedbackSender::copiedText(const FeedbackDraft& draft, const FeedbackSystemInfo& info)
{
    return QStringLiteral("To: ") + supportAddress + QStringLiteral("\nSubject: ") + qt(draft.subject()) +
           QStringLiteral("\n\n") + qt(draft.body(info, {}));
}

std::optional<QUrl> FeedbackSender::mailtoURL(const FeedbackDraft& draft, const FeedbackSystemInfo& info,
                                              const QString& to)
{
    const MailDraft mail{to, qt(draft.subject()), qt(draft.body(info, {})), {}};
    const QUrl url = QUrl::fromEncoded(XdgEmailHandoff::link(mail).toLatin1(), QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QStringLiteral("mailto"))
        return std::nullopt;
    return url;
}

}  // namespace Kestrow
