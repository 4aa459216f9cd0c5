#pragma once

#include "Kestrow/Feedback/FeedbackContext.hpp"
#include "Kestrow/Feedback/FeedbackDraft.hpp"
#include "Kestrow/Feedback/FeedbackSender.hpp"
#include "Kestrow/Feedback/FeedbackSystemInfo.hpp"

#include <QWidget>

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QScrollArea;

namespace Kestrow {

class ThemedButton;

// The form of the "Send Feedback" window: kind, message, reply address, the attachments
// the caller offers (off until ticked), the technical details that go along, and the
// actions that copy the text or hand the draft to the mail program.
class FeedbackView final : public QWidget {
    Q_OBJECT
public:
    FeedbackView(FeedbackKind kind, FeedbackContext context, FeedbackSender& sender, FeedbackSystemInfo info,
                 std::function<void()> onClose, QWidget* parent = nullptr);

    const FeedbackDraft& draft() const { return draft_; }
    // The notice line's text, empty while none is shown.
    QString notice() const;

    static QString kindLabel(FeedbackKind kind);
    // What the notice says after a send.
    static QString noticeFor(FeedbackSender::Outcome outcome);

    // Return presses "Open in Mail" while it is enabled; Esc cancels.
    void keyPressEvent(QKeyEvent* event) override;

private:
    QWidget* makeKindPicker();
    QWidget* makeAttachments();
    void refresh();
    void applyPalette();
    void send();
    // folder: where written attachments wait; taken: the mail program took the draft.
    void showNotice(const QString& text, const QString& folder, bool taken);

    FeedbackContext context_;
    FeedbackSender& sender_;
    FeedbackSystemInfo info_;
    std::function<void()> onClose_;
    FeedbackDraft draft_;
    QString notice_;

    QButtonGroup* kinds_ = nullptr;
    QPlainTextEdit* message_ = nullptr;
    QLineEdit* reply_ = nullptr;
    QLabel* warning_ = nullptr;
    QCheckBox* imageToggle_ = nullptr;
    QWidget* imagePreview_ = nullptr;
    QCheckBox* tableToggle_ = nullptr;
    QPlainTextEdit* tablePreview_ = nullptr;
    QLabel* noticeLabel_ = nullptr;
    ThemedButton* copy_ = nullptr;
    ThemedButton* open_ = nullptr;
};

}  // namespace Kestrow
