#include "Kestrow/History/HistorySettingsSection.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/History/HistoryText.hpp"
#include "Kestrow/History/HistoryThumbnails.hpp"
#include "Kestrow/History/HistoryView.hpp"
#include "Kestrow/History/HistoryWindow.hpp"

#include "HistoryFixtures.hpp"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>

using namespace Kestrow;
using namespace HistoryFixtures;

namespace {

class HistoryViewTest : public ::testing::Test {
protected:
    QTemporaryDir temp;
    Defaults settings = Defaults::atPath(temp.path() + "/settings.ini");
    HistoryStore store{temp.path() + "/History", &settings};
    std::vector<CaptureResult> opened;

    std::unique_ptr<HistoryView> makeView()
    {
        auto view = std::make_unique<HistoryView>(store, [this](const CaptureResult& c) { opened.push_back(c); });
        view->resize(640, 480);
        return view;
    }

    template <class T>
    static T* child(QWidget& w, const char* name)
    {
        auto* found = w.findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static void press(QWidget* target, int key)
    {
        const QString text = key >= Qt::Key_0 && key <= Qt::Key_9 ? QString(QChar(key)) : QString();
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &down);
    }

    // Three captures: a sales table, a text-only capture, an item with two tables.
    void addThree()
    {
        VozudOzev::Table sales;
        sales.rows = 2;
        sales.cols = 2;
        sales.cells = {cell(0, 0, "Region"), cell(0, 1, "Total"), cell(1, 0, "North"), cell(1, 1, "1,200")};
        store.add(capture(100, sales), "Firefox", "B");
        auto text = capture(200, table(1, 1));
        text.extraction.output.tables.clear();
        text.extraction.output.selectedTable.reset();
        text.extraction.lines = {{"Meeting notes from Hanoi", {}, 1, {}}};
        store.add(text, "Notes", "B");
        auto two = capture(300, table(2, 2));
        VozudOzev::Table hidden = table(1, 1);
        hidden.cells[0].text = "Invisible";
        two.extraction.output.tables.push_back(hidden);
        store.add(two, "Calc", "B");
    }
};

}  // namespace

TEST_F(HistoryViewTest, FilterSearchesSourceTitleSelectedCellsAndLines)
{
    addThree();
    const struct {
        QString query;
        std::vector<std::string> sources;
    } cases[] = {
        {"", {"Calc", "Notes", "Firefox"}},
        {" \t ", {"Calc", "Notes", "Firefox"}},
        {"  north ", {"Firefox"}},           // cells, any case, spaces around ignored
        {"hanoi", {"Notes"}},                // OCR lines of an item without tables
        {"invisible", {}},                   // a table other than the selected one
        {"Region · Total", {}},              // the preview is not searched
        {"text only", {"Notes"}},            // the title
        {"(+1)", {"Calc"}},
        {"firefox", {"Firefox"}},
        {"north\n", {}},                     // line breaks are not trimmed
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query.toStdString());
        std::vector<std::string> got;
        for (const HistoryItem* item : HistoryView::filter(store.items(), c.query))
            got.push_back(item->sourceName);
        EXPECT_EQ(got, c.sources);
    }
}

TEST_F(HistoryViewTest, TitlesCountTablesAndTextOnly)
{
    addThree();
    EXPECT_EQ(HistoryText::title(store.items()[0]), QString("2 × 2 table (+1)"));
    EXPECT_EQ(HistoryText::title(store.items()[1]), QString("Text only"));
    EXPECT_EQ(HistoryText::title(store.items()[2]), QString("2 × 2 table"));
}

