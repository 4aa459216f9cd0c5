#include "VozudOzev/Structure/ModelLocation.hpp"

#include "VozudOzev/Platform/ModelError.hpp"
#include "VozudOzev/Platform/ModelRuntime.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <cerrno>
#include <cstring>
#include <optional>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace VozudOzev {

namespace {

std::string errnoText()
{
    return std::strerror(errno);
}

// An exclusive lock on a file of the cache, held per name while the cached copy is
// checked and replaced: a second caller (thread or process) waits, then finds the fresh
// copy instead of compiling again and tripping over the first one's move.
class CacheLock {
public:
    explicit CacheLock(const fs::path& file)
    {
        fd_ = ::open(file.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd_ < 0)
            throw ModelError("cannot write the model cache " + file.parent_path().string() + ": " + errnoText());
        int rc;
        while ((rc = ::flock(fd_, LOCK_EX)) != 0 && errno == EINTR) {
        }
        if (rc != 0) {
            const std::string why = errnoText();
            ::close(fd_);
            throw ModelError("cannot lock the model cache " + file.string() + ": " + why);
        }
    }
    ~CacheLock() { ::close(fd_); }
    CacheLock(const CacheLock&) = delete;
    CacheLock& operator=(const CacheLock&) = delete;

private:
    int fd_ = -1;
};

std::optional<fs::file_time_type> modified(const fs::path& p)
{
    std::error_code ec;
    const auto t = fs::last_write_time(p, ec);
    if (ec)
        return std::nullopt;
    return t;
}

}  // namespace

fs::path ModelLocation::cacheDirectory()
{
    std::error_code ec;
    fs::path tmp = fs::temp_directory_path(ec);
    if (ec)
        tmp = "/tmp";
    return tmp / "vozudozev-models";
}

fs::path ModelLocation::compiledModel(const std::string& name) const
{
    std::error_code ec;
    const fs::path compiled = directory / (name + ".mlmodelc");
    if (fs::exists(compiled, ec))
        return compiled;
    const fs::path package = directory / (name + ".mlpackage");
    if (name.empty() || name.find('/') != std::string::npos || !fs::exists(package, ec))
        throw VozudOzevError::invalidInput("model " + name + " not found in " + directory.string());

    const fs::path cache = cacheDirectory();
    fs::create_directories(cache, ec);  // a failure shows at the lock below
    const fs::path cached = cache / (name + ".mlmodelc");
    const fs::file_time_type source = modified(package / "Manifest.json").value_or(fs::file_time_type::min());

    const CacheLock lock(cache / (name + ".lock"));
    if (const auto date = modified(cached); date && *date >= source)
        return cached;

    // Compile beside the cached copy, so that putting it in place is one rename.
    std::string pattern = (cache / ("." + name + ".XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw ModelError("cannot write the model cache " + cache.string() + ": " + errnoText());
    const fs::path fresh = pattern;
    try {
        ModelRuntime::compile(package, fresh);
    } catch (...) {
        fs::remove_all(fresh, ec);
        throw;
    }
    fs::remove_all(cached, ec);
    fs::rename(fresh, cached, ec);
    if (ec) {
        fs::remove_all(fresh, ec);
        throw ModelError("cannot move the compiled model into " + cached.string() + ": " + ec.message());
    }
    return cached;
}

}  // namespace VozudOzev
