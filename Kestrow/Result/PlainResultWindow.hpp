#pragma once

#include "Kestrow/Platform/ClipboardWriter.hpp"
#include "Kestrow/Shell/CaptureResult.hpp"
#include "Kestrow/Shell/Clipboard.hpp"

#include <QWidget>

#include <optional>

class QTableWidget;

namespace Kestrow {

// The recognised table, read-only, with a Copy button: what a normal capture opens until
// the full result window takes its place behind the same opener.
class PlainResultWindow final : public QWidget {
    Q_OBJECT
public:
    PlainResultWindow(CaptureResult result, const std::optional<QString>& notice, ClipboardWriter& clipboard,
                      std::function<Clipboard::CopyMode()> copyMode, QWidget* parent = nullptr);

    const CaptureResult& result() const { return result_; }
    const QTableWidget* grid() const { return grid_; }
    void copy();

private:
    CaptureResult result_;
    ClipboardWriter& clipboard_;
    std::function<Clipboard::CopyMode()> copyMode_;
    QTableWidget* grid_ = nullptr;
};

}  // namespace Kestrow
