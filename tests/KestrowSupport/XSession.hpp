#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>
#include <vector>

namespace KestrowTest {

// A private X server (Xvfb on a display number of its own choosing) with a home, config
// and runtime folder of its own, and the programs started on it. Everything is stopped
// when the session ends.
class XSession {
public:
    explicit XSession(const QString& screen = QStringLiteral("1280x800x24"));
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    bool ok() const { return !display_.isEmpty(); }
    const QString& display() const { return display_; }
    QProcessEnvironment environment() const;
    QString home() const { return dir_.path(); }

    // A program left running until the session ends; its output is kept.
    QProcess& start(const QString& program, const QStringList& arguments);
    // Runs to the end (at most timeoutMs) and gives standard output; exit code in `code`.
    QByteArray run(const QString& program, const QStringList& arguments, int* code = nullptr, int timeoutMs = 10000);
    // xdotool with the arguments given.
    bool xdotool(const QStringList& arguments);

private:
    QTemporaryDir dir_;
    QProcess server_;
    QString display_;
    std::vector<std::unique_ptr<QProcess>> programs_;
};

}  // namespace KestrowTest
