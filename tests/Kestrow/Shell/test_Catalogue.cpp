#include "Kestrow/Editor/EditorCommandTitles.hpp"
#include "KestrowSupport/PlatformWords.hpp"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

struct Message {
    QString context;
    QString source;
    QStringList translations;  // one per plural form, or the single translation
    bool unfinished = false;
};

const QString catalogue = QStringLiteral(VANTREL_SOURCE_DIR "/Resources/translations/vantrel_vi.ts");

std::vector<Message> parseCatalogue(const QByteArray& xml)
{
    std::vector<Message> messages;
    QXmlStreamReader reader(xml);
    QString context;
    bool numerus = false;
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement)
            continue;
        const auto name = reader.name();
        if (name == u"name") {
            context = reader.readElementText();
        } else if (name == u"message") {
            numerus = reader.attributes().value(QLatin1String("numerus")) == u"yes";
            messages.push_back({context, {}, {}, false});
        } else if (name == u"source" && !messages.empty()) {
            messages.back().source = reader.readElementText();
        } else if (name == u"translation" && !messages.empty()) {
            const auto type = reader.attributes().value(QLatin1String("type"));
            messages.back().unfinished = type == u"unfinished" || type == u"vanished" || type == u"obsolete";
            if (!numerus)
                messages.back().translations << reader.readElementText();
        } else if (name == u"numerusform" && !messages.empty()) {
            messages.back().translations << reader.readElementText();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return messages;
}

std::vector<Message> readCatalogue(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    return parseCatalogue(file.readAll());
}

QStringList placeholders(const QString& text)
{
    static const QRegularExpression marker(QStringLiteral("%(?:[1-9]|n)"));
    QStringList found;
    for (const auto& match : marker.globalMatch(text))
        found << match.captured();
    found.sort();
    return found;
}

// Every way a message can let the translated interface down, one line each.
QStringList catalogueFaults(const std::vector<Message>& messages)
{
    QStringList faults;
    for (const Message& m : messages) {
        const QString where = m.context + QStringLiteral(" / ") + m.source + QStringLiteral(": ");
        if (m.unfinished)
            faults << where + QStringLiteral("unfinished");
        if (m.translations.isEmpty())
            faults << where + QStringLiteral("no plural form");
        for (const QString& t : m.translations) {
            if (t.trimmed().isEmpty())
                faults << where + QStringLiteral("empty translation");
            else if (placeholders(t) != placeholders(m.source))
                faults << where + QStringLiteral("placeholders differ in “%1”").arg(t);
        }
    }
    return faults;
}

QSet<QString> keys(const std::vector<Message>& messages)
{
    QSet<QString> set;
    for (const Message& m : messages)
        set.insert(m.context + QStringLiteral(" / ") + m.source);
    return set;
}

QStringList foreignWords(const QString& text)
{
    return KestrowTest::foreignPlatformWords(text);
}

}  // namespace

TEST(Catalogue, TheCheckCatchesEveryKindOfFault)
{
    const QByteArray xml = R"(<TS version="2.1" language="vi"><context><name>C</name>
<message><source>Copied %1 × %2 table</source><translation>Đã sao chép bảng %1 × %2</translation></message>
<message numerus="yes"><source>%n cells</source><translation><numerusform>%n ô</numerusform></translation></message>
<message><source>Drop %1</source><translation>Bỏ</translation></message>
<message><source>Add</source><translation>Thêm %2</translation></message>
<message><source>Swap %1</source><translation>Đổi %n</translation></message>
<message numerus="yes"><source>%n rows</source><translation><numerusform>hàng</numerusform></translation></message>
<message><source>New</source><translation type="unfinished"></translation></message>
<message><source>Blank</source><translation>  </translation></message>
<message numerus="yes"><source>Few</source><translation></translation></message>
</context></TS>)";
    const QStringList faults = catalogueFaults(parseCatalogue(xml));
    const QStringList expected = {
        QStringLiteral("C / Drop %1: placeholders differ in “Bỏ”"),
        QStringLiteral("C / Add: placeholders differ in “Thêm %2”"),
        QStringLiteral("C / Swap %1: placeholders differ in “Đổi %n”"),
        QStringLiteral("C / %n rows: placeholders differ in “hàng”"),
        QStringLiteral("C / New: unfinished"),
        QStringLiteral("C / New: empty translation"),
        QStringLiteral("C / Blank: empty translation"),
        QStringLiteral("C / Few: no plural form"),
    };
    EXPECT_EQ(faults, expected);
}

