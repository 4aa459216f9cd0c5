#include "Kestrow/Result/ResultView.hpp"

#include "Kestrow/Editor/GridContainer.hpp"
#include "Kestrow/Result/ExportSource.hpp"
#include "Kestrow/Result/ResultExports.hpp"
#include "Kestrow/Result/ResultStatus.hpp"
#include "Kestrow/Result/SourcePane.hpp"
#include "Kestrow/Result/SplitHandle.hpp"
#include "Kestrow/Shell/Palette.hpp"
#include "Kestrow/Shell/WindowShortcuts.hpp"
#include "KestrowEditor/EditorCommands.hpp"
#include "KestrowEditor/TableEditing.hpp"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <cstdio>
#include <utility>

namespace Kestrow {

namespace {

QFont uiFont(double size, QFont::Weight weight = QFont::Normal)
{
    QFont f(QStringLiteral("Inter"));
    f.setPointSizeF(size);
    f.setWeight(weight);
    return f;
}

QWidget* hairline(const Palette& p, QWidget* parent)
{
    auto* line = new QWidget(parent);
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    QPalette pal = line->palette();
    pal.setColor(QPalette::Window, p.hairline);
    line->setPalette(pal);
    return line;
}

QString secondaryStyle(const Palette& p)
{
    return QStringLiteral("QPushButton, QToolButton { background: %1; color: %2; border: 1px solid %3; border-radius: 8px;"
                          " padding: 4px 10px; }"
                          "QPushButton:disabled, QToolButton:disabled { color: %4; }"
                          "QToolButton::menu-indicator { image: none; width: 0; }"
                          // The table picker and its list follow the window's palette, not the desktop's.
                          "QComboBox { background: %1; color: %2; border: 1px solid %3; border-radius: 8px;"
                          " padding: 3px 10px; }"
                          "QComboBox::drop-down { border: none; width: 20px; }"
                          "QComboBox QAbstractItemView { background: %1; color: %2; border: 1px solid %3;"
                          " selection-background-color: %5; selection-color: %6; outline: none; }")
        .arg(p.card.name(), p.ink.name(), p.hairline.name(), p.muted.name(), p.accent.name(), QStringLiteral("#ffffff"));
}

QString primaryStyle(const Palette& p)
{
    return QStringLiteral("QPushButton { background: %1; color: %2; border: none; border-radius: 8px; padding: 5px 12px;"
                          " font-weight: 600; }")
        .arg(p.primaryFill.name(), p.primaryText.name());
}

QString colourStyle(const QColor& colour)
{
    return QStringLiteral("color: %1; background: transparent; border: none;").arg(colour.name());
}

// A restored capture may name a table it no longer has: the first table is shown then.
int startIndex(const CaptureResult& result)
{
    const auto& output = result.extraction.output;
    const int count = static_cast<int>(output.tables.size());
    const int selected = output.selectedTable.value_or(0);
    return selected >= 0 && selected < count ? selected : 0;
}

}  // namespace

ResultView::ResultView(CaptureResult result, std::optional<QString> notice, CaptureNext onCaptureNext,
                       ResultEnvironment env, QWidget* parent)
    : QWidget(parent),
      result_(std::move(result)),
      onCaptureNext_(std::move(onCaptureNext)),
      env_(std::move(env)),
      actions_(env_.services, env_.preferences),
      openingThreshold_(env_.preferences().flagThreshold)
{
    setObjectName(QStringLiteral("ResultView"));
    const Palette& p = env_.dark ? Palette::dark() : Palette::light();
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, p.window);
    pal.setColor(QPalette::WindowText, p.ink);
    setPalette(pal);

    // The threshold is held by value: edits here are re-analysed as when the window opened.
    KestrowEditor::EditorDocument::PostProcess hook;
    if (env_.reanalyze)
        hook = [reanalyze = env_.reanalyze, t = openingThreshold_](const VozudOzev::Table& table) {
            return reanalyze(table, t);
        };
    store_ = std::make_unique<KestrowEditor::EditorStore>(result_.extraction.output.tables, hook);
    tableIndex_ = startIndex(result_);
    // A large table's analysis would hold up every edit: it runs beside the window instead.
    analyses_.resize(store_->docs().size());
    for (std::size_t i = 0; i < analyses_.size() && env_.reanalyze; ++i) {
        auto& d = *store_->docs()[i];
        if (d.table().cells.size() <= env_.analysisOnCommitCells)
            continue;
        d.setPostProcess({});
        Analysis& a = analyses_[i].emplace();
        a.done = d.revision();
        a.watcher = new QFutureWatcher<VozudOzev::Table>(this);
        connect(a.watcher, &QFutureWatcherBase::finished, this, [this, i] { analysisFinished(i); });
    }

