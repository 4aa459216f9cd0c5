#include "Kestrow/Feedback/FeedbackWindow.hpp"

#include "Kestrow/Feedback/FeedbackView.hpp"
#include "Kestrow/Help/BuildVersion.hpp"
#include "Kestrow/Shell/WindowSpec.hpp"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include <memory>

namespace Kestrow::FeedbackWindow {

QWidget* make(FeedbackKind kind, const FeedbackContext& context, FeedbackSender& sender)
{
    const WindowSpec spec = WindowSpec::of(WindowKind::feedback);
    auto window = std::make_shared<QPointer<QWidget>>();
    auto* view = new FeedbackView(kind, context, sender, FeedbackSystemInfo::current(VANTREL_SHORT_VERSION, VANTREL_BUILD_NUMBER),
                                  [window] {
                                      if (*window)
                                          (*window)->close();
                                  });
    *window = view;
    view->setWindowFlag(Qt::Window);
    view->setAttribute(Qt::WA_DeleteOnClose);
    view->setWindowTitle(QCoreApplication::translate("Windows", spec.title));
    view->setWindowIcon(QGuiApplication::windowIcon());
    view->setMinimumSize(spec.minimum);
    view->resize(spec.content);
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), spec.content);
        frame.moveCenter(screen->availableGeometry().center());
        view->move(frame.topLeft());
    }
    return view;
}

}  // namespace Kestrow::FeedbackWindow
