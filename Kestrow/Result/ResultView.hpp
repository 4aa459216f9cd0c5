#pragma once

// moc need not read these (it cannot parse <chrono> without the compiler's macros).
#ifndef Q_MOC_RUN
#include "Kestrow/Result/ResultActions.hpp"
#include "Kestrow/Result/ResultEnvironment.hpp"
#include "Kestrow/Shell/CaptureResult.hpp"
#include "KestrowEditor/EditorStore.hpp"
#include "VozudOzev/Export/SourceInfo.hpp"
#endif

#include <QFutureWatcher>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>
#include <optional>

class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QStackedWidget;
class QToolButton;

namespace Kestrow {

class GridContainer;
class SourcePane;
class SplitHandle;

// The window of one capture: toolbar with copy and save, the editable grid of the current
// table (or the text lines when no table was recognised), the source image below it and
// a status bar. Each table keeps its own edits and undo history; one second after the last
// change every table goes back to the history, and at once when the window closes or the
// application quits.
class ResultView : public QWidget {
    Q_OBJECT
public:
    using CaptureNext = std::function<void(const VozudOzev::Table&)>;

    ResultView(CaptureResult result, std::optional<QString> notice, CaptureNext onCaptureNext, ResultEnvironment env,
               QWidget* parent = nullptr);
    ~ResultView() override;

    const CaptureResult& result() const { return result_; }
    // The current table's document; none when the capture has no table.
    KestrowEditor::EditorDocument* doc() const;
    const KestrowEditor::EditorStore& store() const { return *store_; }
    int tableIndex() const { return tableIndex_; }
    void setTableIndex(int index);
    double imageHeight() const { return imageHeight_; }
    double openingThreshold() const { return openingThreshold_; }
    const ResultActions& actions() const { return actions_; }
    VozudOzev::SourceInfo exportSource() const;
    SourcePane* sourcePane() const { return source_; }
    GridContainer* grid() const { return grid_; }

    // The toolbar's actions on the current table.
    void copy();
    void copyAIContext();
    void copyText();
    void save(SaveFormat format);
    // Writes a pending change back to the history now.
    void flushWriteBack();
    // Brings the cells to check of every table up to date now; a large table's re-analysis
    // may still be under way after an edit.
    void finishAnalysis();
    bool analysisPending() const;
    bool writeBackPending() const { return writeBackPending_; }
    // The split handle moved by dy points (positive downwards); finished ends the drag.
    void dragSplit(double dy, bool finished);
    // Redraws everything that shows the current document (after an edit, undo or selection).
    void refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* makeToolbar();
    QWidget* makeNoticeBar(const QString& text);
    QWidget* makeNoTableView();
    QWidget* makeStatusBar();
    void fillTableMenu();
    void documentChanged();
    // The current table with its cells to check up to date; none without a table.
    const VozudOzev::Table* currentTable();
    void startAnalyses();
    void analysisFinished(std::size_t index);
    void adopt(std::size_t index, int revision, const std::function<VozudOzev::Table()>& analysis);

    // The re-analysis of a table too large to re-analyse on the commit path.
    struct Analysis {
        int done = 0;      // the revision whose flags are current
        int running = -1;  // the revision being analysed, if any
        QFutureWatcher<VozudOzev::Table>* watcher = nullptr;
    };

    CaptureResult result_;
    CaptureNext onCaptureNext_;
    ResultEnvironment env_;
    ResultActions actions_;
    double openingThreshold_;
    std::unique_ptr<KestrowEditor::EditorStore> store_;
    int tableIndex_ = 0;
    double imageHeight_ = 170;
    std::optional<double> dragStartHeight_;
    QTimer debounce_;
    QTimer analysisDelay_;
    bool writeBackPending_ = false;
    int storeListener_ = 0;
    std::vector<std::optional<Analysis>> analyses_;  // per table; none: analysed on commit
    struct FlagCount {
        const KestrowEditor::EditorDocument* doc;
        int revision;
        double threshold;
        int count;
    };
    std::optional<FlagCount> flagCount_;
    bool adopting_ = false;

    QWidget* notice_ = nullptr;
    GridContainer* grid_ = nullptr;
    SourcePane* source_ = nullptr;
    QComboBox* picker_ = nullptr;
    QPushButton* undo_ = nullptr;
    QPushButton* redo_ = nullptr;
    QToolButton* tableMenuButton_ = nullptr;
    QMenu* tableMenu_ = nullptr;
    QLabel* sizeLabel_ = nullptr;
    QLabel* addressLabel_ = nullptr;
    std::optional<bool> addressFlagged_;
    QPushButton* checkButton_ = nullptr;
    QLabel* reviewedLabel_ = nullptr;
};

}  // namespace Kestrow