    debounce_.setSingleShot(true);
    debounce_.setInterval(env_.debounceMs);
    connect(&debounce_, &QTimer::timeout, this, &ResultView::flushWriteBack);
    analysisDelay_.setSingleShot(true);
    analysisDelay_.setInterval(env_.analysisDelayMs);
    connect(&analysisDelay_, &QTimer::timeout, this, &ResultView::startAnalyses);
    storeListener_ = store_->addListener([this] { documentChanged(); });
    connect(qApp, &QCoreApplication::aboutToQuit, this, &ResultView::flushWriteBack);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(makeToolbar());
    column->addWidget(hairline(p, this));
    if (notice) {
        notice_ = makeNoticeBar(*notice);
        column->addWidget(notice_);
    }
    if (doc()) {
        grid_ = new GridContainer(doc(), SourceImage{result_.image, result_.scale}, this);
        // Undo and redo belong to the window, which sends them to the current table.
        grid_->setUndoShortcutsEnabled(false);
        // An edit's re-analysis may still be on its way: the jump uses its cells to check.
        grid_->setBeforeFlagSearch([this] { finishAnalysis(); });
        column->addWidget(grid_, 1);
    } else {
        column->addWidget(makeNoTableView(), 1);
    }
    column->addWidget(new SplitHandle(p.hairline, [this](double dy, bool finished) { dragSplit(dy, finished); }, this));
    source_ = new SourcePane(result_.image, result_.scale, env_.dark, this);
    source_->setFixedHeight(static_cast<int>(imageHeight_));
    column->addWidget(source_);
    column->addWidget(hairline(p, this));
    column->addWidget(makeStatusBar());

    auto* copyKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_C), this);
    copyKey->setContext(Qt::WindowShortcut);
    connect(copyKey, &QShortcut::activated, this, [this] { doc() ? copy() : copyText(); });
    auto* aiKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), this);
    aiKey->setContext(Qt::WindowShortcut);
    connect(aiKey, &QShortcut::activated, this, [this] {
        if (doc())
            copyAIContext();
    });
    WindowShortcuts::setUndoOwner(
        this,
        [this] {
            if (auto* d = doc())
                d->undo();
        },
        [this] {
            if (auto* d = doc())
                d->redo();
        });
    refresh();
}

ResultView::~ResultView()
{
    store_->removeListener(storeListener_);
    // A running analysis may call into what the application gave this window.
    for (auto& a : analyses_)
        if (a)
            a->watcher->waitForFinished();
}

KestrowEditor::EditorDocument* ResultView::doc() const
{
    const auto& docs = store_->docs();
    return tableIndex_ >= 0 && tableIndex_ < static_cast<int>(docs.size()) ? docs[tableIndex_].get() : nullptr;
}

void ResultView::setTableIndex(int index)
{
    if (index == tableIndex_ || index < 0 || index >= static_cast<int>(store_->docs().size()))
        return;
    tableIndex_ = index;
    if (picker_ && picker_->currentIndex() != index)
        picker_->setCurrentIndex(index);
    refresh();
}

VozudOzev::SourceInfo ResultView::exportSource() const
{
    return Kestrow::exportSource(result_, env_.historyItem ? env_.historyItem(result_.id) : std::nullopt);
}

void ResultView::copy()
{
    if (const auto* t = currentTable())
        actions_.copy(*t);
}

void ResultView::copyAIContext()
{
    if (const auto* t = currentTable())
        actions_.copyAIContext(*t, exportSource());
}

void ResultView::copyText()
{
    actions_.copyText(QString::fromStdString(result_.extraction.plainText()));
}

void ResultView::save(SaveFormat format)
{
    if (const auto* t = currentTable())
        actions_.save(format, *t, exportSource(), window());
}

const VozudOzev::Table* ResultView::currentTable()
{
    finishAnalysis();
    auto* d = doc();
    return d ? &d->table() : nullptr;
}

bool ResultView::analysisPending() const
{
    for (std::size_t i = 0; i < analyses_.size(); ++i)
        if (analyses_[i] && analyses_[i]->done != store_->docs()[i]->revision())
            return true;
    return false;
}

