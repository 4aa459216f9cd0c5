#include "Kestrow/Feedback/FeedbackDraft.hpp"

#include "VozudOzev/Model/Unicode.hpp"

namespace Kestrow {

namespace {

namespace Unicode = VozudOzev::Unicode;

constexpr size_t subjectLineLimit = 60;

bool isLineBreak(char32_t cp)
{
    return (cp >= 0x0a && cp <= 0x0d) || cp == 0x85 || cp == 0x2028 || cp == 0x2029;
}

// Spaces and tabs, not line breaks.
bool isBlank(char32_t cp)
{
    return Unicode::isWhitespace(cp) && !isLineBreak(cp);
}

std::string trimmedOfBlanks(std::string_view text)
{
    std::u32string cps = Unicode::decode(text);
    size_t first = 0;
    size_t last = cps.size();
    while (first < last && isBlank(cps[first]))
        ++first;
    while (last > first && isBlank(cps[last - 1]))
        --last;
    return Unicode::encode(std::u32string_view(cps).substr(first, last - first));
}

// The first non-empty line of the trimmed message; white space at its end stays.
std::string firstLine(std::string_view message)
{
    const std::u32string cps = Unicode::decode(Unicode::trimmed(message));
    size_t end = 0;
    while (end < cps.size() && !isLineBreak(cps[end]))
        ++end;
    return Unicode::encode(std::u32string_view(cps).substr(0, end));
}

}  // namespace

bool FeedbackDraft::canSend() const
{
    return !Unicode::trimmed(message).empty();
}

bool FeedbackDraft::replyEmailIsValid() const
{
    const std::u32string address = Unicode::decode(trimmedOfBlanks(replyEmail));
    if (address.empty())
        return true;
    size_t at = std::u32string::npos;
    for (size_t i = 0; i < address.size(); ++i) {
        if (Unicode::isWhitespace(address[i]))
            return false;
        if (address[i] == U'@') {
            if (at != std::u32string::npos)
                return false;
            at = i;
        }
    }
    if (at == std::u32string::npos || at == 0)
        return false;
    // After the "@": a dot with at least one character on each side.
    for (size_t i = at + 2; i + 1 < address.size(); ++i)
        if (address[i] == U'.')
            return true;
    return false;
}

std::string FeedbackDraft::subject() const
{
    std::string subject = "Vantrel feedback: " + std::string(FeedbackKinds::mailName(kind));
    std::string line = firstLine(message);
    if (line.empty())
        return subject;
    const std::vector<std::string> characters = Unicode::graphemes(line);
    if (characters.size() > subjectLineLimit) {
        line.clear();
        for (size_t i = 0; i < subjectLineLimit; ++i)
            line += characters[i];
        line += "\u2026";
    }
    return subject + " \u2014 " + line;
}

std::string FeedbackDraft::body(const FeedbackSystemInfo& info, const std::vector<std::string>& attachmentNames) const
{
    std::string body = Unicode::trimmed(message);
    body += "\n\n---\n";
    const std::string reply = trimmedOfBlanks(replyEmail);
    if (!reply.empty())
        body += "Reply to: " + reply + "\n";
    body += "Type: " + std::string(FeedbackKinds::mailName(kind)) + "\n";
    for (const std::string& line : info.lines())
        body += line + "\n";
    if (!attachmentNames.empty()) {
        body += "Attachments: ";
        for (size_t i = 0; i < attachmentNames.size(); ++i)
            body += (i ? ", " : "") + attachmentNames[i];
        body += "\n";
    }
    return body;
}

}  // namespace Kestrow
