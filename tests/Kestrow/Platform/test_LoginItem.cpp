#include "Kestrow/Platform/AutostartEntry.hpp"
#include "Kestrow/Platform/LoginItem.hpp"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

using namespace Kestrow;

namespace {
// Reads an Exec value back the way a desktop reads it: string escapes first, then the
// argument quoting.
QStringList execArguments(const QString& entry) {
    QString value;
    for (const QString& line : entry.split(u'\n'))
        if (line.startsWith(QLatin1String("Exec="))) value = line.mid(5);
    QString unescaped;
    for (int i = 0; i < value.size(); ++i) {
        if (value[i] == u'\\' && i + 1 < value.size()) {
            const QChar n = value[++i];
            unescaped += n == u'n' ? QChar(u'\n') : n == u't' ? QChar(u'\t') : n == u'r' ? QChar(u'\r') : n;
        } else {
            unescaped += value[i];
        }
    }
    QStringList args;
    QString cur;
    bool inQuotes = false, any = false;
    for (int i = 0; i < unescaped.size(); ++i) {
        const QChar c = unescaped[i];
        if (inQuotes && c == u'\\' && i + 1 < unescaped.size()) { cur += unescaped[++i]; continue; }
        if (c == u'"') { inQuotes = !inQuotes; any = true; continue; }
        if (c == u'%' && i + 1 < unescaped.size() && unescaped[i + 1] == u'%') { cur += u'%'; ++i; continue; }
        if (c == u' ' && !inQuotes) {
            if (any || !cur.isEmpty()) args << cur;
            cur.clear();
            any = false;
            continue;
        }
        cur += c;
    }
    if (any || !cur.isEmpty()) args << cur;
    return args;
}
}  // namespace

TEST(AutostartEntry, ExecLineCarriesAnyPathIntact) {
    const QString paths[] = {
        QStringLiteral("/usr/bin/vantrel"),
        QStringLiteral("/home/an/My Apps/vantrel"),
        QStringLiteral("/tmp/it's \"quoted\"/$HOME/`id`/back\\slash/100%/vantrel"),
        QStringLiteral("/tmp/tab\there/new\nline/vantrel"),
        QStringLiteral("/tmp/Tiếng Việt/vantrel"),
    };
    for (const QString& p : paths) {
        SCOPED_TRACE(p.toStdString());
        const QString entry = AutostartEntry::text(p, {QStringLiteral("--from-login")});
        EXPECT_EQ(execArguments(entry), (QStringList{p, QStringLiteral("--from-login")}));
        EXPECT_TRUE(AutostartEntry::isEnabledText(entry));
    }
    EXPECT_EQ(AutostartEntry::execArgument(QStringLiteral("/usr/bin/vantrel")), QStringLiteral("/usr/bin/vantrel"));
}

TEST(AutostartEntry, HiddenOrSwitchedOffEntriesAreNotEnabled) {
    const struct { const char* text; bool enabled; } cases[] = {
        {"[Desktop Entry]\nExec=vantrel\n", true},
        {"[Desktop Entry]\nExec=vantrel\nHidden=true\n", false},
        {"[Desktop Entry]\nExec=vantrel\nX-GNOME-Autostart-enabled=false\n", false},
        {"[Desktop Entry]\nExec=vantrel\n[Desktop Action x]\nHidden=true\n", true},
        {"garbage", false},
        {"", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(AutostartEntry::isEnabledText(QString::fromUtf8(c.text)), c.enabled);
    }
}

TEST(XdgLoginItem, EnableWritesAValidEntryAndDisableRemovesIt) {
    QTemporaryDir config;
    const QString program = config.path() + QStringLiteral("/odd dir/\"q\" $x `y`/vantrel");
    XdgLoginItem item(config.path(), program);
    EXPECT_FALSE(item.isEnabled());
    EXPECT_EQ(item.enable(), std::nullopt);
    EXPECT_TRUE(item.isEnabled());

    QFile f(item.entryPath());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(execArguments(QString::fromUtf8(f.readAll())), QStringList{program});
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        QProcess p;
        p.start(validator, {item.entryPath()});
        ASSERT_TRUE(p.waitForFinished(10000));
        EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardOutput().toStdString();
    }

    EXPECT_EQ(item.disable(), std::nullopt);
    EXPECT_FALSE(item.isEnabled());
    EXPECT_EQ(item.disable(), std::nullopt) << "disabling twice is no error";
}

TEST(XdgLoginItem, UnwritableFolderGivesTheReasonAndStaysOff) {
    QTemporaryDir dir;
    // A file where the config folder should be: nothing can be created under it, even as root.
    const QString blocked = dir.path() + QStringLiteral("/config");
    QFile file(blocked);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    XdgLoginItem item(blocked, QStringLiteral("/usr/bin/vantrel"));
    const auto error = item.enable();
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->isEmpty());
    EXPECT_FALSE(item.isEnabled());
}
