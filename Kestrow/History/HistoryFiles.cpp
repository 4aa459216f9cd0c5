#include "Kestrow/History/HistoryFiles.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace Kestrow::HistoryFiles {

namespace {

constexpr std::string_view tempSuffix = ".partial";

std::string join(const std::string& folder, std::string_view name)
{
    std::string path = folder;
    if (!path.empty() && path.back() != '/')
        path += '/';
    path += name;
    return path;
}

std::string describe(const char* what, const std::string& path, int err)
{
    return std::string(what) + " " + path + ": " + std::strerror(err);
}

}  // namespace

bool makePrivateFolder(const std::string& folder, std::string& error)
{
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "cannot create " + folder + ": " + ec.message();
        return false;
    }
    if (::chmod(folder.c_str(), 0700) != 0) {
        error = describe("cannot protect", folder, errno);
        return false;
    }
    return true;
}

bool writeAtomically(const std::string& folder, std::string_view name, std::string_view bytes, std::string& error)
{
    const std::string target = join(folder, name);
    const std::string temp = join(folder, "." + std::string(name) + std::string(tempSuffix));
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0) {
        error = describe("cannot write", temp, errno);
        return false;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error = describe("cannot write", temp, n < 0 ? errno : ENOSPC);
            ::close(fd);
            ::unlink(temp.c_str());
            return false;
        }
        done += static_cast<size_t>(n);
    }
    // On disk before the rename, so a power cut cannot leave an empty record behind.
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        error = describe("cannot write", temp, errno);
        ::unlink(temp.c_str());
        return false;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        error = describe("cannot replace", target, errno);
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

std::vector<std::string> list(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return names;
    while (dirent* e = ::readdir(dir)) {
        std::string_view n = e->d_name;
        if (n == "." || n == "..")
            continue;
        if (e->d_type != DT_REG && e->d_type != DT_UNKNOWN)
            continue;
        if (e->d_type == DT_UNKNOWN) {
            struct stat st {};
            if (::stat(join(folder, n).c_str(), &st) != 0 || !S_ISREG(st.st_mode))
                continue;
        }
        names.emplace_back(n);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

void remove(const std::string& folder, std::string_view name)
{
    ::unlink(join(folder, name).c_str());
}

bool isLeftoverTemporary(std::string_view name)
{
    return name.size() > 1 + tempSuffix.size() && name.front() == '.' && name.ends_with(tempSuffix);
}

}  // namespace Kestrow::HistoryFiles
