#pragma once

#include "Kestrow/Feedback/MailHandoff.hpp"

#include <optional>

namespace Kestrow {

// Through xdg-email, started with an argument list (no shell ever reads the text). The
// subject and body travel fully percent-encoded inside a mailto link, so the script's own
// re-encoding (which mangles backslashes) never sees them; attachments follow as --attach.
// xdg-email may wait for the mail program it started: still running after `patienceMs`
// counts as taken, and the process is left to finish on its own.
class XdgEmailHandoff final : public MailHandoff {
public:
    // program: the xdg-email to run; empty: the one on PATH.
    explicit XdgEmailHandoff(QString program = {}, int patienceMs = 3000);
    void compose(const MailDraft& draft, Done done) override;

    // The mailto link of a draft: all but letters, digits and "-._~" percent-encoded in
    // subject and body, so the link is plain ASCII with nothing a shell would act on.
    static QString link(const MailDraft& draft);
    // The argument list handed to the program; none when an attachment's path holds a
    // character the script would not pass on intact.
    static std::optional<QStringList> arguments(const MailDraft& draft);

private:
    QString program_;
    int patienceMs_;
};

}  // namespace Kestrow
