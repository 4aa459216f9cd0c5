#include "Kestrow/Result/ResultWindow.hpp"

#include "Kestrow/Shell/ResultTitle.hpp"
#include "Kestrow/Shell/WindowSpec.hpp"

namespace Kestrow::ResultWindow {

std::optional<VozudOzev::Table> titleTable(const VozudOzev::EngineOutput& output)
{
    if (const VozudOzev::Table* selected = output.selected())
        return *selected;
    if (!output.tables.empty())
        return output.tables.front();
    return std::nullopt;
}

ResultView* make(CaptureResult result, std::optional<QString> notice, ResultView::CaptureNext onCaptureNext,
                 ResultEnvironment env)
{
    const QString title = ResultTitle::make(result.sourceName, titleTable(result.extraction.output));
    auto* view = new ResultView(std::move(result), std::move(notice), std::move(onCaptureNext), std::move(env));
    const WindowSpec spec = WindowSpec::of(WindowKind::result);
    view->setWindowTitle(title);
    view->setMinimumSize(spec.minimum);
    view->resize(spec.content);
    return view;
}

}  // namespace Kestrow::ResultWindow
