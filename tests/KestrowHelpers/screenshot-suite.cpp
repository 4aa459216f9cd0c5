// Renders every window and floating panel of the application, in each language and theme asked
// for, into one folder with an index.html contact sheet, for a person to review.
//
//     vantrel-screenshots [--lang en,vi] [--theme light,dark] OUTDIR
//
// Runs under Qt's offscreen platform with its own temporary settings and history. Exits 1 when a
// picture comes out empty or a window shows a word of another desktop; texts that look clipped
// are listed on stderr for the reviewer.
#include "Kestrow/Capture/CaptureFailure.hpp"
#include "Kestrow/Capture/RegionSelector.hpp"
#include "Kestrow/Capture/SelectionView.hpp"
#include "Kestrow/Feedback/MailHandoff.hpp"
#include "Kestrow/Help/HelpTopic.hpp"
#include "Kestrow/Help/HelpView.hpp"
#include "Kestrow/Help/LicensesView.hpp"
#include "Kestrow/Help/OnboardingView.hpp"
#include "Kestrow/History/HistoryStore.hpp"
#include "Kestrow/History/HistoryWindow.hpp"
#include "Kestrow/Platform/ClipboardWriter.hpp"
#include "Kestrow/Platform/FakeHotkeys.hpp"
#include "Kestrow/Platform/FakeWindowStacking.hpp"
#include "Kestrow/Result/ResultView.hpp"
#include "Kestrow/Settings/SettingsTab.hpp"
#include "Kestrow/Settings/SettingsWindow.hpp"
#include "Kestrow/Settings/ShortcutRecorder.hpp"
#include "Kestrow/Settings/ShortcutsPage.hpp"
#include "Kestrow/Shell/AlertPresenter.hpp"
#include "Kestrow/Shell/AppDelegate.hpp"
#include "Kestrow/Shell/AppResources.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/AppTranslator.hpp"
#include "Kestrow/Shell/EngineService.hpp"
#include "Kestrow/Shell/HUDPill.hpp"
#include "Kestrow/Shell/NoTrayHint.hpp"
#include "Kestrow/Shell/ProgressHUD.hpp"
#include "Kestrow/Shell/QuickCaptureOutcome.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Toast.hpp"
#include "KestrowSupport/NoEngine.hpp"
#include "KestrowSupport/PlatformWords.hpp"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QAbstractItemView>
#include <QPainter>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <functional>
#include <map>

using namespace Kestrow;