void ResultView::finishAnalysis()
{
    for (std::size_t i = 0; i < analyses_.size(); ++i) {
        auto& a = analyses_[i];
        if (!a)
            continue;
        if (a->running >= 0) {
            a->watcher->waitForFinished();
            const int revision = std::exchange(a->running, -1);
            adopt(i, revision, [&] { return a->watcher->result(); });
        }
        const auto& d = *store_->docs()[i];
        if (d.revision() != a->done)
            adopt(i, d.revision(), [&] { return env_.reanalyze(d.table(), openingThreshold_); });
    }
}

void ResultView::startAnalyses()
{
    for (std::size_t i = 0; i < analyses_.size(); ++i) {
        auto& a = analyses_[i];
        const auto& d = *store_->docs()[i];
        // One analysis at a time per table; the newest revision goes next.
        if (!a || a->running >= 0 || d.revision() == a->done)
            continue;
        a->running = d.revision();
        a->watcher->setFuture(QtConcurrent::run(
            [reanalyze = env_.reanalyze, threshold = openingThreshold_, snapshot = d.snapshot()] {
                return reanalyze(snapshot->table(), threshold);
            }));
    }
}

void ResultView::analysisFinished(std::size_t index)
{
    auto& a = analyses_[index];
    if (a->running < 0)
        return;  // already taken by finishAnalysis
    const int revision = std::exchange(a->running, -1);
    adopt(index, revision, [&] { return a->watcher->result(); });
    startAnalyses();
}

void ResultView::adopt(std::size_t index, int revision, const std::function<VozudOzev::Table()>& analysis)
{
    auto& a = analyses_[index];
    auto& d = *store_->docs()[index];
    try {
        const VozudOzev::Table analysed = analysis();
        adopting_ = true;
        const bool taken = d.adoptFlags(revision, analysed);
        adopting_ = false;
        if (taken)
            a->done = d.revision();
    } catch (const std::exception& error) {
        adopting_ = false;
        // The edit stands; its cells to check stay as they were.
        std::fprintf(stderr, "Vantrel: re-analysis of an edited table failed — %s\n", error.what());
        a->done = d.revision();
    }
}

void ResultView::flushWriteBack()
{
    if (!writeBackPending_)
        return;
    finishAnalysis();
    writeBackPending_ = false;
    debounce_.stop();
    if (!env_.writeBack)
        return;
    std::vector<VozudOzev::Table> tables;
    for (const auto& d : store_->docs())
        tables.push_back(d->table());
    env_.writeBack(result_.id, tables, tableIndex_);
}

void ResultView::dragSplit(double dy, bool finished)
{
    const double start = dragStartHeight_.value_or(imageHeight_);
    dragStartHeight_ = start;
    imageHeight_ = ResultStatus::splitDrag(start, dy);
    source_->setFixedHeight(static_cast<int>(imageHeight_));
    if (finished)
        dragStartHeight_.reset();
}

void ResultView::closeEvent(QCloseEvent* event)
{
    // An edit typed just before closing still reaches the history.
    flushWriteBack();
    QWidget::closeEvent(event);
}

void ResultView::documentChanged()
{
    // Started once typing pauses, after the edit has been painted.
    if (!adopting_)
        analysisDelay_.start();
    writeBackPending_ = true;
    debounce_.start();
    refresh();
}

void ResultView::refresh()
{
    const Palette& p = env_.dark ? Palette::dark() : Palette::light();
    const double threshold = env_.preferences().flagThreshold;
    auto* d = doc();
    if (grid_ && d)
        grid_->setInputs(d, threshold, env_.dark ? Palette::dark() : Palette::light());
    if (source_) {
        std::optional<VozudOzev::BBox> box;
        if (d)
            if (const auto anchor = d->selectedAnchor())
                if (const VozudOzev::Cell* cell = d->cell(*anchor))
                    box = cell->bbox;
        source_->setHighlight(box);
    }
    if (undo_ && d) {
        undo_->setEnabled(d->canUndo());
        undo_->setToolTip(ResultStatus::undoHelp(*d));
        redo_->setEnabled(d->canRedo());
        redo_->setToolTip(ResultStatus::redoHelp(*d));
    }
    if (!d)
        return;
    sizeLabel_->setText(ResultStatus::sizeText(d->table().rows, d->table().cols));
    addressLabel_->setText(ResultStatus::addressText(*d));
    addressLabel_->setVisible(d->selectedAnchor().has_value());
    // Styles are set only when they change: a style sheet re-polishes the label.
    const bool flaggedAddress = ResultStatus::selectionNeedsCheck(*d, threshold);
    if (addressFlagged_ != flaggedAddress) {
        addressFlagged_ = flaggedAddress;
        addressLabel_->setStyleSheet(colourStyle(flaggedAddress ? p.flagText : p.muted));
    }
    // Counting looks at every cell: counted again only when the table or the threshold changed.
    if (!flagCount_ || flagCount_->doc != d || flagCount_->revision != d->revision() ||
        flagCount_->threshold != threshold)
        flagCount_ = FlagCount{d, d->revision(), threshold, d->flaggedCount(threshold)};
    const int flagged = flagCount_->count;
    checkButton_->setVisible(flagged > 0);
    reviewedLabel_->setVisible(flagged == 0);
    checkButton_->setText(tr("%n cells to check", nullptr, flagged) + QStringLiteral("   Ctrl+'"));
}

