#include "Kestrow/Feedback/FeedbackView.hpp"

#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Typography.hpp"
#include "VozudOzev/Export/TableExport.hpp"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

QLabel* label(const QString& text, double size, QFont::Weight weight, const char* name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    l->setFont(Typography::ui(size, weight));
    return l;
}

QLabel* heading(const QString& text, QWidget* parent)
{
    return label(text, 12, QFont::DemiBold, "heading", parent);
}

QLabel* wrapping(QLabel* l)
{
    l->setWordWrap(true);
    return l;
}

// Asks for no more than its minimum, so the form scrolls only when even that does not fit;
// any room left over still goes to the message.
class MessageEdit final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;
    QSize sizeHint() const override { return {QPlainTextEdit::sizeHint().width(), minimumHeight()}; }
};

}  // namespace

FeedbackView::FeedbackView(FeedbackKind kind, FeedbackContext context, FeedbackSender& sender,
                           FeedbackSystemInfo info, std::function<void()> onClose, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), sender_(sender), info_(std::move(info)),
      onClose_(std::move(onClose))
{
    setObjectName(QStringLiteral("FeedbackView"));
    draft_.kind = kind;

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("form"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* form = new QWidget(scroll);
    form->setObjectName(QStringLiteral("formContent"));
    auto* column = new QVBoxLayout(form);
    column->setContentsMargins(24, 24, 24, 12);
    column->setSpacing(12);

    column->addWidget(makeKindPicker());
    column->addWidget(heading(tr("Message"), form));
    message_ = new MessageEdit(form);
    message_->setObjectName(QStringLiteral("message"));
    message_->setFont(Typography::ui(13, QFont::Normal));
    message_->setMinimumHeight(110);
    message_->setTabChangesFocus(true);
    message_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    message_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(message_, &QPlainTextEdit::textChanged, this, [this] {
        draft_.message = message_->toPlainText().toStdString();
        refresh();
    });
    column->addWidget(message_, 1);

    auto* replyRow = new QHBoxLayout;
    replyRow->setSpacing(8);
    replyRow->addWidget(heading(tr("Reply email (optional)"), form));
    reply_ = new QLineEdit(form);
    reply_->setObjectName(QStringLiteral("reply"));
    reply_->setPlaceholderText(QStringLiteral("name@example.com"));
    reply_->setFont(Typography::ui(13, QFont::Normal));
    connect(reply_, &QLineEdit::textChanged, this, [this](const QString& text) {
        draft_.replyEmail = text.toStdString();
        refresh();
    });
    replyRow->addWidget(reply_, 1);
    column->addLayout(replyRow);
    warning_ = label(tr("That doesn't look like an email address."), 11, QFont::Normal, "warning", form);
    column->addWidget(warning_);

    if (context_.hasImage() || context_.hasTable())
        column->addWidget(makeAttachments());

    auto* details = new QVBoxLayout;
    details->setSpacing(2);
    details->addWidget(heading(tr("Also included (technical details)"), form));
    for (const std::string& line : info_.lines()) {
        auto* l = new QLabel(QString::fromStdString(line), form);
        l->setObjectName(QStringLiteral("detail"));
        l->setFont(Typography::grid(11, QFont::Normal));
        l->setTextInteractionFlags(Qt::TextSelectableByMouse);
        details->addWidget(l);
    }
    column->addLayout(details);

    column->addWidget(wrapping(label(tr("Nothing is sent automatically. “Open in Mail” creates a draft in your mail "
                                        "app to %1; you can read and change it before sending.")
                                         .arg(FeedbackSender::supportAddress),
                                     11, QFont::Normal, "privacy", form)));
    noticeLabel_ = wrapping(label(QString(), 12, QFont::Normal, "notice", form));
    noticeLabel_->setTextFormat(Qt::RichText);
    noticeLabel_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    noticeLabel_->setOpenExternalLinks(false);
    connect(noticeLabel_, &QLabel::linkActivated, this,
            [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
    noticeLabel_->hide();
    column->addWidget(noticeLabel_);
    scroll->setWidget(form);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(24, 12, 24, 24);
    buttons->setSpacing(8);
    copy_ = new ThemedButton(tr("Copy Text"), ThemedButton::Style::secondary, this);
    copy_->setObjectName(QStringLiteral("copyText"));
    connect(copy_, &QPushButton::clicked, this, [this] {
        sender_.copyText(draft_, info_);
        showNotice(tr("Copied. Paste it into an email to %1.").arg(FeedbackSender::supportAddress), {}, false);
    });
    auto* cancel = new ThemedButton(tr("Cancel"), ThemedButton::Style::secondary, this);
    cancel->setObjectName(QStringLiteral("cancel"));
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (onClose_)
            onClose_();
    });
    open_ = new ThemedButton(tr("Open in Mail"), ThemedButton::Style::primary, this);
    open_->setObjectName(QStringLiteral("openInMail"));
    connect(open_, &QPushButton::clicked, this, &FeedbackView::send);
    buttons->addWidget(copy_);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addWidget(open_);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    outer->addWidget(scroll, 1);
    outer->addLayout(buttons);

    connect(&Theme::shared(), &Theme::changed, this, &FeedbackView::applyPalette);
    applyPalette();
    refresh();
    message_->setFocus();
}

QString FeedbackView::kindLabel(FeedbackKind kind)
{
    switch (kind) {
    case FeedbackKind::bug:
        return tr("Bug");
    case FeedbackKind::misreadTable:
        return tr("Misread Table");
    case FeedbackKind::suggestion:
        return tr("Suggestion");
    }
    return {};
}

QString FeedbackView::noticeFor(FeedbackSender::Outcome outcome)
{
    switch (outcome) {
    case FeedbackSender::Outcome::composedDraft:
        return tr("A draft should now be open in your mail app. If none appeared (for example, no mail account is "
                  "set up), use Copy Text and paste it into any email.");
    case FeedbackSender::Outcome::openedMailLink:
        return tr("No mail app could take attachments. The text is copied and a new email is open; attach files "
                  "yourself if needed.");
    case FeedbackSender::Outcome::copiedOnly:
        return tr("Couldn't open a mail app. The text is copied: paste it into an email to %1.")
            .arg(FeedbackSender::supportAddress);
    }
    return {};
}

QString FeedbackView::notice() const
{
    return notice_;
}

QWidget* FeedbackView::makeKindPicker()
{
    auto* row = new QWidget(this);
    row->setObjectName(QStringLiteral("kindPicker"));
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(heading(tr("Type"), row));
    layout->addSpacing(10);
    kinds_ = new QButtonGroup(row);
    kinds_->setExclusive(true);
    int index = 0;
    for (FeedbackKind kind : FeedbackKinds::allCases) {
        auto* segment = new QPushButton(kindLabel(kind), row);
        segment->setObjectName(QStringLiteral("segment"));
        segment->setCheckable(true);
        segment->setChecked(kind == draft_.kind);
        segment->setFont(Typography::ui(12, QFont::Medium));
        segment->setProperty("position", index == 0 ? "first" : index == 2 ? "last" : "middle");
        kinds_->addButton(segment, index++);
        layout->addWidget(segment, 1);
    }
    connect(kinds_, &QButtonGroup::idClicked, this,
            [this](int id) { draft_.kind = FeedbackKinds::allCases[static_cast<size_t>(id)]; });
    return row;
}

QWidget* FeedbackView::makeAttachments()
{
    auto* block = new QWidget(this);
    block->setObjectName(QStringLiteral("attachments"));
    auto* layout = new QVBoxLayout(block);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    layout->addWidget(heading(tr("Attachments (off unless you tick them)"), block));
    if (context_.hasImage()) {
        const QImage& image = *context_.image;
        imageToggle_ = new QCheckBox(tr("Captured image (%1, %2×%3 px)")
                                         .arg(FeedbackContext::imageFileName)
                                         .arg(image.width())
                                         .arg(image.height()),
                                     block);
        imageToggle_->setObjectName(QStringLiteral("includeImage"));
        imageToggle_->setFont(Typography::ui(12, QFont::Normal));
        layout->addWidget(imageToggle_);
        imagePreview_ = new QWidget(block);
        auto* previewLayout = new QVBoxLayout(imagePreview_);
        previewLayout->setContentsMargins(0, 0, 0, 0);
        previewLayout->setSpacing(4);
        auto* picture = new QLabel(imagePreview_);
        picture->setObjectName(QStringLiteral("imagePreview"));
        const QSize fit = image.size().scaled(QSize(470, 90), Qt::KeepAspectRatio).boundedTo(image.size());
        picture->setPixmap(QPixmap::fromImage(image.scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
        picture->setFixedSize(picture->pixmap().size() + QSize(2, 2));
        picture->setAlignment(Qt::AlignCenter);
        previewLayout->addWidget(picture);
        previewLayout->addWidget(wrapping(label(tr("The image may contain sensitive data. Check it before sending."),
                                                11, QFont::Normal, "sensitive", imagePreview_)));
        layout->addWidget(imagePreview_);
        connect(imageToggle_, &QCheckBox::toggled, this, [this](bool on) {
            draft_.includeImage = on;
            refresh();
        });
    }
    if (context_.hasTable()) {
        const VozudOzev::Table& table = *context_.table;
        tableToggle_ = new QCheckBox(
            tr("Result table (%1, %2×%3)").arg(FeedbackContext::tableFileName).arg(table.rows).arg(table.cols), block);
        tableToggle_->setObjectName(QStringLiteral("includeTable"));
        tableToggle_->setFont(Typography::ui(12, QFont::Normal));
        layout->addWidget(tableToggle_);
        tablePreview_ = new QPlainTextEdit(block);
        tablePreview_->setObjectName(QStringLiteral("tablePreview"));
        tablePreview_->setReadOnly(true);
        tablePreview_->setLineWrapMode(QPlainTextEdit::NoWrap);
        tablePreview_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        tablePreview_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        tablePreview_->setFont(Typography::grid(10, QFont::Normal));
        tablePreview_->setPlainText(QString::fromStdString(VozudOzev::TableExport::tsv(table)));
        tablePreview_->setMaximumHeight(80);
        layout->addWidget(tablePreview_);
        connect(tableToggle_, &QCheckBox::toggled, this, [this](bool on) {
            draft_.includeTable = on;
            refresh();
        });
    }
    return block;
}

void FeedbackView::refresh()
{
    const bool validReply = draft_.replyEmailIsValid();
    warning_->setVisible(!validReply);
    if (imagePreview_)
        imagePreview_->setVisible(draft_.includeImage);
    if (tablePreview_)
        tablePreview_->setVisible(draft_.includeTable);
    copy_->setEnabled(draft_.canSend());
    open_->setEnabled(draft_.canSend() && validReply);
}

void FeedbackView::applyPalette()
{
    const Palette& p = Theme::shared().palette();
    const QString segment =
        QStringLiteral("QPushButton#segment { color: %1; background: %2; border: 1px solid %3; padding: 4px 10px; }"
                       "QPushButton#segment[position=\"first\"] { border-top-left-radius: 6px; "
                       "border-bottom-left-radius: 6px; }"
                       "QPushButton#segment[position=\"last\"] { border-top-right-radius: 6px; "
                       "border-bottom-right-radius: 6px; }"
                       "QPushButton#segment:checked { color: %4; background: %5; border-color: %5; }")
            .arg(p.ink.name(), p.card.name(), p.hairline.name(), p.primaryText.name(), p.primaryFill.name());
    setStyleSheet(
        QStringLiteral("#FeedbackView, #formContent { background: %1; }"
                       "QLabel { color: %2; background: transparent; }"
                       "QLabel#detail, QLabel#privacy { color: %3; }"
                       "QLabel#warning, QLabel#sensitive { color: %4; }"
                       "QLabel#notice { color: %5; }"
                       "QCheckBox { color: %2; }"
                       "QPlainTextEdit#message, QLineEdit#reply { color: %2; background: %6; border: 1px solid %7; "
                       "border-radius: 6px; padding: 4px; }"
                       "QPlainTextEdit#tablePreview { color: %3; background: %6; border: 1px solid %7; }"
                       "QLabel#imagePreview { border: 1px solid %7; border-radius: 4px; }")
            .arg(p.window.name(), p.ink.name(), p.muted.name(), p.flagText.name(), p.ok.name(), p.card.name(),
                 p.hairline.name()) +
        segment);
}

void FeedbackView::send()
{
    QPointer<FeedbackView> self(this);
    sender_.send(draft_, context_, info_, [self](const FeedbackSender::Report& report) {
        if (self)
            self->showNotice(noticeFor(report.outcome), report.attachmentFolder,
                             report.outcome == FeedbackSender::Outcome::composedDraft);
    });
}

void FeedbackView::showNotice(const QString& text, const QString& folder, bool taken)
{
    notice_ = text;
    QString html = text.toHtmlEscaped();
    // Many mail programs drop attachments handed over in a link; the files wait in their
    // folder until the next launch, and the notice says where.
    if (!folder.isEmpty()) {
        const QString line = taken ? tr("If the files are not attached, add them from %1.")
                                   : tr("The files to attach are in %1.");
        notice_ += u'\n' + line.arg(folder);
        html += QStringLiteral("<br>") +
                line.toHtmlEscaped().arg(QStringLiteral("<a href=\"%1\">%2</a>")
                                             .arg(QUrl::fromLocalFile(folder).toString(QUrl::FullyEncoded).toHtmlEscaped(),
                                                  folder.toHtmlEscaped()));
    }
    noticeLabel_->setText(html);
    noticeLabel_->show();
}

void FeedbackView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        if (onClose_)
            onClose_();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        if (open_->isEnabled())
            send();
        return;
    }
    QWidget::keyPressEvent(event);
}

}  // namespace Kestrow
