#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace Kestrow {

// One mail draft for the user's mail program.
struct MailDraft {
    QString to;
    QString subject;
    QString body;
    QStringList attachments;  // absolute paths

    bool operator==(const MailDraft&) const = default;
};

// Hands a draft to the user's mail program. `done` runs once, later or at once, on the
// calling thread: true when a mail program took the draft.
class MailHandoff {
public:
    using Done = std::function<void(bool taken)>;
    virtual ~MailHandoff() = default;
    virtual void compose(const MailDraft& draft, Done done) = 0;
};

// Takes or refuses every draft as told, at once, and keeps what it was given.
class FakeMailHandoff final : public MailHandoff {
public:
    void compose(const MailDraft& draft, Done done) override
    {
        drafts.push_back(draft);
        done(takes);
    }

    bool takes = true;
    std::vector<MailDraft> drafts;
};

}  // namespace Kestrow