TEST_F(HistoryViewTest, ShowsTheThreeContentStatesAndKeepsTheSelection)
{
    auto view = makeView();
    auto* search = child<QLineEdit>(*view, "search");
    search->setText("anything");
    EXPECT_EQ(view->content(), HistoryView::Content::empty);  // even with a search typed
    EXPECT_FALSE(child<QPushButton>(*view, "deleteAll")->isEnabled());
    search->clear();

    addThree();
    EXPECT_EQ(view->content(), HistoryView::Content::list);
    view->select(store.items()[2].id);
    search->setText("zzz");
    EXPECT_EQ(view->content(), HistoryView::Content::noMatches);
    // A hidden selection still opens and deletes.
    EXPECT_TRUE(child<QPushButton>(*view, "open")->isEnabled());
    child<QPushButton>(*view, "clearSearch")->click();
    EXPECT_EQ(search->text(), "");
    EXPECT_EQ(view->content(), HistoryView::Content::list);
    EXPECT_EQ(view->selection(), std::optional<std::string>(store.items()[2].id));
    EXPECT_EQ(child<QListView>(*view, "list")->currentIndex().row(), 2);
}

TEST_F(HistoryViewTest, EnabledStatesReturnOpensDeleteDeletes)
{
    addThree();
    auto view = makeView();
    auto* list = child<QListView>(*view, "list");
    auto* open = child<QPushButton>(*view, "open");
    auto* del = child<QPushButton>(*view, "delete");
    EXPECT_FALSE(open->isEnabled());
    EXPECT_FALSE(del->isEnabled());
    EXPECT_TRUE(child<QPushButton>(*view, "deleteAll")->isEnabled());

    press(list, Qt::Key_Return);  // nothing selected: nothing happens
    EXPECT_TRUE(opened.empty());

    list->setCurrentIndex(list->model()->index(1, 0));
    EXPECT_EQ(view->selection(), std::optional<std::string>(store.items()[1].id));
    EXPECT_TRUE(open->isEnabled());
    EXPECT_TRUE(del->isEnabled());
    press(list, Qt::Key_Return);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].sourceName, std::optional<QString>("Notes"));
    EXPECT_EQ(store.item(opened[0].id)->id, store.items()[1].id);

    press(list, Qt::Key_Delete);
    EXPECT_EQ(store.items().size(), 2u);
    EXPECT_EQ(view->selection(), std::nullopt);
    EXPECT_FALSE(open->isEnabled());
    EXPECT_FALSE(del->isEnabled());
}

TEST_F(HistoryViewTest, DeleteAllAsksFirst)
{
    addThree();
    auto view = makeView();
    QString asked;
    bool answer = false;
    view->setConfirm([&](QWidget*, const QString& title, const QString&, const QString&) {
        asked = title;
        return answer;
    });
    view->select(store.items()[0].id);
    view->confirmDeleteAll();
    EXPECT_EQ(asked, "Delete all 3 saved captures?");
    EXPECT_EQ(store.items().size(), 3u);
    answer = true;
    view->confirmDeleteAll();
    EXPECT_TRUE(store.items().empty());
    EXPECT_EQ(view->selection(), std::nullopt);
    EXPECT_EQ(view->content(), HistoryView::Content::empty);
}

TEST_F(HistoryViewTest, SettingsSectionWritesThroughTheStore)
{
    for (int i = 0; i < 30; ++i)
        store.add(capture(100 + i, table(1, 1)), "A", "B");
    HistorySettingsSection section(store, nullptr);
    auto* enabled = child<QCheckBox>(section, "enabled");
    auto* limit = child<QSpinBox>(section, "limit");
    auto* images = child<QCheckBox>(section, "keepImages");
    EXPECT_EQ(section.findChild<QPushButton*>("showHistory"), nullptr);
    EXPECT_EQ(limit->value(), 50);

    enabled->setChecked(false);
    EXPECT_FALSE(store.enabled());
    EXPECT_FALSE(limit->isEnabled());
    EXPECT_FALSE(images->isEnabled());
    EXPECT_TRUE(child<QPushButton>(section, "deleteAllHistory")->isEnabled());
    enabled->setChecked(true);

    // Typing "40" passes through "4": nothing may be pruned until the value is final.
    limit->selectAll();
    for (int key : {Qt::Key_4, Qt::Key_0})
        press(limit, key);
    EXPECT_EQ(store.items().size(), 30u);
    EXPECT_EQ(store.limit(), 50);
    press(limit, Qt::Key_Return);
    EXPECT_EQ(store.limit(), 40);

    limit->setValue(5);
    EXPECT_EQ(store.items().size(), 5u);
    limit->stepDown();
    EXPECT_EQ(store.limit(), 5);
    limit->setValue(500);
    limit->stepUp();
    EXPECT_EQ(store.limit(), 500);

    section.setConfirm([](QWidget*, const QString&, const QString&, const QString&) { return true; });
    child<QPushButton>(section, "deleteAllHistory")->click();
    EXPECT_TRUE(store.items().empty());
    EXPECT_FALSE(child<QPushButton>(section, "deleteAllHistory")->isEnabled());
}