QWidget* ResultView::makeToolbar()
{
    const Palette& p = env_.dark ? Palette::dark() : Palette::light();
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("toolbar"));
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, p.bar);
    bar->setPalette(pal);
    bar->setStyleSheet(secondaryStyle(p));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(16, 8, 16, 8);
    row->setSpacing(8);

    auto* wordmark = new QLabel(tr("vantrel"), bar);
    wordmark->setFont(uiFont(16, QFont::Bold));
    wordmark->setStyleSheet(colourStyle(p.ink));
    row->addWidget(wordmark);

    const auto& tables = result_.extraction.output.tables;
    if (tables.size() >= 2) {
        picker_ = new QComboBox(bar);
        picker_->setObjectName(QStringLiteral("tablePicker"));
        picker_->setFixedWidth(180);
        // The arrow is drawn by the widget style in the palette's text colour.
        QPalette pickerPalette = picker_->palette();
        for (const auto role : {QPalette::ButtonText, QPalette::Text, QPalette::WindowText})
            pickerPalette.setColor(role, p.ink);
        picker_->setPalette(pickerPalette);
        for (size_t i = 0; i < tables.size(); ++i)
            picker_->addItem(ResultStatus::pickerLabel(static_cast<int>(i), tables[i].rows, tables[i].cols));
        picker_->setCurrentIndex(tableIndex_);
        connect(picker_, &QComboBox::currentIndexChanged, this, &ResultView::setTableIndex);
        row->addWidget(picker_);
    }

    if (doc()) {
        undo_ = new QPushButton(QStringLiteral("↶"), bar);
        undo_->setObjectName(QStringLiteral("undoButton"));
        undo_->setAccessibleName(tr("Undo"));
        redo_ = new QPushButton(QStringLiteral("↷"), bar);
        redo_->setObjectName(QStringLiteral("redoButton"));
        redo_->setAccessibleName(tr("Redo"));
        connect(undo_, &QPushButton::clicked, this, [this] {
            if (auto* d = doc())
                d->undo();
        });
        connect(redo_, &QPushButton::clicked, this, [this] {
            if (auto* d = doc())
                d->redo();
        });
        tableMenuButton_ = new QToolButton(bar);
        tableMenuButton_->setObjectName(QStringLiteral("tableMenuButton"));
        tableMenuButton_->setText(tr("Table"));
        tableMenuButton_->setPopupMode(QToolButton::InstantPopup);
        tableMenu_ = new QMenu(tableMenuButton_);
        tableMenu_->setObjectName(QStringLiteral("tableMenu"));
        tableMenuButton_->setMenu(tableMenu_);
        connect(tableMenu_, &QMenu::aboutToShow, this, &ResultView::fillTableMenu);
        auto* edits = new QHBoxLayout;
        edits->setSpacing(4);
        edits->addWidget(undo_);
        edits->addWidget(redo_);
        edits->addWidget(tableMenuButton_);
        row->addLayout(edits);
    }
    row->addStretch(1);

    auto* help = new QPushButton(QStringLiteral("?"), bar);
    help->setObjectName(QStringLiteral("helpButton"));
    help->setToolTip(tr("Vantrel Help"));
    help->setAccessibleName(tr("Help"));
    help->setStyleSheet(colourStyle(p.muted));
    connect(help, &QPushButton::clicked, this, [this] {
        if (env_.showHelp)
            env_.showHelp();
    });
    row->addWidget(help);

    if (onCaptureNext_ && doc()) {
        auto* next = new QPushButton(tr("Capture Next Part"), bar);
        next->setObjectName(QStringLiteral("captureNextButton"));
        next->setToolTip(tr("Capture the next part of a long table and append it (F6)"));
        next->setShortcut(QKeySequence(Qt::Key_F6));
        connect(next, &QPushButton::clicked, this, [this] {
            if (auto* d = doc())
                onCaptureNext_(d->table());
        });
        row->addWidget(next);
    }

    if (doc()) {
        auto* copyButton = new QPushButton(tr("Copy"), bar);
        copyButton->setObjectName(QStringLiteral("copyButton"));
        copyButton->setStyleSheet(primaryStyle(p));
        connect(copyButton, &QPushButton::clicked, this, &ResultView::copy);
        row->addWidget(copyButton);

        auto* exportButton = new QToolButton(bar);
        exportButton->setObjectName(QStringLiteral("exportButton"));
        exportButton->setText(tr("Export"));
        exportButton->setPopupMode(QToolButton::InstantPopup);
        auto* menu = new QMenu(exportButton);
        menu->setObjectName(QStringLiteral("exportMenu"));
        menu->addAction(tr("Copy As Shown"), this, [this] {
            if (const auto* t = currentTable())
                actions_.copyAsShown(*t);
        });
        menu->addAction(tr("Copy Normalized Values"), this, [this] {
            if (const auto* t = currentTable())
                actions_.copyNormalized(*t);
        });
        menu->addSeparator();
        menu->addAction(tr("Copy as AI Context") + QStringLiteral("   Ctrl+Shift+C"), this, &ResultView::copyAIContext);
        menu->addAction(tr("Copy as AI Context with Image"), this, [this] {
            if (const auto* t = currentTable())
                actions_.copyAIContextWithImage(*t, exportSource(), result_.image);
        });
        menu->addAction(tr("Copy as Markdown"), this, [this] {
            if (const auto* t = currentTable())
                actions_.copyMarkdown(*t);
        });
        menu->addSeparator();
        menu->addAction(tr("Save XLSX…"), this, [this] { save(SaveFormat::xlsx); });
        menu->addAction(tr("Save CSV…"), this, [this] { save(SaveFormat::csv); });
        menu->addAction(tr("Save Markdown…"), this, [this] { save(SaveFormat::markdown); });
        menu->addAction(tr("Save JSON…"), this, [this] { save(SaveFormat::json); });
        exportButton->setMenu(menu);
        row->addWidget(exportButton);
    } else {
        auto* copyText = new QPushButton(tr("Copy Text"), bar);
        copyText->setObjectName(QStringLiteral("copyTextButton"));
        copyText->setStyleSheet(primaryStyle(p));
        connect(copyText, &QPushButton::clicked, this, &ResultView::copyText);
        row->addWidget(copyText);
    }
    return bar;
}

