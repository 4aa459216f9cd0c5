#include "Kestrow/History/QuitOnTerminate.hpp"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace Kestrow {

namespace {

// A signal handler can reach nothing but globals; this pipe is all it touches.
int wakeFds[2] = {-1, -1};

void onSignal(int)
{
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] auto n = ::write(wakeFds[1], &byte, 1);
    errno = saved;
}

}  // namespace

QuitOnTerminate::QuitOnTerminate(int readEnd) : QObject(QCoreApplication::instance())
{
    notifier_ = new QSocketNotifier(readEnd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [readEnd] {
        char buffer[16];
        while (::read(readEnd, buffer, sizeof buffer) > 0) {
        }
        QCoreApplication::quit();
    });
}

QuitOnTerminate* QuitOnTerminate::install()
{
    static QuitOnTerminate* installed = []() -> QuitOnTerminate* {
        if (::pipe2(wakeFds, O_CLOEXEC | O_NONBLOCK) != 0) {
            std::perror("Vantrel: cannot watch for termination");
            return nullptr;
        }
        auto* self = new QuitOnTerminate(wakeFds[0]);
        struct sigaction action {};
        action.sa_handler = onSignal;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESTART;
        ::sigaction(SIGTERM, &action, nullptr);
        ::sigaction(SIGINT, &action, nullptr);
        return self;
    }();
    return installed;
}

}  // namespace Kestrow
