#include "Kestrow/Result/ColumnMappingView.hpp"

#include "Kestrow/Shell/Palette.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Typography.hpp"
#include "KestrowEditor/ColumnMappingChoice.hpp"
#include "VozudOzev/Model/CellRef.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QScrollArea>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

QString letters(int index)
{
    return QString::fromStdString(VozudOzev::CellRef::column(index));
}

QLabel* label(const QString& text, const QFont& font, const char* name, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

}  // namespace

ColumnMappingView::ColumnMappingView(VozudOzev::StitchTables::MappingRequest request, Done onDone, Cancel onCancel,
                                     Cancel onClosed, QWidget* parent)
    : QWidget(parent),
      request_(std::move(request)),
      onDone_(std::move(onDone)),
      onCancel_(std::move(onCancel)),
      onClosed_(std::move(onClosed)),
      choice_(KestrowEditor::ColumnMappingChoice::initial(request_))
{
    setObjectName(QStringLiteral("ColumnMappingView"));
    setAttribute(Qt::WA_StyledBackground);
    setMinimumSize(420, 280);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(12);
    column->addWidget(label(tr("Match columns"), Typography::ui(15, QFont::DemiBold), "heading", this));
    auto* reason = label(reasonText(request_.reason), Typography::ui(12, QFont::Normal), "muted", this);
    reason->setWordWrap(true);
    column->addWidget(reason);
    auto* hairline = new QFrame(this);
    hairline->setObjectName(QStringLiteral("hairline"));
    hairline->setFixedHeight(1);
    column->addWidget(hairline);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("rows"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* rows = new QWidget(scroll);
    rows->setObjectName(QStringLiteral("rowsContent"));
    rows->setAttribute(Qt::WA_StyledBackground);
    scroll->viewport()->setAutoFillBackground(false);
    auto* grid = new QGridLayout(rows);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(8);
    grid->addWidget(label(tr("New capture"), Typography::ui(12, QFont::Medium), "muted", rows), 0, 0);
    grid->addWidget(label(tr("Goes to"), Typography::ui(12, QFont::Medium), "muted", rows), 0, 1);
    const int base = static_cast<int>(request_.baseHeaders.size());
    for (int i = 0; i < static_cast<int>(request_.nextHeaders.size()); ++i) {
        auto* name = label(rowLabel(request_, i), Typography::grid(12.5, QFont::Normal), "rowLabel", rows);
        grid->addWidget(name, i + 1, 0);
        auto* picker = new QComboBox(rows);
        picker->setFixedWidth(200);
        picker->setAccessibleName(name->text());
        for (int j = 0; j < base; ++j)
            picker->addItem(baseLabel(request_, j), j);
        picker->addItem(tr("Don't add"), KestrowEditor::ColumnMappingChoice::dontAdd);
        picker->addItem(tr("New column"), base + i);
        picker->setCurrentIndex(picker->findData(choice_[static_cast<size_t>(i)]));
        connect(picker, &QComboBox::currentIndexChanged, this,
                [this, i, picker](int index) { choose(i, picker->itemData(index).toInt()); });
        grid->addWidget(picker, i + 1, 1);
        pickers_.push_back(picker);
    }
    grid->setRowStretch(static_cast<int>(request_.nextHeaders.size()) + 1, 1);
    grid->setColumnStretch(2, 1);
    scroll->setWidget(rows);
    column->addWidget(scroll, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    cancel_ = new ThemedButton(tr("Cancel"), ThemedButton::Style::secondary, this);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    connect(cancel_, &QPushButton::clicked, this, [this] { answer(onCancel_); });
    buttons->addWidget(cancel_);
    stitch_ = new ThemedButton(tr("Stitch"), ThemedButton::Style::primary, this);
    stitch_->setObjectName(QStringLiteral("stitchButton"));
    stitch_->setDefault(true);
    connect(stitch_, &QPushButton::clicked, this, [this] {
        const auto mapping = KestrowEditor::ColumnMappingChoice::resolved(
            choice_, static_cast<int>(request_.baseHeaders.size()));
        answer([this, mapping] {
            if (onDone_)
                onDone_(mapping);
        });
    });
    buttons->addWidget(stitch_);
    column->addLayout(buttons);

    stitch_->setEnabled(!KestrowEditor::ColumnMappingChoice::hasDuplicates(choice_));
    applyPalette();
    connect(&Theme::shared(), &Theme::changed, this, &ColumnMappingView::applyPalette);
}

QString ColumnMappingView::reasonText(const std::string& reason)
{
    // The recognition library speaks English; its two reasons are translated here.
    const QString text = QString::fromStdString(reason);
    if (text == QLatin1String("Column headers of the two captures do not match."))
        return tr("Column headers of the two captures do not match.");
    static const QRegularExpression counts(
        QStringLiteral(R"(^The captures have (\d+) and (\d+) columns and no header to match them by\.$)"));
    if (const auto m = counts.match(text); m.hasMatch())
        return tr("The captures have %1 and %2 columns and no header to match them by.").arg(m.captured(1), m.captured(2));
    return text;
}

QString ColumnMappingView::rowLabel(const VozudOzev::StitchTables::MappingRequest& request, int i)
{
    const std::string& header = request.nextHeaders.at(static_cast<size_t>(i));
    return header.empty() ? tr("Column ") + letters(i) : QString::fromStdString(header);
}

QString ColumnMappingView::baseLabel(const VozudOzev::StitchTables::MappingRequest& request, int j)
{
    const std::string& header = request.baseHeaders.at(static_cast<size_t>(j));
    return header.empty() ? letters(j) : letters(j) + QStringLiteral(" · ") + QString::fromStdString(header);
}

void ColumnMappingView::choose(int row, int value)
{
    choice_.at(static_cast<size_t>(row)) = value;
    stitch_->setEnabled(!KestrowEditor::ColumnMappingChoice::hasDuplicates(choice_));
}

void ColumnMappingView::answer(const std::function<void()>& action)
{
    if (answered_)
        return;
    answered_ = true;
    if (action)
        action();
}

void ColumnMappingView::closeEvent(QCloseEvent* event)
{
    // A close from the title bar is a Cancel the user should hear about.
    answer(onClosed_ ? onClosed_ : onCancel_);
    QWidget::closeEvent(event);
}

void ColumnMappingView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        cancel_->click();
        return;
    }
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && stitch_->isEnabled()) {
        stitch_->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ColumnMappingView::applyPalette()
{
    const Palette& p = Theme::shared().palette();
    setStyleSheet(QStringLiteral("#ColumnMappingView, #rows, #rowsContent { background: %1; }"
                                 " #ColumnMappingView QLabel { color: %2; } #ColumnMappingView QLabel#muted { color: %3; }"
                                 " #hairline { background: %4; }")
                      .arg(p.window.name(), p.ink.name(), p.muted.name(), p.hairline.name()));
}

}  // namespace Kestrow
