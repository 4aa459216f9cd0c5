#pragma once

#include "Kestrow/History/HistoryConfirm.hpp"
#include "Kestrow/Shell/CaptureResult.hpp"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;
class QStackedWidget;

namespace Kestrow {

class HistoryListModel;
class HistoryStore;
class HistoryThumbnails;
struct HistoryItem;

// The history window's content: search, the list of saved captures, Open, Delete and
// Delete All. Opening hands a rebuilt capture to onOpen.
class HistoryView : public QWidget {
    Q_OBJECT

public:
    enum class Content { empty, noMatches, list };

    HistoryView(HistoryStore& store, std::function<void(const CaptureResult&)> onOpen, QWidget* parent = nullptr);
    ~HistoryView() override;

    // The items the search shows, in their order.
    static std::vector<const HistoryItem*> filter(const std::vector<HistoryItem>& items, const QString& query);

    // What copying an item's table does; the raw HTML and tab-separated copy by default.
    void setCopyHandler(std::function<void(const VozudOzev::Table&)> copy);
    void setConfirm(HistoryConfirm confirm);
    // Opens the history settings (until the settings window holds them).
    void setShowSettings(std::function<void()> show);

    Content content() const;
    const std::optional<std::string>& selection() const { return selection_; }
    void select(const std::optional<std::string>& id);
    HistoryThumbnails& thumbnails() { return *thumbnails_; }

    void openSelected();
    void deleteSelected();
    void confirmDeleteAll();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void refresh();
    void applyPalette();
    void showContextMenu(const QPoint& at);
    void open(const std::string& id);
    const HistoryItem* selectedItem() const;

    HistoryStore& store_;
    std::function<void(const CaptureResult&)> onOpen_;
    std::function<void(const VozudOzev::Table&)> copy_;
    std::function<void()> showSettings_;
    HistoryConfirm confirm_;
    std::optional<std::string> selection_;
    bool restoring_ = false;

    HistoryListModel* model_ = nullptr;
    HistoryThumbnails* thumbnails_ = nullptr;
    QLabel* count_ = nullptr;
    QLineEdit* search_ = nullptr;
    QPushButton* open_ = nullptr;
    QStackedWidget* pages_ = nullptr;
    QLabel* noMatches_ = nullptr;
    QListView* list_ = nullptr;
    QLabel* state_ = nullptr;
    QPushButton* settings_ = nullptr;
    QPushButton* delete_ = nullptr;
    QPushButton* deleteAll_ = nullptr;
};

}  // namespace Kestrow
