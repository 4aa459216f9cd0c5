#pragma once

#include "VozudOzev/Merge/StitchTables.hpp"

#include <QWidget>

#include <functional>
#include <vector>

class QComboBox;
class QPushButton;

namespace Kestrow {

// The "Match Columns" window: where each column of a new capture goes when the stitcher
// cannot tell by itself. Answers once: Stitch with the chosen mapping, Cancel, or a close
// from the title bar, which counts as Cancel and is reported as such.
class ColumnMappingView final : public QWidget {
    Q_OBJECT
public:
    using Done = std::function<void(const VozudOzev::StitchTables::Mapping&)>;
    using Cancel = std::function<void()>;

    ColumnMappingView(VozudOzev::StitchTables::MappingRequest request, Done onDone, Cancel onCancel,
                      Cancel onClosed = {}, QWidget* parent = nullptr);

    const std::vector<int>& choice() const { return choice_; }
    QComboBox* picker(int row) const { return pickers_.at(static_cast<size_t>(row)); }
    QPushButton* stitchButton() const { return stitch_; }
    QPushButton* cancelButton() const { return cancel_; }
    // Row i's text: its header, or "Column " with its letters when it has none.
    static QString rowLabel(const VozudOzev::StitchTables::MappingRequest& request, int i);
    // Base column j's letters, with " · " and its header when it has one.
    static QString baseLabel(const VozudOzev::StitchTables::MappingRequest& request, int j);
    // The stitcher's reason in the interface language; a reason it does not know, as given.
    static QString reasonText(const std::string& reason);

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyPalette();
    void choose(int row, int value);
    void answer(const std::function<void()>& action);

    VozudOzev::StitchTables::MappingRequest request_;
    Done onDone_;
    Cancel onCancel_;
    Cancel onClosed_;
    std::vector<int> choice_;
    std::vector<QComboBox*> pickers_;
    QPushButton* stitch_ = nullptr;
    QPushButton* cancel_ = nullptr;
    bool answered_ = false;
};

}  // namespace Kestrow
