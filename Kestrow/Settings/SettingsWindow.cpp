#include "Kestrow/Settings/SettingsWindow.hpp"

#include "Kestrow/Settings/SettingsView.hpp"
#include "Kestrow/Shell/Defaults.hpp"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QVBoxLayout>

#include <charconv>

namespace Kestrow {

namespace {
const QString frameKey = QStringLiteral("SettingsWindowFrame");
}

SettingsWindow::SettingsWindow(SettingsContext context, Defaults& frames, QWidget* parent)
    : QWidget(parent, Qt::Window), frames_(frames)
{
    setObjectName(QStringLiteral("SettingsWindow"));
    setWindowTitle(tr("Settings"));
    setWindowIcon(QGuiApplication::windowIcon());
    setMinimumSize(contentSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    view_ = new SettingsView(std::move(context), this);
    layout->addWidget(view_);
    resize(contentSize);
}

void SettingsWindow::present(std::optional<SettingsTab> tab)
{
    if (tab)
        view_->selectTab(*tab);
    if (!placed_) {
        placed_ = true;
        QList<QRect> available;
        for (QScreen* screen : QGuiApplication::screens())
            available.append(screen->availableGeometry());
        const std::optional<QString> saved = frames_.string(frameKey);
        if (const auto frame = restoredFrame(saved ? parseFrame(*saved) : std::nullopt, available)) {
            setGeometry(*frame);
        } else {
            resize(contentSize);
            if (QScreen* screen = QGuiApplication::primaryScreen())
                move(screen->availableGeometry().center() - QPoint(contentSize.width() / 2, contentSize.height() / 2));
        }
    }
    if (isMinimized())
        showNormal();
    show();
    raise();
    activateWindow();
}

std::optional<QRect> SettingsWindow::restoredFrame(std::optional<QRect> saved, const QList<QRect>& available)
{
    if (!saved || saved->width() < contentSize.width() || saved->height() < contentSize.height())
        return std::nullopt;
    for (const QRect& area : available)
        if (area.contains(*saved))
            return saved;
    return std::nullopt;
}

QString SettingsWindow::frameText(const QRect& r)
{
    return QStringLiteral("%1,%2,%3,%4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

std::optional<QRect> SettingsWindow::parseFrame(const QString& text)
{
    const QStringList parts = text.split(u',');
    if (parts.size() != 4)
        return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        const QByteArray b = parts[i].toLatin1();
        const auto [end, ec] = std::from_chars(b.data(), b.data() + b.size(), v[i]);
        if (ec != std::errc() || end != b.data() + b.size() || b.isEmpty())
            return std::nullopt;
    }
    if (v[2] <= 0 || v[3] <= 0)
        return std::nullopt;
    return QRect(v[0], v[1], v[2], v[3]);
}

void SettingsWindow::saveFrame() { frames_.setString(frameKey, frameText(geometry())); }

void SettingsWindow::closeEvent(QCloseEvent* event)
{
    saveFrame();
    // Kept when closed: hidden, shown again with the tab it had.
    QWidget::closeEvent(event);
}

}  // namespace Kestrow