TEST_F(HistoryViewTest, WindowLeavesTheSettingsToTheSettingsWindow)
{
    HistoryWindow window(store, [](const CaptureResult&) {});
    EXPECT_EQ(window.windowTitle(), "History");
    EXPECT_EQ(window.minimumSize(), QSize(480, 320));
    EXPECT_EQ(window.size(), QSize(640, 480));
    EXPECT_TRUE(child<QPushButton>(window, "settings")->isHidden());
    EXPECT_TRUE(window.findChildren<HistorySettingsSection*>().isEmpty());
}

// Light and dark screenshots with thumbnails, counts and previews; written where
// VANTREL_SCREENSHOTS points, otherwise only rendered.
TEST_F(HistoryViewTest, RendersLightAndDark)
{
    store.setKeepImages(true);
    const char* sources[] = {"Firefox", "LibreOffice Calc", "Screen capture", "Evince", "Stitched capture"};
    for (int i = 0; i < 5; ++i) {
        QImage image(360, 240, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setPen(QColor(60, 60, 60));
        for (int r = 0; r <= 6; ++r)
            p.drawLine(0, r * 40, 360, r * 40);
        for (int c = 0; c <= 3; ++c)
            p.drawLine(c * 120, 0, c * 120, 240);
        p.fillRect(0, 0, 360, 40, QColor::fromHsv(i * 60, 90, 230));
        p.end();
        VozudOzev::Table t = table(12 + i, 4);
        t.cells[0].text = "Region";
        for (int f = 0; f < i; ++f)
            t.cells[static_cast<size_t>(5 + f)].flags = std::vector{VozudOzev::CellFlag::lowConfidence};
        auto c = capture(1767619800 + i * 3600, t);
        c.image = image;
        store.add(c, sources[i], "B");
    }
    auto notes = capture(1767619800 + 6 * 3600, table(1, 1));
    notes.extraction.output.tables.clear();
    notes.extraction.output.selectedTable.reset();
    notes.extraction.lines = {{"Quarterly notes: revenue up 12% on last year", {}, 1, {}}};
    store.add(notes, "Notes", "B");
    store.flush();
    const QString dir = qEnvironmentVariable("VANTREL_SCREENSHOTS");
    const QPalette original = QApplication::palette();
    for (bool dark : {false, true}) {
        QPalette pal = original;
        if (dark) {
            pal.setColor(QPalette::Window, QColor(0x1e, 0x1f, 0x22));
            pal.setColor(QPalette::WindowText, QColor(0xec, 0xec, 0xee));
            pal.setColor(QPalette::Base, QColor(0x26, 0x27, 0x2b));
            pal.setColor(QPalette::Text, QColor(0xec, 0xec, 0xee));
            pal.setColor(QPalette::Button, QColor(0x33, 0x35, 0x3a));
            pal.setColor(QPalette::ButtonText, QColor(0xec, 0xec, 0xee));
        }
        QApplication::setPalette(pal);
        auto view = makeView();
        view->setShowSettings([] {});
        view->show();
        view->select(store.items()[1].id);
        view->grab();
        view->thumbnails().waitForLoads();
        const QImage shot = view->grab().toImage();
        EXPECT_FALSE(shot.isNull());
        HistorySettingsSection section(store, [] {});
        section.resize(560, 360);
        const QImage settingsShot = section.grab().toImage();
        if (!dir.isEmpty()) {
            shot.save(dir + (dark ? "/history-dark.png" : "/history-light.png"));
            settingsShot.save(dir + (dark ? "/history-settings-dark.png" : "/history-settings-light.png"));
        }
    }
    QApplication::setPalette(original);
}
