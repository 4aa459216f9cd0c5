#include "Kestrow/Feedback/XdgEmailHandoff.hpp"

#include "Kestrow/Shell/Log.hpp"

#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace Kestrow {

namespace {

QString encoded(const QString& text, const QByteArray& keep = {})
{
    return QString::fromLatin1(QUrl::toPercentEncoding(text, keep));
}

// xdg-email echoes attachment paths through the shell's echo, which reads backslashes.
bool safePath(const QString& path)
{
    if (!path.startsWith(u'/'))
        return false;
    for (QChar c : path)
        if (c == u'\\' || c.unicode() < 0x20 || c.unicode() == 0x7f)
            return false;
    return true;
}

}  // namespace

XdgEmailHandoff::XdgEmailHandoff(QString program, int patienceMs)
    : program_(std::move(program)), patienceMs_(patienceMs)
{
}

QString XdgEmailHandoff::link(const MailDraft& draft)
{
    return QStringLiteral("mailto:") + encoded(draft.to, "@") + QStringLiteral("?subject=") + encoded(draft.subject) +
           QStringLiteral("&body=") + encoded(draft.body);
}

std::optional<QStringList> XdgEmailHandoff::arguments(const MailDraft& draft)
{
    QStringList args;
    for (const QString& file : draft.attachments) {
        if (!safePath(file))
            return std::nullopt;
        args << QStringLiteral("--attach") << file;
    }
    args << link(draft);
    return args;
}

void XdgEmailHandoff::compose(const MailDraft& draft, Done done)
{
    const QString program =
        program_.isEmpty() ? QStandardPaths::findExecutable(QStringLiteral("xdg-email")) : program_;
    const std::optional<QStringList> args = arguments(draft);
    if (program.isEmpty() || !args) {
        done(false);
        return;
    }
    // No parent: a mail program started in the foreground may outlive the window, even
    // the application, and must not be killed with it.
    auto* process = new QProcess;
    process->setProgram(program);
    process->setArguments(*args);
    process->setStandardInputFile(QProcess::nullDevice());
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    auto answered = std::make_shared<bool>(false);
    auto answer = [answered, done = std::move(done)](bool taken) {
        if (*answered)
            return;
        *answered = true;
        done(taken);
    };
    QObject::connect(process, &QProcess::finished, process,
                     [process, answer](int code, QProcess::ExitStatus status) {
                         if (status != QProcess::NormalExit || code != 0)
                             Log::line(QStringLiteral("xdg-email ended with status %1").arg(code));
                         answer(status == QProcess::NormalExit && code == 0);
                         process->deleteLater();
                     });
    QObject::connect(process, &QProcess::errorOccurred, process, [process, answer](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        // Also what a message too long for one argument gives.
        Log::line(QStringLiteral("xdg-email could not be started: %1").arg(process->errorString()));
        answer(false);
        process->deleteLater();
    });
    QTimer::singleShot(patienceMs_, process, [answer] { answer(true); });
    process->start();
}

}  // namespace Kestrow
