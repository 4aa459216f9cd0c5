#include "Kestrow/History/HistoryView.hpp"

#include "Kestrow/History/HistoryListModel.hpp"
#include "Kestrow/History/HistoryRowDelegate.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/History/HistoryText.hpp"
#include "Kestrow/History/HistoryThumbnails.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/ThemedButton.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include "VozudOzev/Export/TableExport.hpp"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace Kestrow {

namespace {

QFrame* hairline(QWidget* parent)
{
    auto* line = new QFrame(parent);
    line->setObjectName(QStringLiteral("hairline"));
    line->setFixedHeight(1);
    return line;
}

QWidget* bar(QWidget* parent, QHBoxLayout*& layout, int vertical, int spacing)
{
    auto* w = new QWidget(parent);
    w->setObjectName(QStringLiteral("bar"));
    w->setAttribute(Qt::WA_StyledBackground);
    layout = new QHBoxLayout(w);
    layout->setContentsMargins(16, vertical, 16, vertical);
    layout->setSpacing(spacing);
    return w;
}

QLabel* text(const QString& s, double points, QFont::Weight weight, QWidget* parent, const char* name = nullptr)
{
    auto* label = new QLabel(s, parent);
    label->setFont(Typography::ui(points, weight));
    label->setAlignment(Qt::AlignCenter);
    if (name != nullptr)
        label->setObjectName(QLatin1String(name));
    return label;
}

// A centred column for the empty and no-matches states.
QWidget* statePage(QWidget* parent, const QString& glyph, QLabel* headline, QWidget* below)
{
    auto* page = new QWidget(parent);
    auto* column = new QVBoxLayout(page);
    column->setSpacing(8);
    column->addStretch();
    QLabel* icon = text(glyph, 24, QFont::Normal, page, "muted");
    column->addWidget(icon);
    column->addWidget(headline);
    column->addWidget(below, 0, Qt::AlignHCenter);
    column->addStretch();
    return page;
}

void copyRaw(const VozudOzev::Table& table)
{
    auto* mime = new QMimeData;
    const QString tsv = QString::fromStdString(VozudOzev::TableExport::tsv(table));
    mime->setHtml(QString::fromStdString(VozudOzev::TableExport::html(table, table.leadingHeaderRows())));
    mime->setText(tsv);
    mime->setData(QStringLiteral("text/tab-separated-values"), tsv.toUtf8());
    QApplication::clipboard()->setMimeData(mime);
}

}  // namespace

