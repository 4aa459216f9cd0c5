#include "Kestrow/Capture/QtScreenSource.hpp"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

namespace Kestrow {

ScreenInfo QtScreenSource::info(const QScreen& screen) {
    return {screen.name(), screen.geometry(), screen.availableGeometry(), screen.devicePixelRatio()};
}

std::vector<ScreenInfo> QtScreenSource::distinct(std::vector<ScreenInfo> screens) {
    std::vector<ScreenInfo> out;
    for (const ScreenInfo& s : screens) {
        int inside = 0;
        for (const ScreenInfo& other : screens)
            if (&other != &s && s.geometry.contains(other.geometry)) ++inside;
        if (inside < 2) out.push_back(s);
    }
    return out;
}

std::vector<ScreenInfo> QtScreenSource::screens() const {
    std::vector<ScreenInfo> all;
    for (const QScreen* s : QGuiApplication::screens()) all.push_back(info(*s));
    return distinct(std::move(all));
}

std::vector<FrozenFrame> QtScreenSource::grabAll() {
    std::vector<FrozenFrame> frames;
    const std::vector<ScreenInfo> wanted = screens();
    for (QScreen* s : QGuiApplication::screens()) {
        const ScreenInfo i = info(*s);
        if (std::find(wanted.begin(), wanted.end(), i) == wanted.end()) continue;
        QImage image = s->grabWindow(0).toImage();
        if (!image.isNull()) image.setDevicePixelRatio(i.devicePixelRatio);
        frames.push_back({i, std::move(image)});
    }
    return frames;
}

}  // namespace Kestrow
