#include "Kestrow/Feedback/FeedbackContext.hpp"

#include "Kestrow/History/HistoryStore.hpp"
#include "VozudOzev/Export/TableExport.hpp"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStandardPaths>
#include <QUuid>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace Kestrow {

namespace {

const QString rootName = QStringLiteral("Vantrel-feedback");

[[noreturn]] void fail(const QString& path, int error)
{
    throw FeedbackFileError(path.toStdString() + ": " + std::strerror(error));
}

// A folder that only this user can enter: made with mode 0700, or, when it exists, a real
// folder (not a link) owned by this user, tightened to 0700.
void makePrivateFolder(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) == 0)
        return;
    if (errno != EEXIST)
        fail(path, errno);
    struct stat st {};
    if (::lstat(native.constData(), &st) != 0)
        fail(path, errno);
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        fail(path, EPERM);
    if ((st.st_mode & 077) != 0 && ::chmod(native.constData(), 0700) != 0)
        fail(path, errno);
}

bool isPrivateFolder(const QString& path)
{
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

// A new file of its own (never through a link, never over an existing file), mode 0600.
void writeNewFile(const QString& path, const char* data, size_t size)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        fail(path, errno);
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int error = n < 0 ? errno : EIO;
            ::close(fd);
            fail(path, error);
        }
        done += static_cast<size_t>(n);
    }
    if (::close(fd) != 0)
        fail(path, errno);
}

// Removes a folder's tree; a link is removed itself, never followed.
void removeTree(const QString& path)
{
    struct stat st {};
    const QByteArray native = QFile::encodeName(path);
    if (::lstat(native.constData(), &st) != 0)
        return;
    if (S_ISDIR(st.st_mode))
        QDir(path).removeRecursively();
    else
        ::unlink(native.constData());
}

}  // namespace

QString FeedbackContext::attachmentRoot()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && isPrivateFolder(runtime))
        return QDir(runtime).filePath(rootName);
    QString cache = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    if (cache.isEmpty())
        cache = QDir::home().filePath(QStringLiteral(".cache/vantrel"));
    return QDir(cache).filePath(rootName);
}

QStringList FeedbackContext::writeAttachments(const FeedbackDraft& draft, const QString& root) const
{
    const bool withImage = draft.includeImage && hasImage();
    const bool withTable = draft.includeTable && hasTable();
    if (!withImage && !withTable)
        return {};
    const QFileInfo rootInfo(root);
    if (!QDir().mkpath(rootInfo.absolutePath()))
        fail(rootInfo.absolutePath(), EACCES);
    makePrivateFolder(root);
    const QString folder = QDir(root).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper());
    makePrivateFolder(folder);
    QStringList files;
    if (withImage) {
        // An image that cannot be encoded is left out; the table still goes.
        const QByteArray png = HistoryStore::pngData(*image);
        if (!png.isEmpty()) {
            const QString path = QDir(folder).filePath(imageFileName);
            writeNewFile(path, png.constData(), static_cast<size_t>(png.size()));
            files << path;
        }
    }
    if (withTable) {
        const std::string csv = VozudOzev::TableExport::csvFileData(*table);
        const QString path = QDir(folder).filePath(tableFileName);
        writeNewFile(path, csv.data(), csv.size());
        files << path;
    }
    return files;
}

void FeedbackContext::purgeStaleAttachments(const QString& root)
{
    if (!root.isEmpty())
        removeTree(root);
}

void FeedbackContext::removeAttachments(const QStringList& files)
{
    QSet<QString> done;
    for (const QString& file : files) {
        const QString folder = QFileInfo(file).absolutePath();
        if (!done.contains(folder)) {
            done.insert(folder);
            removeTree(folder);
        }
    }
}

}  // namespace Kestrow