HistoryView::HistoryView(HistoryStore& store, std::function<void(const CaptureResult&)> onOpen, QWidget* parent)
    : QWidget(parent), store_(store), onOpen_(std::move(onOpen)), copy_(copyRaw), confirm_(confirmWithMessageBox)
{
    setObjectName(QStringLiteral("HistoryView"));
    setAttribute(Qt::WA_StyledBackground);
    model_ = new HistoryListModel(store_, this);
    // Two device pixels per point keeps thumbnails sharp on scaled screens.
    thumbnails_ = new HistoryThumbnails(store_, QSize(112, 80), this);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    QHBoxLayout* header = nullptr;
    column->addWidget(bar(this, header, 8, 8));
    count_ = text(QString(), 12, QFont::Normal, this, "muted");
    header->addWidget(count_);
    header->addStretch();
    search_ = new QLineEdit(this);
    search_->setObjectName(QStringLiteral("search"));
    search_->setPlaceholderText(tr("Search tables"));
    search_->setAccessibleName(tr("Search history"));
    search_->setClearButtonEnabled(true);
    search_->setFixedWidth(200);
    header->addWidget(search_);
    open_ = new ThemedButton(tr("Open"), ThemedButton::Style::primary, this);
    open_->setObjectName(QStringLiteral("open"));
    open_->setDefault(true);
    header->addWidget(open_);
    column->addWidget(hairline(this));

    pages_ = new QStackedWidget(this);
    auto* emptyBelow = text(tr("Tables you capture appear here."), 12, QFont::Normal, this, "muted");
    pages_->addWidget(statePage(pages_, QStringLiteral("\u25F7"), text(tr("No captures yet"), 13, QFont::Medium, this),
                                emptyBelow));
    noMatches_ = text(QString(), 13, QFont::Medium, this, "noMatches");
    auto* clear = new ThemedButton(tr("Clear Search"), ThemedButton::Style::secondary, this);
    clear->setObjectName(QStringLiteral("clearSearch"));
    pages_->addWidget(statePage(pages_, QStringLiteral("\u2315"), noMatches_, clear));
    list_ = new QListView(this);
    list_->setObjectName(QStringLiteral("list"));
    list_->setModel(model_);
    list_->setItemDelegate(new HistoryRowDelegate(*model_, *thumbnails_, list_));
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setUniformItemSizes(true);
    list_->setFrameShape(QFrame::NoFrame);
    list_->setContextMenuPolicy(Qt::CustomContextMenu);
    list_->installEventFilter(this);
    pages_->addWidget(list_);
    column->addWidget(pages_, 1);

    column->addWidget(hairline(this));
    QHBoxLayout* footer = nullptr;
    column->addWidget(bar(this, footer, 6, 12));
    state_ = text(QString(), 12, QFont::Normal, this, "muted");
    footer->addWidget(state_);
    footer->addStretch();
    settings_ = new ThemedButton(tr("Settings…"), ThemedButton::Style::secondary, this);
    settings_->setObjectName(QStringLiteral("settings"));
    settings_->setVisible(false);
    footer->addWidget(settings_);
    delete_ = new ThemedButton(tr("Delete"), ThemedButton::Style::secondary, this);
    delete_->setObjectName(QStringLiteral("delete"));
    footer->addWidget(delete_);
    deleteAll_ = new ThemedButton(tr("Delete All…"), ThemedButton::Style::secondary, this);
    deleteAll_->setObjectName(QStringLiteral("deleteAll"));
    footer->addWidget(deleteAll_);

    connect(search_, &QLineEdit::textChanged, model_, &HistoryListModel::setQuery);
    connect(search_, &QLineEdit::returnPressed, this, &HistoryView::openSelected);
    connect(clear, &QPushButton::clicked, search_, &QLineEdit::clear);
    connect(open_, &QPushButton::clicked, this, &HistoryView::openSelected);
    connect(delete_, &QPushButton::clicked, this, &HistoryView::deleteSelected);
    connect(deleteAll_, &QPushButton::clicked, this, &HistoryView::confirmDeleteAll);
    connect(settings_, &QPushButton::clicked, this, [this] {
        if (showSettings_)
            showSettings_();
    });
    connect(list_, &QListView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const HistoryItem* item = model_->itemAt(index.row()))
            open(item->id);
    });
    connect(list_, &QListView::customContextMenuRequested, this, &HistoryView::showContextMenu);
    connect(list_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& current) {
        if (restoring_)
            return;
        if (const HistoryItem* item = model_->itemAt(current.row()))
            selection_ = item->id;
        refresh();
    });
    // A reset forgets the list's selection; the selected id outlives it, also while hidden.
    connect(model_, &QAbstractItemModel::modelReset, this, [this] { select(selection_); });
    connect(&store_, &HistoryStore::itemsChanged, this, &HistoryView::refresh);
    connect(&store_, &HistoryStore::settingsChanged, this, &HistoryView::refresh);
    connect(thumbnails_, &HistoryThumbnails::ready, model_, &HistoryListModel::touch);
    connect(&Theme::shared(), &Theme::changed, this, &HistoryView::applyPalette);

    applyPalette();
    refresh();
}

HistoryView::~HistoryView() = default;

std::vector<const HistoryItem*> HistoryView::filter(const std::vector<HistoryItem>& items, const QString& query)
{
    std::vector<const HistoryItem*> shown;
    for (const auto& item : items)
        if (HistoryText::matches(item, query))
            shown.push_back(&item);
    return shown;
}

void HistoryView::setCopyHandler(std::function<void(const VozudOzev::Table&)> copy) { copy_ = std::move(copy); }
void HistoryView::setConfirm(HistoryConfirm confirm) { confirm_ = std::move(confirm); }

