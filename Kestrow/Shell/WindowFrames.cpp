#include "Kestrow/Shell/WindowFrames.hpp"

#include "Kestrow/Shell/Defaults.hpp"

#include <QEvent>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QWidget>

#include <charconv>

namespace Kestrow::WindowFrames {

namespace {

// Saves the frame of the window it watches when it shows and after every move or resize.
class FrameSaver final : public QObject {
public:
    FrameSaver(QWidget* window, std::function<void(const QRect&)> save)
        : QObject(window), window_(window), save_(std::move(save))
    {
        window->installEventFilter(this);
    }

private:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        const auto type = event->type();
        if (watched == window_ && (type == QEvent::Move || type == QEvent::Resize || type == QEvent::Show) &&
            window_->isVisible() && !window_->isMinimized())
            save_(window_->normalGeometry());
        return false;
    }

    QWidget* window_;
    std::function<void(const QRect&)> save_;
};

std::vector<QRect> availableAreas()
{
    std::vector<QRect> areas;
    for (QScreen* screen : QGuiApplication::screens())
        areas.push_back(screen->availableGeometry());
    return areas;
}

}  // namespace

void centre(QWidget* window)
{
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    // move() places the window's frame, title bar included.
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

QString key(const char* autosaveName)
{
    return QStringLiteral("frames/") + QLatin1String(autosaveName);
}

QString format(const QRect& frame)
{
    return QStringLiteral("%1 %2 %3 %4").arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height());
}

std::optional<QRect> parse(const QString& text)
{
    const QStringList parts = text.split(u' ');
    if (parts.size() != 4)
        return std::nullopt;
    int v[4];
    for (int i = 0; i < 4; ++i) {
        const QByteArray digits = parts[i].toLatin1();
        const char* end = digits.constData() + digits.size();
        const auto [ptr, ec] = std::from_chars(digits.constData(), end, v[i]);
        if (digits.isEmpty() || ec != std::errc() || ptr != end)
            return std::nullopt;
    }
    if (v[2] <= 0 || v[3] <= 0)
        return std::nullopt;
    return QRect(v[0], v[1], v[2], v[3]);
}

bool usable(const QRect& saved, const QSize& minimum, const std::vector<QRect>& availableAreas)
{
    if (saved.width() < minimum.width() || saved.height() < minimum.height())
        return false;
    return std::any_of(availableAreas.begin(), availableAreas.end(),
                       [&](const QRect& area) { return area.contains(saved); });
}

void keep(QWidget* window, const WindowSpec& spec, Defaults& defaults)
{
    centre(window);
    if (!spec.autosaveName)
        return;
    const QString name = key(spec.autosaveName);
    if (const auto saved = parse(defaults.string(name).value_or(QString())))
        if (usable(*saved, spec.minimum, availableAreas()))
            window->setGeometry(*saved);
    new FrameSaver(window, [&defaults, name](const QRect& frame) { defaults.setString(name, format(frame)); });
}

}  // namespace Kestrow::WindowFrames
