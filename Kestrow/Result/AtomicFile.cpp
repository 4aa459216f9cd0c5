#include "Kestrow/Result/AtomicFile.hpp"

#include <QSaveFile>

namespace Kestrow::AtomicFile {

std::optional<QString> write(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return reason;
    }
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

}  // namespace Kestrow::AtomicFile