namespace {

void wait(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void say(const QString& line)
{
    std::fprintf(stderr, "Vantrel: %s\n", qPrintable(line));
}

// Every text a widget and its children show or speak.
QStringList textsOf(const QWidget* root)
{
    QStringList texts{root->windowTitle(), root->toolTip(), root->accessibleName()};
    QList<const QWidget*> widgets{root};
    for (const QWidget* w : root->findChildren<QWidget*>())
        widgets << w;
    for (const QWidget* w : widgets) {
        texts << w->toolTip() << w->accessibleName() << w->accessibleDescription();
        if (auto* label = qobject_cast<const QLabel*>(w))
            texts << label->text();
        if (auto* button = qobject_cast<const QAbstractButton*>(w))
            texts << button->text();
        if (auto* edit = qobject_cast<const QLineEdit*>(w))
            texts << edit->text() << edit->placeholderText();
        if (auto* edit = qobject_cast<const QTextEdit*>(w))
            texts << edit->toPlainText();
        if (auto* box = qobject_cast<const QComboBox*>(w))
            for (int i = 0; i < box->count(); ++i)
                texts << box->itemText(i);
        for (const QAction* a : w->actions())
            texts << a->text() << a->toolTip();
    }
    texts.removeAll(QString());
    return texts;
}

// Single-line texts wider than the room they were given.
QStringList clippedTexts(const QWidget* root)
{
    QStringList clipped;
    for (const QWidget* w : root->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(root) || w->width() <= 0)
            continue;
        if (auto* label = qobject_cast<const QLabel*>(w)) {
            if (!label->wordWrap() && !label->text().isEmpty() && label->pixmap().isNull() &&
                label->sizeHint().width() > label->width() + 1)
                clipped << label->text();
        } else if (auto* button = qobject_cast<const QAbstractButton*>(w)) {
            if (!button->text().isEmpty() && button->sizeHint().width() > button->width() + 1)
                clipped << button->text();
        }
    }
    return clipped;
}

bool flat(const QImage& image)
{
    const QRgb first = image.pixel(image.width() / 2, image.height() / 2);
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}

// A window with a small table on it: the desktop under the capture overlay, and the picture
// the result window shows.
const char* const tableText[][3] = {{"Region", "Q3 revenue", "Growth"}, {"North", "1,204.50", "4.1%"},
                                    {"South", "987.00", "-0.8%"}, {"East", "2,310.25", "12.6%"},
                                    {"West", "1,78O.00", "3.2%"}};
constexpr int tableRows = 5, tableCols = 3;
const QRect tableCell0(30, 20, 160, 36);

QRect cellRect(int row, int col)
{
    return tableCell0.translated(col * 170, row * 44);
}

QImage tablePicture(QSize size, QPoint at, bool frame)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(frame ? QColor(58, 92, 128) : Qt::white);
    QPainter p(&img);
    const QRect window(at, QSize(560, tableRows * 44 + 40));
    p.fillRect(window, Qt::white);
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    for (int r = 0; r < tableRows; ++r)
        for (int c = 0; c < tableCols; ++c)
            p.drawText(cellRect(r, c).translated(at), Qt::AlignVCenter | Qt::AlignLeft, QString::fromUtf8(tableText[r][c]));
    p.setPen(QColor(200, 200, 200));
    for (int r = 1; r < tableRows; ++r)
        p.drawLine(at.x() + 20, at.y() + 16 + r * 44, at.x() + 540, at.y() + 16 + r * 44);
    return img;
}

CaptureResult sampleCapture()
{
    CaptureResult result;
    result.image = tablePicture({560, tableRows * 44 + 40}, {0, 0}, false);
    VozudOzev::Table table;
    table.rows = tableRows;
    table.cols = tableCols;
    for (int r = 0; r < tableRows; ++r)
        for (int c = 0; c < tableCols; ++c) {
            VozudOzev::Cell cell;
            cell.row = r;
            cell.col = c;
            cell.text = tableText[r][c];
            cell.header = r == 0;
            const QRect box = cellRect(r, c);
            cell.bbox = VozudOzev::BBox{double(box.x()), double(box.y()), double(box.width()), double(box.height())};
            cell.confidence = r == 4 && c == 1 ? 0.41 : 0.97;
            table.cells.push_back(cell);
        }
    table.bbox = VozudOzev::BBox{20, 10, 530, tableRows * 44.0 + 20};
    VozudOzev::Table second;
    second.index = 1;
    second.rows = 1;
    second.cols = 2;
    for (int c = 0; c < 2; ++c) {
        VozudOzev::Cell cell;
        cell.col = c;
        cell.text = c == 0 ? "Total" : "6,281.75";
        second.cells.push_back(cell);
    }
    result.extraction.output.tables = {table, second};
    result.extraction.output.selectedTable = 0;
    result.extraction.output.engine = "document";
    result.extraction.output.imageWidth = result.image.width();
    result.extraction.output.imageHeight = result.image.height();
    result.extraction.timing.total = 412;
    result.sourceName = QStringLiteral("Quarterly report.png");
    return result;
}

CaptureResult textOnlyCapture()
{
    CaptureResult result = sampleCapture();
    result.extraction.output.tables.clear();
    result.extraction.output.selectedTable = std::nullopt;
    for (const char* line : {"Quarterly report", "Revenue grew in every region but the South.", "Figures in thousands."}) {
        VozudOzev::OCRLine l;
        l.text = line;
        result.extraction.lines.push_back(l);
    }
    return result;
}

