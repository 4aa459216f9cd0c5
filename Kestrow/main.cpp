#include <QApplication>
#include <QGuiApplication>

#include "Kestrow/History/QuitOnTerminate.hpp"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // Qt aborts without a display; say why and fail instead.
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr) {
        std::fprintf(stderr, "Vantrel: no display to show on (DISPLAY is not set)\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setQuitOnLastWindowClosed(false);
    // A session ending sends SIGTERM: quit normally so pending history writes are flushed.
    Kestrow::QuitOnTerminate::install();
    return QApplication::exec();
}
