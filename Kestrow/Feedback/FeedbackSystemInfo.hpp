#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace Kestrow {

// The technical details that go with every message: version, channel, system and processor.
struct FeedbackSystemInfo {
    std::string appVersion;  // "1.4 (212)"
    std::string channel;     // "Web (direct)"
    std::string system;      // "Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64"
    std::string cpu;         // the processor's model name, or "unknown"

    bool operator==(const FeedbackSystemInfo&) const = default;

    // Exactly four lines: product and version, channel, system, processor.
    std::vector<std::string> lines() const;

    // What this machine says; version and build "0" when empty.
    static FeedbackSystemInfo current(std::string_view shortVersion, std::string_view build);
    // The same from given texts of /etc/os-release and /proc/cpuinfo and a kernel release.
    static FeedbackSystemInfo make(std::string_view shortVersion, std::string_view build, std::string_view osRelease,
                                   std::string_view kernel, std::string_view cpuinfo);

    // PRETTY_NAME of an os-release text (shell-style quoting undone), else NAME and
    // VERSION_ID, else "Linux".
    static std::string distribution(std::string_view osRelease);
    // The first "model name" of a cpuinfo text, else its "Hardware" line, else "unknown".
    static std::string cpuModel(std::string_view cpuinfo);
};

}  // namespace Kestrow