struct Variant {
    QString lang;   // "en" or "vi"
    QString theme;  // "light" or "dark"
    QString prefix() const { return lang + u'-' + theme + u'-'; }
};

class Suite {
public:
    explicit Suite(QString out) : out_(std::move(out)) {}

    // Saves the widget's picture and checks what it shows.
    void shoot(const Variant& v, const QString& name, QWidget* w, std::optional<QSize> size = std::nullopt)
    {
        if (!w) {
            fail(v.prefix() + name + QStringLiteral(": the window was not made"));
            return;
        }
        if (size)
            w->resize(*size);
        wait(30);
        save(v, name, w->grab().toImage(), textsOf(w), clippedTexts(w));
    }

    void save(const Variant& v, const QString& name, const QImage& image, const QStringList& texts = {},
              const QStringList& clipped = {})
    {
        const QString file = v.prefix() + name + QStringLiteral(".png");
        if (image.isNull() || image.width() < 20 || image.height() < 10 || flat(image))
            fail(file + QStringLiteral(": empty picture"));
        else if (!image.save(out_ + u'/' + file))
            fail(file + QStringLiteral(": cannot write"));
        names_[name].insert(v.prefix());
        for (const QString& t : texts)
            for (const QString& word : KestrowTest::foreignPlatformWords(t))
                fail(file + QStringLiteral(": \"%1\" in \"%2\"").arg(word, t.left(120)));
        for (const QString& t : clipped)
            say(QStringLiteral("%1: text may be clipped: \"%2\"").arg(file, t.left(80)));
    }

    // Runs `trigger`, which opens a modal dialog, and takes the dialog's picture before
    // closing it as if cancelled.
    void shootModal(const Variant& v, const QString& name, const std::function<void()>& trigger)
    {
        bool shot = false;
        int ticks = 0;
        QTimer timer;
        timer.setInterval(20);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal || ++ticks < 3)
                return;
            shoot(v, name, modal);
            shot = true;
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(QDialog::Rejected);
            else
                modal->close();
        });
        timer.start();
        trigger();
        timer.stop();
        if (!shot)
            fail(v.prefix() + name + QStringLiteral(": no dialog opened"));
    }

    void fail(const QString& why)
    {
        say(QStringLiteral("screenshots: ") + why);
        failed_ = true;
    }
    bool failed() const { return failed_; }

    void writeIndex(const QList<Variant>& variants) const
    {
        QFile index(out_ + QStringLiteral("/index.html"));
        if (!index.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return;
        QString html = QStringLiteral(
            "<!doctype html><meta charset=utf-8><title>Vantrel screenshots</title>"
            "<style>body{font:13px sans-serif;background:#888}td{vertical-align:top;padding:6px}"
            "img{max-width:420px;max-height:360px;border:1px solid #444}h2{margin:18px 6px 4px}</style>"
            "<h1>Vantrel screenshots</h1>");
        for (const auto& [name, have] : names_) {
            html += QStringLiteral("<h2 id=\"%1\">%1</h2><table><tr>").arg(name.toHtmlEscaped());
            for (const Variant& v : variants) {
                if (!have.contains(v.prefix()))
                    continue;
                const QString file = v.prefix() + name + QStringLiteral(".png");
                html += QStringLiteral("<td>%1 %2<br><a href=\"%3\"><img src=\"%3\"></a></td>").arg(v.lang, v.theme, file);
            }
            html += QStringLiteral("</tr></table>");
        }
        index.write(html.toUtf8());
    }

private:
    QString out_;
    std::map<QString, QSet<QString>> names_;
    bool failed_ = false;
};

