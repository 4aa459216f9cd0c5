#include "Kestrow/Feedback/FeedbackDraft.hpp"

#include <gtest/gtest.h>

using namespace Kestrow;

namespace {

const FeedbackSystemInfo info{"1.4 (212)", "Web (direct)", "Debian GNU/Linux 12 (bookworm), kernel 6.1.0", "Xeon"};

FeedbackDraft draft(std::string message, std::string reply = {}, FeedbackKind kind = FeedbackKind::bug)
{
    FeedbackDraft d;
    d.kind = kind;
    d.message = std::move(message);
    d.replyEmail = std::move(reply);
    return d;
}

std::string repeated(std::string_view piece, int times)
{
    std::string out;
    for (int i = 0; i < times; ++i)
        out += piece;
    return out;
}

}  // namespace

TEST(FeedbackKind, RawValuesAreExactAndOrdered)
{
    const struct {
        std::string_view raw;
        std::optional<FeedbackKind> kind;
        std::string_view mailName;
    } cases[] = {
        {"bug", FeedbackKind::bug, "Bug"},
        {"misreadTable", FeedbackKind::misreadTable, "Misread table"},
        {"suggestion", FeedbackKind::suggestion, "Suggestion"},
        {"misreadtable", std::nullopt, ""},
        {"Bug", std::nullopt, ""},
        {"", std::nullopt, ""},
        {"bug ", std::nullopt, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.raw));
        EXPECT_EQ(FeedbackKinds::fromRawValue(c.raw), c.kind);
        if (c.kind) {
            EXPECT_EQ(FeedbackKinds::rawValue(*c.kind), c.raw);
            EXPECT_EQ(FeedbackKinds::mailName(*c.kind), c.mailName);
        }
    }
    EXPECT_EQ(FeedbackKinds::allCases[0], FeedbackKind::bug);
    EXPECT_EQ(FeedbackKinds::allCases[1], FeedbackKind::misreadTable);
    EXPECT_EQ(FeedbackKinds::allCases[2], FeedbackKind::suggestion);
}

TEST(FeedbackDraft, CanSendNeedsMoreThanWhiteSpace)
{
    EXPECT_FALSE(draft("").canSend());
    EXPECT_FALSE(draft(" \n\t\r\n\u2028\u3000 ").canSend());
    EXPECT_TRUE(draft("\n x \n").canSend());
}

TEST(FeedbackDraft, ReplyAddressValidity)
{
    const struct {
        std::string address;
        bool valid;
    } cases[] = {
        {"", true},
        {"   \t ", true},
        {"a@b.c", true},
        {"  first.last@mail.example.org\t", true},
        {"a.b@c.d.e", true},
        {"a@b.c.", true},  // a dot with characters on both sides stands before the last one
        {"a@b", false},
        {"a@b.", false},
        {"a@.b", false},
        {"@b.c", false},
        {"a@@b.c", false},
        {"a@b@c.d", false},
        {"a b@c.d", false},
        {"a@b\u00a0c.d", false},
        {"a@b.c\nd", false},
        {"ab.c", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.address);
        EXPECT_EQ(draft("x", c.address).replyEmailIsValid(), c.valid);
    }
}