void ResultView::fillTableMenu()
{
    tableMenu_->clear();
    auto* d = doc();
    if (!d)
        return;
    for (auto& item : KestrowEditor::EditorCommands::items(*d)) {
        if (!item) {
            tableMenu_->addSeparator();
            continue;
        }
        QAction* action = tableMenu_->addAction(QCoreApplication::translate("EditorCommands", item->title.c_str()), this, item->run);
        action->setEnabled(item->enabled);
    }
}

QWidget* ResultView::makeNoticeBar(const QString& text)
{
    const Palette& p = env_.dark ? Palette::dark() : Palette::light();
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("noticeBar"));
    bar->setAttribute(Qt::WA_StyledBackground);
    QColor tint = p.accent;
    tint.setAlphaF(0.1);
    bar->setStyleSheet(QStringLiteral("#noticeBar { background: %1; border-bottom: 1px solid %2; }")
                           .arg(tint.name(QColor::HexArgb), p.hairline.name()));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(16, 8, 16, 8);
    row->setSpacing(8);
    auto* icon = new QLabel(bar);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(16, 16));
    auto* label = new QLabel(text, bar);
    label->setObjectName(QStringLiteral("noticeText"));
    label->setWordWrap(true);
    label->setFont(uiFont(12));
    label->setStyleSheet(colourStyle(p.ink));
    auto* close = new QPushButton(QStringLiteral("✕"), bar);
    close->setObjectName(QStringLiteral("dismissNotice"));
    close->setAccessibleName(tr("Dismiss"));
    close->setFixedSize(22, 22);
    close->setStyleSheet(colourStyle(p.muted));
    connect(close, &QPushButton::clicked, this, [this] {
        notice_->hide();
        notice_->deleteLater();
        notice_ = nullptr;
    });
    row->addWidget(icon);
    row->addWidget(label, 1);
    row->addWidget(close);
    return bar;
}