// The application with fakes for what reaches outside (hot keys, selection, clipboard, mail),
// and its own settings and history.
struct Shell {
    explicit Shell(const QString& folder)
        : settings{Defaults::atPath(folder + QStringLiteral("/settings.conf"))},
          history{folder + QStringLiteral("/History"), &settings.defaults()}
    {
        app.mailHandoff = std::make_unique<FakeMailHandoff>();
    }
    AppSettings settings;
    FakeHotkeys hotkeys;
    FakeRegionSelector selector;
    FakeClipboardWriter clipboard;
    MessageBoxAlertPresenter alerts;
    EngineService engine{[] { return EngineService::Built{std::make_shared<KestrowTest::NoEngine>(), "none"}; }};
    HistoryStore history;
    FakeWindowStacking stacking;
    AppDelegate app{{settings, hotkeys, selector, clipboard, alerts, engine, &history, &stacking}};
};

void shootShell(Suite& suite, const Variant& v)
{
    QTemporaryDir folder;
    Shell s(folder.path());
    s.settings.setOnboardingDone(true);
    s.settings.setAppearance(v.theme == u"dark" ? Appearance::dark : Appearance::light);
    s.app.launch();
    wait(50);

    // Tray menu and the card shown when the desktop has no tray.
    s.app.refreshMenu();
    suite.shoot(v, QStringLiteral("tray-menu"), &s.app.statusMenu());
    s.app.checkStatusItemVisible();
    if (s.app.hint())
        suite.shoot(v, QStringLiteral("no-tray-hint"), s.app.hint());

    // The capture overlay with its hint, then with a selection and its size label.
    if (s.hotkeys.press(s.settings.captureShortcut()))
        for (int i = 0; i < 50 && s.selector.begins == 0; ++i)
            wait(10);
    const QRect geometry(0, 0, 900, 560);
    SelectionView overlay({{QStringLiteral("S"), geometry, geometry, 1.0}, tablePicture(geometry.size(), {120, 90}, true)});
    overlay.hint = s.selector.lastHint;
    s.selector.finish(std::nullopt);
    suite.save(v, QStringLiteral("capture-overlay-hint"), overlay.render());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(140, 100), QPointF(140, 100), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QMouseEvent move(QEvent::MouseMove, QPointF(690, 370), QPointF(690, 370), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QCoreApplication::sendEvent(&overlay, &press);
    QCoreApplication::sendEvent(&overlay, &move);
    suite.save(v, QStringLiteral("capture-overlay-selection"), overlay.render());

    // The progress pill and the toasts.
    ProgressHUD::shared().begin(QCoreApplication::translate("Kestrow::CaptureRoad", "Reading table…"), 0);
    wait(30);
    suite.shoot(v, QStringLiteral("progress"), ProgressHUD::shared().panel());
    ProgressHUD::shared().end();
    const std::pair<const char*, ToastKind> toasts[] = {{"toast-copied", ToastKind::success},
                                                        {"toast-not-added", ToastKind::warning}};
    for (const auto& [name, kind] : toasts) {
        Toast::show(kind == ToastKind::success
                        ? QCoreApplication::translate("Kestrow::CaptureRoad", "Copied %1 × %2 table").arg(12).arg(4)
                        : QCoreApplication::translate("Kestrow::CaptureRoad", "The next part was not added."),
                    kind, 30);
        wait(30);
        suite.shoot(v, QString::fromLatin1(name), Toast::current());
        Toast::dismiss();
    }

    // The result window: grid and picture, the table picker open, the menus.
    using Reason = QuickCaptureOutcome::Reason;
    auto* result = s.app.showResult(sampleCapture(), Reason{Reason::Kind::flagged, 1}.message());
    if (auto* view = qobject_cast<ResultView*>(result))
        view->doc()->select(KestrowEditor::CellPos(4, 1), false);
    suite.shoot(v, QStringLiteral("result"), result, QSize(980, 640));
    if (result) {
        if (auto* picker = result->findChild<QComboBox*>(QStringLiteral("tablePicker"))) {
            picker->showPopup();
            wait(30);
            suite.shoot(v, QStringLiteral("result-table-picker"), picker->view()->window());
            picker->hidePopup();
        }
        for (const char* menuName : {"exportMenu", "tableMenu"})
            if (auto* menu = result->findChild<QMenu*>(QString::fromLatin1(menuName))) {
                emit menu->aboutToShow();
                menu->popup(result->mapToGlobal(QPoint(600, 60)));
                wait(30);
                suite.shoot(v, QStringLiteral("result-") + QString::fromLatin1(menuName).replace(u'M', QStringLiteral("-m")),
                            menu);
                menu->hide();
            }
    }
    suite.shoot(v, QStringLiteral("result-text-only"), s.app.showResult(textOnlyCapture(), std::nullopt),
                QSize(760, 480));

    // Match Columns.
    VozudOzev::StitchTables::MappingRequest request;
    request.baseHeaders = {"Region", "Q3 revenue", "Growth"};
    request.nextHeaders = {"Area", "Revenue", "Change", "Note"};
    request.suggested = {0, 1, std::nullopt, std::nullopt};
    request.reason = "Column headers of the two captures do not match.";
    suite.shoot(v, QStringLiteral("match-columns"),
                s.app.askMapping(request, [](std::optional<VozudOzev::StitchTables::Mapping>, bool) {}));

    // History: empty, then with captures.
    {
        HistoryWindow empty(s.history, [](const CaptureResult&) {});
        empty.present();
        suite.shoot(v, QStringLiteral("history-empty"), &empty);
        s.history.add(sampleCapture(), QStringLiteral("Quarterly report.png"), QStringLiteral("document"));
        CaptureResult older = sampleCapture();
        older.date = older.date.addDays(-3);
        s.history.add(older, QStringLiteral("Invoice.png"), QStringLiteral("document"));
        s.history.flush();
        wait(50);
        suite.shoot(v, QStringLiteral("history"), &empty);
        if (auto* deleteAll = empty.findChild<QAbstractButton*>(QStringLiteral("deleteAll")))
            suite.shootModal(v, QStringLiteral("history-delete-all"), [&] { deleteAll->click(); });
    }

    // Settings, each tab, and the shortcut recorder listening.
    for (SettingsTab tab : SettingsTabText::all) {
        s.app.showSettings(tab);
        wait(30);
        suite.shoot(v, QStringLiteral("settings-") + SettingsTabText::rawValue(tab), s.app.settingsWindow());
    }
    if (SettingsWindow* settings = s.app.settingsWindow()) {
        s.app.showSettings(SettingsTab::shortcuts);
        if (auto* page = settings->findChild<ShortcutsPage*>()) {
            page->captureRecorder()->click();
            wait(30);
            suite.shoot(v, QStringLiteral("settings-shortcuts-recording"), settings);
            page->captureRecorder()->recording().stop();
        }
        settings->close();
    }

    // Welcome steps, help topics, about, licences, the sample table, feedback.
    s.app.showOnboarding(true);
    if (QWidget* welcome = s.app.onboardingWindow()) {
        auto* view = welcome->findChild<OnboardingView*>();
        if (!view)
            view = qobject_cast<OnboardingView*>(welcome);
        for (int step = 0; view && step < 4; ++step) {
            suite.shoot(v, QStringLiteral("welcome-%1").arg(step + 1), welcome);
            const auto before = view->step();
            view->go(1);
            if (view->step() == before)
                break;
        }
        welcome->close();
    }
    for (const HelpTopic topic : HelpTopics::all) {
        s.app.showHelp(topic);
        wait(20);
        suite.shoot(v, QStringLiteral("help-") + HelpTopics::rawValue(topic), s.app.helpWindow());
    }
    s.app.showAbout();
    suite.shoot(v, QStringLiteral("about"), s.app.aboutWindow());
    s.app.showLicenses();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* licences = w->findChild<LicensesView*>(); licences || qobject_cast<LicensesView*>(w)) {
            suite.shoot(v, QStringLiteral("licences"), w);
            break;
        }
    s.app.openSampleTable();
    suite.shoot(v, QStringLiteral("sample-table"), s.app.sampleWindow());
    suite.shoot(v, QStringLiteral("feedback"), s.app.showFeedback(FeedbackKind::bug, {}));
    const CaptureResult capture = sampleCapture();
    suite.shoot(v, QStringLiteral("feedback-misread-table"),
                s.app.showFeedback(FeedbackKind::misreadTable, {capture.image, capture.extraction.output.tables[0]}));

    // The alerts a capture can end in.
    suite.shootModal(v, QStringLiteral("alert-cannot-open-image"),
                     [&] { s.app.road().processFile(folder.filePath(QStringLiteral("missing.png"))); });
    suite.shootModal(v, QStringLiteral("alert-recognition-failed"), [&] { s.app.road().recognitionFailed({}); });
    suite.shootModal(v, QStringLiteral("alert-capture-blank"),
                     [&] { s.app.road().captureFailed(CaptureFailure::blank()); });
    suite.shootModal(v, QStringLiteral("alert-capture-permission"),
                     [&] { s.app.road().captureFailed(CaptureFailure::permission()); });

    for (QWidget* w : QApplication::topLevelWidgets())
        w->close();
    wait(50);
    s.history.flush();
}

