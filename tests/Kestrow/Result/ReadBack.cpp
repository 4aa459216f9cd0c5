#include "ReadBack.hpp"

#include <QProcess>
#include <QTemporaryDir>
#include <QFile>

#include <gtest/gtest.h>

nlohmann::json readBack(const QString& kind, const QString& path)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(VANTREL_SOURCE_DIR "/tests/Kestrow/Result/read_back.py"), kind, path});
    if (!python.waitForFinished(60000) || python.exitCode() != 0) {
        ADD_FAILURE() << "read_back.py " << kind.toStdString() << " failed: "
                      << python.readAllStandardError().toStdString();
        return nlohmann::json::object();
    }
    return nlohmann::json::parse(python.readAllStandardOutput().toStdString());
}

nlohmann::json readBackText(const QString& kind, const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("data.") + kind);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        ADD_FAILURE() << "cannot write " << path.toStdString();
        return nlohmann::json::object();
    }
    file.close();
    return readBack(kind, path);
}
