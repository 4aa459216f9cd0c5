#include "Kestrow/Settings/UpdateController.hpp"
#include "Kestrow/Settings/UpdateFeed.hpp"
#include "Kestrow/Shell/Defaults.hpp"

#include <gtest/gtest.h>

#include <QAction>
#include <QTemporaryDir>

using namespace Kestrow;

namespace {
QVariantMap info(QVariant feed, QVariant key) {
    QVariantMap m;
    if (feed.isValid()) m.insert(QStringLiteral("SUFeedURL"), feed);
    if (key.isValid()) m.insert(QStringLiteral("SUPublicEDKey"), key);
    return m;
}

const QVariant goodFeed = QStringLiteral("https://updates.vantrel.org/feed.json");
const QVariant goodKey = QStringLiteral("pk9Xw3");

// Answers every fetch with the reply given, at once or when told.
struct ScriptedFetcher final : UpdateFetcher {
    Reply reply;
    int calls = 0;
    bool hold = false;
    std::function<void(Reply)> pending;
    void fetch(const QUrl&, qint64, int, std::function<void(Reply)> done) override {
        ++calls;
        if (hold) pending = std::move(done);
        else done(reply);
    }
};
}  // namespace

TEST(UpdateController, ConfiguredOnlyWithAnHttpsFeedAndARealKey) {
    const struct { const char* name; QVariantMap info; bool configured; } cases[] = {
        {"both good", info(goodFeed, goodKey), true},
        {"nothing", {}, false},
        {"no key", info(goodFeed, {}), false},
        {"key not text", info(goodFeed, 42), false},
        {"feed not text", info(QStringList{goodFeed.toString()}, goodKey), false},
        {"plain http", info(QStringLiteral("http://updates.vantrel.org/feed.json"), goodKey), false},
        {"other scheme", info(QStringLiteral("ftp://updates.vantrel.org/feed.json"), goodKey), false},
        {"no host", info(QStringLiteral("https:///feed.json"), goodKey), false},
        {"not a url", info(QStringLiteral("https://exa mple"), goodKey), false},
        {"invalid host", info(QStringLiteral("https://updates.invalid/feed"), goodKey), false},
        {"example host", info(QStringLiteral("https://www.example.com/feed"), goodKey), false},
        {"placeholder key", info(goodFeed, QStringLiteral("REPLACE_ME")), false},
        {"empty key", info(goodFeed, QStringLiteral("")), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(UpdateController::isConfigured(c.info), c.configured);
    }
}

TEST(UpdateFeed, VersionsCompareNumerically) {
    const struct { const char* a; const char* b; int sign; } cases[] = {
        {"1.10", "1.9", 1}, {"1.2", "1.2.0", 0}, {"0.1.0", "0.1.1", -1}, {"2", "10", -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        const auto a = UpdateFeed::versionParts(QString::fromLatin1(c.a));
        const auto b = UpdateFeed::versionParts(QString::fromLatin1(c.b));
        ASSERT_TRUE(a && b);
        const int r = UpdateFeed::compareVersions(*a, *b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign);
    }
    for (const char* bad : {"", "1.", ".1", "1..2", "1.2a", "-1", "v1.2", "1.2.3.4.5.6.7.8.9", "99999999999"})
        EXPECT_FALSE(UpdateFeed::versionParts(QString::fromLatin1(bad))) << bad;
}

TEST(UpdateController, CheckReportsEachFeedOutcome) {
    const QByteArray big(UpdateFeed::maxBytes + 1, ' ');
    const struct {
        const char* name;
        UpdateFetcher::Reply reply;
        UpdateCheckResult::Kind kind;
    } cases[] = {
        {"newer", {R"({"version":"0.10.0","page":"https://vantrel.org/get"})", {}}, UpdateCheckResult::Kind::available},
        {"equal", {R"({"version":"0.9","page":"https://vantrel.org/get"})", {}}, UpdateCheckResult::Kind::upToDate},
        {"older", {R"({"version":"0.8.7","page":"https://vantrel.org/get"})", {}}, UpdateCheckResult::Kind::upToDate},
        {"malformed", {R"({"version":1})", {}}, UpdateCheckResult::Kind::failed},
        {"not json", {"<rss/>", {}}, UpdateCheckResult::Kind::failed},
        {"http page", {R"({"version":"9.0","page":"http://vantrel.org/get"})", {}}, UpdateCheckResult::Kind::failed},
        {"oversized", {big, {}}, UpdateCheckResult::Kind::failed},
        {"timed out", {{}, QStringLiteral("Operation timed out")}, UpdateCheckResult::Kind::failed},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Defaults d = Defaults::atPath(dir.path() + QStringLiteral("/u.conf"));
        auto fetcher = std::make_unique<ScriptedFetcher>();
        fetcher->reply = c.reply;
        UpdateController u(info(goodFeed, goodKey), d, std::move(fetcher), QStringLiteral("0.9.0"));
        std::vector<UpdateCheckResult> shown;
        u.presentResult = [&](const UpdateCheckResult& r) { shown.push_back(r); };
        u.checkForUpdates();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].kind, c.kind);
        EXPECT_TRUE(u.canCheckForUpdates());
        if (c.kind == UpdateCheckResult::Kind::failed) {
            EXPECT_FALSE(shown[0].reason.isEmpty());
        }
    }
}

TEST(UpdateController, UnconfiguredBuildNeverFetchesAndDisablesItsControls) {
    QTemporaryDir dir;
    Defaults d = Defaults::atPath(dir.path() + QStringLiteral("/u.conf"));
    auto fetcher = std::make_unique<ScriptedFetcher>();
    ScriptedFetcher* f = fetcher.get();
    UpdateController u(info(QStringLiteral("http://updates.vantrel.org/feed"), goodKey), d, std::move(fetcher),
                       QStringLiteral("0.1.0"));
    QObject owner;
    QAction* item = u.makeMenuItem(&owner);
    u.setAutomaticallyChecks(true);
    u.checkForUpdates();
    EXPECT_EQ(f->calls, 0);
    EXPECT_FALSE(u.isConfigured());
    EXPECT_FALSE(item->isEnabled());
    EXPECT_FALSE(u.automaticallyChecks());
    EXPECT_EQ(item->text(), QStringLiteral("Check for Updates…"));
}

TEST(UpdateController, MenuItemIsDisabledWhileACheckRunsAndTheSwitchIsKept) {
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/u.conf");
    {
        Defaults d = Defaults::atPath(path);
        auto fetcher = std::make_unique<ScriptedFetcher>();
        ScriptedFetcher* f = fetcher.get();
        f->hold = true;
        f->reply = {R"({"version":"0.1.0","page":"https://vantrel.org/get"})", {}};
        UpdateController u(info(goodFeed, goodKey), d, std::move(fetcher), QStringLiteral("0.1.0"));
        u.presentResult = [](const UpdateCheckResult&) {};
        QObject owner;
        QAction* item = u.makeMenuItem(&owner);
        EXPECT_TRUE(item->isEnabled());
        u.checkForUpdates();
        EXPECT_FALSE(item->isEnabled());
        u.checkForUpdates();
        EXPECT_EQ(f->calls, 1) << "no second check while one runs";
        f->pending(f->reply);
        EXPECT_TRUE(item->isEnabled());
        u.setAutomaticallyChecks(true);
        u.setAutomaticallyChecks(false);
        d.sync();
    }
    Defaults d = Defaults::atPath(path);
    UpdateController again(info(goodFeed, goodKey), d, std::make_unique<ScriptedFetcher>(), QStringLiteral("0.1.0"));
    EXPECT_FALSE(again.automaticallyChecks());
}