TEST(Catalogue, EveryVietnameseMessageIsFinishedWithTheSamePlaceholders)
{
    const auto messages = readCatalogue(catalogue);
    ASSERT_GT(messages.size(), 300u);
    const QStringList faults = catalogueFaults(messages);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(u'\n').toStdString();
}

TEST(Catalogue, HoldsExactlyTheTextsTheProgramTranslates)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString fresh = dir.filePath(QStringLiteral("fresh_vi.ts"));
    ASSERT_TRUE(QFile::copy(catalogue, fresh));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(VANTREL_SOURCE_DIR));
    lupdate.start(QStringLiteral(VANTREL_LUPDATE),
                  {QStringLiteral("Kestrow"), QStringLiteral("-I"), QStringLiteral("."), QStringLiteral("-silent"),
                   QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-no-obsolete"),
                   QStringLiteral("-ts"), fresh});
    ASSERT_TRUE(lupdate.waitForFinished(120000)) << "lupdate did not finish";
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const QSet<QString> used = keys(readCatalogue(fresh));
    const QSet<QString> kept = keys(readCatalogue(catalogue));
    QStringList missing = QSet<QString>(used).subtract(kept).values();
    QStringList stale = QSet<QString>(kept).subtract(used).values();
    missing.sort();
    stale.sort();
    EXPECT_TRUE(missing.isEmpty()) << "texts the catalogue lacks:\n" << missing.join(u'\n').toStdString();
    EXPECT_TRUE(stale.isEmpty()) << "texts no longer used:\n" << stale.join(u'\n').toStdString();
}

TEST(Catalogue, ForeignPlatformWordsAreCaught)
{
    const struct {
        const char* text;
        QStringList words;
    } cases[] = {
        {"Read on this Mac", {QStringLiteral("Mac")}},
        {"Needs macOS 14", {QStringLiteral("macOS")}},
        {"Keep it in the Dock, not the Finder", {QStringLiteral("Dock"), QStringLiteral("Finder")}},
        {"Open System Settings from the menu bar", {QStringLiteral("System Settings"), QStringLiteral("menu bar")}},
        {"Press \u2318\u2325\u2303", {QStringLiteral("\u2318"), QStringLiteral("\u2325"), QStringLiteral("\u2303")}},
        {"Machine, docked, Menu, bars, Ctrl+Alt+Super", {}},
        {"Allow Screen Recording, synced to iCloud", {QStringLiteral("Screen Recording"), QStringLiteral("iCloud")}},
        {"Paste into Numbers, Pages or Excel; hold the Option key or Cmd",
         {QStringLiteral("Numbers"), QStringLiteral("Pages"), QStringLiteral("Excel"), QStringLiteral("Option key"),
          QStringLiteral("Cmd")}},
        {"Excel workbook (*.xlsx), Sổ làm việc Excel (*.xlsx), numbers and pages", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(foreignWords(QString::fromUtf8(c.text)), c.words) << c.text;
}

TEST(Catalogue, EnglishTextsNameOnlyLinuxThings)
{
    for (const QString& path : {catalogue, QStringLiteral(VANTREL_SOURCE_DIR "/Resources/translations/vantrel_en.ts")}) {
        for (const Message& m : readCatalogue(path)) {
            EXPECT_TRUE(foreignWords(m.source).isEmpty()) << m.context.toStdString() << " / " << m.source.toStdString();
            for (const QString& t : m.translations)
                EXPECT_TRUE(foreignWords(t).isEmpty()) << m.context.toStdString() << " / " << t.toStdString();
        }
    }
}

// The editing model names its commands in its own sources, out of the extractor's sight; the list
// the catalogue is built from must name each of them and nothing else.
TEST(Catalogue, ListsEveryNameTheEditorGivesItsCommands)
{
    static const QRegularExpression literal(QStringLiteral(R"re("([A-Z][A-Za-z ]*)")re"));
    QSet<QString> named;
    for (const char* file : {"EditorCommands.cpp", "EditorDocument.cpp"}) {
        QFile source(QStringLiteral(VANTREL_SOURCE_DIR "/KestrowEditor/") + QLatin1String(file));
        ASSERT_TRUE(source.open(QIODevice::ReadOnly)) << file;
        for (const auto& match : literal.globalMatch(QString::fromUtf8(source.readAll())))
            named.insert(match.captured(1));
    }
    QSet<QString> listed;
    for (const char* title : Kestrow::editorCommandTitles())
        listed.insert(QString::fromUtf8(title));
    ASSERT_GT(named.size(), 10);
    EXPECT_EQ(named, listed);
}
