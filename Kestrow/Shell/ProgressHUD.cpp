#include "Kestrow/Shell/ProgressHUD.hpp"

#include "Kestrow/Shell/HUDPill.hpp"

#include <QScreen>

namespace Kestrow {

ProgressHUD::ProgressHUD() {
    pending_.setSingleShot(true);
    connect(&pending_, &QTimer::timeout, this, [this] { present(pendingText_); });
}

ProgressHUD::~ProgressHUD() {
    if (panel_) panel_->close();
}

ProgressHUD& ProgressHUD::shared() {
    static ProgressHUD* instance = new ProgressHUD();
    return *instance;
}

void ProgressHUD::begin(const QString& text, double afterSeconds) {
    end();
    pendingText_ = text;
    pending_.start(int(afterSeconds * 1000));
}

void ProgressHUD::end() {
    pending_.stop();
    if (panel_) panel_->close();
    panel_ = nullptr;
}

void ProgressHUD::present(const QString& text) {
    QScreen* screen = HUDPill::activeScreen();
    if (!screen) return;
    auto* pill = new HUDPill(text, HUDPill::Leading::spinner, /*clickThrough=*/true);
    pill->placeOn(screen->geometry(), screen->availableGeometry());
    pill->show();
    panel_ = pill;
    pill->announce();
}

}  // namespace Kestrow
