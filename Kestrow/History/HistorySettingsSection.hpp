#pragma once

#include "Kestrow/History/HistoryConfirm.hpp"

#include <QWidget>

#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace Kestrow {

class HistoryStore;

// The history settings: on or off, how many captures to keep, whether images are kept,
// and deleting everything. Every control writes straight into the store.
class HistorySettingsSection : public QWidget {
    Q_OBJECT

public:
    // Without showHistory the "Show History…" button is left out.
    HistorySettingsSection(HistoryStore& store, std::function<void()> showHistory, QWidget* parent = nullptr);

    void setConfirm(HistoryConfirm confirm);

private:
    void refresh();

    HistoryStore& store_;
    std::function<void()> showHistory_;
    HistoryConfirm confirm_;
    QCheckBox* enabled_ = nullptr;
    QSpinBox* limit_ = nullptr;
    QCheckBox* keepImages_ = nullptr;
    QPushButton* deleteAll_ = nullptr;
};

}  // namespace Kestrow