TEST(FeedbackDraft, SubjectTakesTheFirstLineCutToSixtyCharacters)
{
    const std::string sixty = repeated("a", 60);
    const std::string family = "\U0001F468\u200D\U0001F469\u200D\U0001F467";  // one character
    const struct {
        std::string message;
        FeedbackKind kind;
        std::string subject;
    } cases[] = {
        {"", FeedbackKind::suggestion, "Vantrel feedback: Suggestion"},
        {" \n ", FeedbackKind::bug, "Vantrel feedback: Bug"},
        {"Totals wrong", FeedbackKind::bug, "Vantrel feedback: Bug — Totals wrong"},
        {"Totals wrong", FeedbackKind::misreadTable, "Vantrel feedback: Misread table — Totals wrong"},
        {"\n\n  \r\n  First real line\nsecond", FeedbackKind::bug, "Vantrel feedback: Bug — First real line"},
        {"Ends in blanks  \nnext", FeedbackKind::bug, "Vantrel feedback: Bug — Ends in blanks  "},
        {"one\u2028two", FeedbackKind::bug, "Vantrel feedback: Bug — one"},
        {"one\rtwo", FeedbackKind::bug, "Vantrel feedback: Bug — one"},
        {sixty, FeedbackKind::bug, "Vantrel feedback: Bug — " + sixty},
        {sixty + "b", FeedbackKind::bug, "Vantrel feedback: Bug — " + sixty + "…"},
        {repeated(family, 60), FeedbackKind::bug, "Vantrel feedback: Bug — " + repeated(family, 60)},
        {repeated(family, 61), FeedbackKind::bug, "Vantrel feedback: Bug — " + repeated(family, 60) + "…"},
        {repeated("e\u0301", 61), FeedbackKind::bug, "Vantrel feedback: Bug — " + repeated("e\u0301", 60) + "…"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(draft(c.message, {}, c.kind).subject(), c.subject);
    }
}

TEST(FeedbackDraft, BodyCombinations)
{
    const std::string system =
        "Vantrel 1.4 (212)\nChannel: Web (direct)\nDebian GNU/Linux 12 (bookworm), kernel 6.1.0\nCPU: Xeon\n";
    const struct {
        std::string message, reply;
        FeedbackKind kind;
        std::vector<std::string> names;
        std::string body;
    } cases[] = {
        {"Hello", "", FeedbackKind::bug, {}, "Hello\n\n---\nType: Bug\n" + system},
        {"  Hello\nthere \n\n", "  me@x.org ", FeedbackKind::suggestion, {},
         "Hello\nthere\n\n---\nReply to: me@x.org\nType: Suggestion\n" + system},
        {"Bad", "me@x.org", FeedbackKind::misreadTable, {"capture.png", "table.csv"},
         "Bad\n\n---\nReply to: me@x.org\nType: Misread table\n" + system + "Attachments: capture.png, table.csv\n"},
        {"Bad", " \t", FeedbackKind::misreadTable, {"table.csv"},
         "Bad\n\n---\nType: Misread table\n" + system + "Attachments: table.csv\n"},
        {"", "", FeedbackKind::bug, {}, "\n\n---\nType: Bug\n" + system},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(draft(c.message, c.reply, c.kind).body(info, c.names), c.body);
    }
}

TEST(FeedbackSystemInfo, LinesFromTheSystemsTexts)
{
    const std::string cpuinfo = "processor\t: 0\nvendor_id\t: GenuineIntel\nmodel name\t: Intel(R) Xeon(R) CPU @ 2.20GHz\n"
                                "\nprocessor\t: 1\nmodel name\t: Intel(R) Xeon(R) CPU @ 2.20GHz\n";
    const FeedbackSystemInfo made = FeedbackSystemInfo::make(
        "1.4", "212", "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n", "6.1.0-18-amd64",
        cpuinfo);
    EXPECT_EQ(made.lines(), (std::vector<std::string>{"Vantrel 1.4 (212)", "Channel: Web (direct)",
                                                      "Debian GNU/Linux 12 (bookworm), kernel 6.1.0-18-amd64",
                                                      "CPU: Intel(R) Xeon(R) CPU @ 2.20GHz"}));
    const FeedbackSystemInfo bare = FeedbackSystemInfo::make("", "", "", "", "");
    EXPECT_EQ(bare.lines(), (std::vector<std::string>{"Vantrel 0 (0)", "Channel: Web (direct)",
                                                      "Linux, kernel unknown", "CPU: unknown"}));

    const struct {
        std::string osRelease, name;
    } releases[] = {
        {"PRETTY_NAME='Arch Linux'\n", "Arch Linux"},
        {"# comment\nNAME=Fedora\nVERSION_ID=40\n", "Fedora 40"},
        {"NAME=\"Odd \\\"quoted\\\" \\$name\"\n", "Odd \"quoted\" $name"},
        {"PRETTY_NAME=\"Tab\there\x01\"\n", "Tab here"},
        {"PRETTY_NAME=\n", "Linux"},
    };
    for (const auto& r : releases) {
        SCOPED_TRACE(r.osRelease);
        EXPECT_EQ(FeedbackSystemInfo::distribution(r.osRelease), r.name);
    }
    EXPECT_EQ(FeedbackSystemInfo::cpuModel("processor : 0\nHardware : BCM2835\n"), "BCM2835");
    EXPECT_EQ(FeedbackSystemInfo::cpuModel("model name :\nHardware : X\n"), "X");
    EXPECT_EQ(FeedbackSystemInfo::cpuModel(std::string(300, 'z')), "unknown");
    EXPECT_LE(FeedbackSystemInfo::distribution("PRETTY_NAME=" + std::string(5000, 'x')).size(), 200u);

    // This machine: four lines, each on one line.
    const FeedbackSystemInfo here = FeedbackSystemInfo::current("1.0", "7");
    EXPECT_EQ(here.appVersion, "1.0 (7)");
    EXPECT_NE(here.system.find(", kernel "), std::string::npos);
    for (const std::string& line : here.lines())
        EXPECT_EQ(line.find('\n'), std::string::npos);
}