void HistoryView::setShowSettings(std::function<void()> show)
{
    showSettings_ = std::move(show);
    settings_->setVisible(static_cast<bool>(showSettings_));
}

HistoryView::Content HistoryView::content() const
{
    if (store_.items().empty())
        return Content::empty;
    return model_->rowCount() == 0 ? Content::noMatches : Content::list;
}

const HistoryItem* HistoryView::selectedItem() const
{
    return selection_ ? store_.find(*selection_) : nullptr;
}

void HistoryView::select(const std::optional<std::string>& id)
{
    selection_ = id;
    restoring_ = true;
    const auto row = id ? model_->rowOf(*id) : std::nullopt;
    if (row)
        list_->setCurrentIndex(model_->index(*row));
    else
        list_->selectionModel()->clear();
    restoring_ = false;
    refresh();
}

void HistoryView::refresh()
{
    count_->setText(tr("%1 of %2").arg(store_.items().size()).arg(store_.limit()));
    noMatches_->setText(tr("No captures match “%1”").arg(search_->text()));
    pages_->setCurrentIndex(static_cast<int>(content()));
    open_->setEnabled(selectedItem() != nullptr);
    delete_->setEnabled(selection_.has_value());
    deleteAll_->setEnabled(!store_.items().empty());
    state_->setText(store_.enabled() ? tr("Saved on this computer only") : tr("History is off — new captures are not saved"));
}

void HistoryView::open(const std::string& id)
{
    const HistoryItem* item = store_.find(id);
    if (item == nullptr || !onOpen_)
        return;
    const HistoryItem copy = *item;  // the callback may change the store
    onOpen_(store_.captureResult(copy));
}

void HistoryView::openSelected()
{
    if (const HistoryItem* item = selectedItem())
        open(item->id);
}

void HistoryView::deleteSelected()
{
    if (!selection_)
        return;
    const std::string id = *selection_;
    selection_.reset();
    store_.remove(id);
    refresh();
}

void HistoryView::confirmDeleteAll()
{
    if (store_.items().empty())
        return;
    const QString title = tr("Delete all %1 saved captures?").arg(store_.items().size());
    const QString message = tr("This removes the tables and any saved images from this computer. It can't be undone.");
    if (!confirm_(this, title, message, tr("Delete All")))
        return;
    store_.deleteAll();
    select(std::nullopt);
}

void HistoryView::showContextMenu(const QPoint& at)
{
    const QModelIndex index = list_->indexAt(at);
    const HistoryItem* item = model_->itemAt(index.row());
    if (item == nullptr)
        return;
    const std::string id = item->id;
    QMenu menu(this);
    menu.addAction(tr("Open"), this, [this, id] { open(id); });
    if (item->selectedTable() != nullptr)
        menu.addAction(tr("Copy"), this, [this, id] {
            const HistoryItem* found = store_.find(id);
            if (found != nullptr && found->selectedTable() != nullptr && copy_)
                copy_(*found->selectedTable());
        });
    menu.addSeparator();
    // Deleting from the menu keeps the selection, as the footer's Delete would not.
    menu.addAction(tr("Delete"), this, [this, id] { store_.remove(id); });
    menu.exec(list_->viewport()->mapToGlobal(at));
}

bool HistoryView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: openSelected(); return true;
        case Qt::Key_Delete:
        case Qt::Key_Backspace: deleteSelected(); return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void HistoryView::applyPalette()
{
    const Palette& p = Theme::shared().palette();
    setStyleSheet(QStringLiteral("#HistoryView { background: %1; } #bar { background: %2; } #hairline { background: %3; }"
                                 " #HistoryView QLabel { color: %5; } #HistoryView QLabel#muted { color: %4; }"
                                 " QListView#list { background: %1; }")
                      .arg(p.window.name(), p.bar.name(), p.hairline.name(), p.muted.name(), p.ink.name()));
    list_->viewport()->update();
}

}  // namespace Kestrow