QWidget* ResultView::makeNoTableView()
{
    const Palette& p = env_.dark ? Palette::dark() : Palette::light();
    auto* view = new QWidget(this);
    view->setObjectName(QStringLiteral("noTableView"));
    auto* column = new QVBoxLayout(view);
    column->setContentsMargins(16, 16, 16, 16);
    column->setSpacing(8);
    auto* warning = new QLabel(tr("No table structure recognised — showing the text line by line."), view);
    warning->setStyleSheet(colourStyle(p.flagText));
    auto* text = new QPlainTextEdit(QString::fromStdString(result_.extraction.plainText()), view);
    text->setObjectName(QStringLiteral("plainText"));
    text->setReadOnly(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    text->setFont(uiFont(12.5));
    text->setStyleSheet(QStringLiteral("QPlainTextEdit { background: %1; color: %2; border: none; }")
                            .arg(p.window.name(), p.ink.name()));
    column->addWidget(warning);
    column->addWidget(text, 1);
    return view;
}

QWidget* ResultView::makeStatusBar()
{
    const Palette& p = env_.dark ? Palette::dark() : Palette::light();
    auto* bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("statusBar"));
    bar->setAutoFillBackground(true);
    QPalette pal = bar->palette();
    pal.setColor(QPalette::Window, p.bar);
    bar->setPalette(pal);
    bar->setFont(uiFont(12));
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(16, 6, 16, 6);
    row->setSpacing(12);
    if (doc()) {
        sizeLabel_ = new QLabel(bar);
        sizeLabel_->setObjectName(QStringLiteral("tableSize"));
        sizeLabel_->setStyleSheet(colourStyle(p.muted));
        addressLabel_ = new QLabel(bar);
        addressLabel_->setObjectName(QStringLiteral("cellAddress"));
        checkButton_ = new QPushButton(bar);
        checkButton_->setObjectName(QStringLiteral("nextToCheck"));
        checkButton_->setToolTip(tr("Jump to the next cell to check"));
        checkButton_->setStyleSheet(colourStyle(p.flagText));
        checkButton_->setCursor(Qt::PointingHandCursor);
        connect(checkButton_, &QPushButton::clicked, this, [this] { grid_->nextFlagged(); });
        reviewedLabel_ = new QLabel(QStringLiteral("✓ ") + tr("Reviewed"), bar);
        reviewedLabel_->setObjectName(QStringLiteral("reviewed"));
        reviewedLabel_->setStyleSheet(colourStyle(p.ok));
        row->addWidget(sizeLabel_);
        row->addWidget(addressLabel_);
        row->addWidget(checkButton_);
        row->addWidget(reviewedLabel_);
    }
    row->addStretch(1);
    auto* report = new QPushButton(tr("Report Misread Table"), bar);
    report->setObjectName(QStringLiteral("reportButton"));
    report->setToolTip(tr("Tell us about a table that was read wrongly"));
    report->setStyleSheet(colourStyle(p.muted));
    connect(report, &QPushButton::clicked, this, [this] {
        if (!env_.reportMisread)
            return;
        std::optional<VozudOzev::Table> table;
        if (auto* d = doc())
            table = d->table();
        // A capture whose picture was not kept has none to send.
        env_.reportMisread(ResultExports::isPlaceholder(result_.image) ? QImage() : result_.image, table);
    });
    row->addWidget(report);
    auto* time = new QLabel(ResultStatus::timeText(result_.extraction.timing.total), bar);
    time->setObjectName(QStringLiteral("recognitionTime"));
    time->setStyleSheet(colourStyle(p.muted));
    row->addWidget(time);
    auto* keys = new QLabel(QStringLiteral("Ctrl+C"), bar);
    keys->setStyleSheet(QStringLiteral("color: %1; background: %2; border: 1px solid %3; border-radius: 5px; padding: 0 3px;")
                            .arg(p.muted.name(), p.card.name(), p.hairline.name()));
    row->addWidget(keys);
    return bar;
}

}  // namespace Kestrow
