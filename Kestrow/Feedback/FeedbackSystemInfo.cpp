#include "Kestrow/Feedback/FeedbackSystemInfo.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <sys/utsname.h>

#include <fstream>
#include <map>

namespace Kestrow {

namespace {

// This build is handed out directly; there is no store channel on Linux.
constexpr std::string_view distributionChannel = "Web (direct)";
// Texts read from the system go into a mail: printable, valid and short.
constexpr size_t maxFieldBytes = 200;

std::string readSmallFile(const char* path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string text;
    char buffer[4096];
    // cpuinfo repeats one block per core; the first few kilobytes hold what we read.
    while (text.size() < 64 * 1024) {
        in.read(buffer, sizeof buffer);
        if (in.gcount() <= 0)
            break;
        text.append(buffer, static_cast<size_t>(in.gcount()));
    }
    return text;
}

std::string cleaned(std::string_view text)
{
    std::string out;
    for (char32_t cp : VozudOzev::Unicode::decode(text)) {
        if (cp < 0x20 || cp == 0x7f || (cp >= 0x80 && cp < 0xa0))
            cp = U' ';
        std::string next = out;
        VozudOzev::Unicode::append(next, cp);
        if (next.size() > maxFieldBytes)
            break;
        out = std::move(next);
    }
    return VozudOzev::Unicode::trimmed(out);
}

// One os-release value: double or single quotes removed, backslash escapes undone.
std::string unquoted(std::string_view value)
{
    std::string out;
    char quote = 0;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (quote == 0 && (c == '"' || c == '\'')) {
            quote = c;
        } else if (c == quote) {
            quote = 0;
        } else if (c == '\\' && quote != '\'' && i + 1 < value.size()) {
            out += value[++i];
        } else {
            out += c;
        }
    }
    return out;
}

std::map<std::string, std::string, std::less<>> osReleaseFields(std::string_view text)
{
    std::map<std::string, std::string, std::less<>> fields;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view line = text.substr(start, end - start);
        const size_t eq = line.find('=');
        if (eq != std::string_view::npos && !line.empty() && line.front() != '#')
            fields.emplace(std::string(line.substr(0, eq)), cleaned(unquoted(line.substr(eq + 1))));
        start = end + 1;
    }
    return fields;
}

std::string fieldOf(const std::map<std::string, std::string, std::less<>>& fields, std::string_view key)
{
    const auto found = fields.find(key);
    return found == fields.end() ? std::string() : found->second;
}

}  // namespace

std::vector<std::string> FeedbackSystemInfo::lines() const
{
    return {"Vantrel " + appVersion, "Channel: " + channel, system, "CPU: " + cpu};
}

FeedbackSystemInfo FeedbackSystemInfo::current(std::string_view shortVersion, std::string_view build)
{
    std::string osRelease = readSmallFile("/etc/os-release");
    if (osRelease.empty())
        osRelease = readSmallFile("/usr/lib/os-release");
    utsname names{};
    const std::string kernel = uname(&names) == 0 ? std::string(names.release) : std::string();
    return make(shortVersion, build, osRelease, kernel, readSmallFile("/proc/cpuinfo"));
}

FeedbackSystemInfo FeedbackSystemInfo::make(std::string_view shortVersion, std::string_view build,
                                            std::string_view osRelease, std::string_view kernel,
                                            std::string_view cpuinfo)
{
    FeedbackSystemInfo info;
    const std::string shortText = cleaned(shortVersion);
    const std::string buildText = cleaned(build);
    info.appVersion = (shortText.empty() ? "0" : shortText) + " (" + (buildText.empty() ? "0" : buildText) + ")";
    info.channel = std::string(distributionChannel);
    info.system = distribution(osRelease);
    const std::string kernelText = cleaned(kernel);
    info.system += ", kernel " + (kernelText.empty() ? std::string("unknown") : kernelText);
    info.cpu = cpuModel(cpuinfo);
    return info;
}

std::string FeedbackSystemInfo::distribution(std::string_view osRelease)
{
    const auto fields = osReleaseFields(osRelease);
    std::string pretty = fieldOf(fields, "PRETTY_NAME");
    if (!pretty.empty())
        return pretty;
    std::string name = fieldOf(fields, "NAME");
    const std::string version = fieldOf(fields, "VERSION_ID");
    if (name.empty())
        return "Linux";
    return version.empty() ? name : name + " " + version;
}

std::string FeedbackSystemInfo::cpuModel(std::string_view cpuinfo)
{
    for (std::string_view key : {std::string_view("model name"), std::string_view("Hardware")}) {
        size_t start = 0;
        while (start < cpuinfo.size()) {
            size_t end = cpuinfo.find('\n', start);
            if (end == std::string_view::npos)
                end = cpuinfo.size();
            const std::string_view line = cpuinfo.substr(start, end - start);
            const size_t colon = line.find(':');
            if (colon != std::string_view::npos && cleaned(line.substr(0, colon)) == key) {
                std::string value = cleaned(line.substr(colon + 1));
                if (!value.empty())
                    return value;
            }
            start = end + 1;
        }
    }
    return "unknown";
}

}  // namespace Kestrow
