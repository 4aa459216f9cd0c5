#include "KestrowSupport/XSession.hpp"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>

namespace KestrowTest {

XSession::XSession(const QString& screen)
{
    // -displayfd lets the server pick a free display and tell us which.
    server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                                            QStringLiteral("0"), screen, QStringLiteral("-nolisten"),
                                            QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!server_.waitForStarted(5000))
        return;
    QElapsedTimer timer;
    timer.start();
    QByteArray out;
    while (timer.elapsed() < 10000 && !out.contains('\n')) {
        server_.waitForReadyRead(200);
        out += server_.readAllStandardOutput();
    }
    const QByteArray number = out.trimmed();
    if (!number.isEmpty())
        display_ = QStringLiteral(":") + QString::fromLatin1(number);
    for (const char* sub : {"config", "data", "cache", "runtime"})
        QDir(dir_.path()).mkpath(QString::fromLatin1(sub));
    QFile::setPermissions(dir_.filePath("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                        QFileDevice::ExeOwner);
}

XSession::~XSession()
{
    for (auto it = programs_.rbegin(); it != programs_.rend(); ++it) {
        (*it)->terminate();
        if (!(*it)->waitForFinished(3000)) {
            (*it)->kill();
            (*it)->waitForFinished(3000);
        }
    }
    server_.terminate();
    if (!server_.waitForFinished(3000)) {
        server_.kill();
        server_.waitForFinished(3000);
    }
}

QProcessEnvironment XSession::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("DISPLAY", display_);
    env.remove("WAYLAND_DISPLAY");
    env.insert("QT_QPA_PLATFORM", "xcb");
    env.insert("HOME", dir_.path());
    env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
    env.insert("XDG_DATA_HOME", dir_.filePath("data"));
    env.insert("XDG_CACHE_HOME", dir_.filePath("cache"));
    env.insert("XDG_RUNTIME_DIR", dir_.filePath("runtime"));
    // A locale every Debian system has; the application's number style then comes from it.
    env.insert("LANG", "C.UTF-8");
    env.insert("LC_ALL", "C.UTF-8");
    env.insert("TZ", "UTC");
    env.insert("OMP_THREAD_LIMIT", "1");
    return env;
}

QProcess& XSession::start(const QString& program, const QStringList& arguments)
{
    programs_.push_back(std::make_unique<QProcess>());
    QProcess& p = *programs_.back();
    p.setProcessEnvironment(environment());
    p.start(program, arguments);
    p.waitForStarted(5000);
    return p;
}

QByteArray XSession::run(const QString& program, const QStringList& arguments, int* code, int timeoutMs)
{
    QProcess p;
    p.setProcessEnvironment(environment());
    p.start(program, arguments);
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished(1000);
        if (code)
            *code = -1;
        return {};
    }
    if (code)
        *code = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return p.readAllStandardOutput();
}

bool XSession::xdotool(const QStringList& arguments)
{
    int code = 0;
    run(QStringLiteral("xdotool"), arguments, &code);
    return code == 0;
}

}  // namespace KestrowTest
