#include "Kestrow/Shell/HudPresenter.hpp"

#include "Kestrow/Shell/HUDPill.hpp"
#include "Kestrow/Shell/ProgressHUD.hpp"
#include "Kestrow/Shell/Toast.hpp"

namespace Kestrow {

void PanelHudPresenter::toast(const QString& text, ToastKind kind) { Toast::show(text, kind); }
void PanelHudPresenter::beginProgress(const QString& text, double afterSeconds) {
    ProgressHUD::shared().begin(text, afterSeconds);
}
void PanelHudPresenter::endProgress() { ProgressHUD::shared().end(); }
void PanelHudPresenter::hideAll() {
    Toast::dismiss();
    if (HUDPill* pill = ProgressHUD::shared().panel()) pill->hide();
}

}  // namespace Kestrow
