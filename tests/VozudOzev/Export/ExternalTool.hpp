#pragma once

// Runs the real consumers of the export formats (Python's readers, cmark-gfm) on
// files written by the tests.

#include <cstdlib>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace ExternalTool {

inline const char* python = "/usr/bin/python3";
inline const char* cmark = "/usr/bin/cmark-gfm";

inline bool available(const char* path)
{
    return ::access(path, X_OK) == 0;
}

// scripts/setup.sh installs every tool on each machine that runs the tests, so a missing
// one fails the test instead of skipping it.
inline ::testing::AssertionResult installed(const char* path)
{
    if (available(path))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << path << " is missing (scripts/setup.sh installs it)";
}

// A private folder, removed with everything in it when the test ends.
class ScratchDir {
public:
    ScratchDir()
    {
        char pattern[] = "/tmp/vantrel-test-XXXXXX";
        if (const char* made = ::mkdtemp(pattern))
            path_ = made;
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string write(const std::string& name, const std::string& bytes) const
    {
        const auto file = path_ / name;
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
        return file.string();
    }

    std::filesystem::path path() const { return path_; }

private:
    std::filesystem::path path_;
};

struct Outcome {
    int status = -1;  // the exit status, or -1 when the program did not end normally
    std::string out;  // standard output
};

// Runs the program without a shell; standard input comes from inputPath when given,
// standard error goes to the test log.
inline Outcome run(const std::vector<std::string>& argv, const std::string& inputPath = {})
{
    Outcome outcome;
    int fds[2];
    if (::pipe(fds) != 0)
        return outcome;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(fds[1], STDOUT_FILENO);
        ::close(fds[0]);
        ::close(fds[1]);
        if (!inputPath.empty()) {
            const int in = ::open(inputPath.c_str(), O_RDONLY);
            if (in < 0)
                ::_exit(126);
            ::dup2(in, STDIN_FILENO);
            ::close(in);
        }
        std::vector<char*> args;
        for (const auto& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(fds[1]);
    if (pid < 0) {
        ::close(fds[0]);
        return outcome;
    }
    char buf[4096];
    for (ssize_t n; (n = ::read(fds[0], buf, sizeof buf)) > 0;)
        outcome.out.append(buf, static_cast<size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return outcome;
}

}  // namespace ExternalTool
