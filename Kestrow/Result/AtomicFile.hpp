#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

namespace Kestrow::AtomicFile {

// Writes the bytes beside the target and renames them over it, so the target is either
// the old file or the whole new one. Returns the reason when it could not.
std::optional<QString> write(const QString& path, const QByteArray& bytes);

}  // namespace Kestrow::AtomicFile