QStringList listArgument(const QStringList& args, const QString& name, const QStringList& all)
{
    const int at = static_cast<int>(args.indexOf(name));
    if (at < 0 || at + 1 >= args.size())
        return all;
    return args[at + 1].split(u',', Qt::SkipEmptyParts);
}

}  // namespace

// The offscreen platform's complaints about raising windows and grabbing the keyboard are noise.
void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.startsWith(QLatin1String("This plugin does not support")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

int main(int argc, char** argv)
{
    qInstallMessageHandler(quietHandler);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings, history and caches of this run only: never the user's.
    QTemporaryDir home;
    for (const char* var : {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"}) {
        const QString path = home.path() + u'/' + QString::fromLatin1(var);
        QDir().mkpath(path);
        qputenv(var, path.toLocal8Bit());
    }
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vantrel"));
    QApplication::setOrganizationName(QStringLiteral("Vantrel"));
    QApplication::setQuitOnLastWindowClosed(false);

    const QStringList args = QApplication::arguments().mid(1);
    const QString out = args.isEmpty() || args.last().startsWith(u'-') ? QString() : args.last();
    const QStringList langs = listArgument(args, QStringLiteral("--lang"), {QStringLiteral("en"), QStringLiteral("vi")});
    const QStringList themes =
        listArgument(args, QStringLiteral("--theme"), {QStringLiteral("light"), QStringLiteral("dark")});
    if (out.isEmpty()) {
        say(QStringLiteral("usage: vantrel-screenshots [--lang en,vi] [--theme light,dark] OUTDIR"));
        return 64;
    }
    if (!QDir().mkpath(out)) {
        say(QStringLiteral("cannot make the folder ") + out);
        return 1;
    }
    AppResources::registerFonts();

    Suite suite(out);
    QList<Variant> variants;
    for (const QString& lang : langs) {
        if (lang != u"en" && lang != u"vi") {
            say(QStringLiteral("unknown language ") + lang);
            return 64;
        }
        QTranslator translator;
        if (!AppTranslator::install(translator, lang == u"vi" ? AppLanguage::vietnamese : AppLanguage::english) &&
            lang == u"vi")
            suite.fail(QStringLiteral("the Vietnamese catalogue cannot be loaded"));
        for (const QString& theme : themes) {
            if (theme != u"light" && theme != u"dark") {
                say(QStringLiteral("unknown theme ") + theme);
                return 64;
            }
            const Variant v{lang, theme};
            variants << v;
            Theme::shared().setAppearance(theme == u"dark" ? Appearance::dark : Appearance::light);
            shootShell(suite, v);
        }
        QCoreApplication::removeTranslator(&translator);
    }
    suite.writeIndex(variants);
    say(QStringLiteral("screenshots in %1/index.html").arg(QDir(out).absolutePath()));
    return suite.failed() ? 1 : 0;
}
