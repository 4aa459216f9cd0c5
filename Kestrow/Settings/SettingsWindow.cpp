#include "Kestrow/Settings/SettingsWindow.hpp"

#include "Kestrow/Settings/SettingsView.hpp"
#include "Kestrow/Shell/Defaults.hpp"
#include "Kestrow/Shell/WindowFrames.hpp"
#include "Kestrow/Shell/WindowSpec.hpp"

#include <QGuiApplication>
#include <QVBoxLayout>

namespace Kestrow {

SettingsWindow::SettingsWindow(SettingsContext context, Defaults& frames, QWidget* parent)
    : QWidget(parent, Qt::Window), frames_(frames)
{
    setObjectName(QStringLiteral("SettingsWindow"));
    setWindowTitle(tr("Settings"));
    setWindowIcon(QGuiApplication::windowIcon());
    const WindowSpec spec = WindowSpec::of(WindowKind::settings);
    setMinimumSize(spec.minimum);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new SettingsView(std::move(context), this);
    layout->addWidget(view_);
    resize(spec.content);
}

void SettingsWindow::present(std::optional<SettingsTab> tab)
{
    if (tab)
        view_->selectTab(*tab);
    if (!placed_) {
        placed_ = true;
        // Centred at 620 × 580, or on the saved frame when it still fits a screen.
        WindowFrames::keep(this, WindowSpec::of(WindowKind::settings), frames_);
    }
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

}  // namespace Kestrow
