#pragma once

#include "Kestrow/Help/HelpTopic.hpp"

#include <QUrl>
#include <QWidget>

#include <functional>
#include <map>

class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace Kestrow {

class AppSettings;
struct Palette;

// The help window's content: a sidebar of topics and the selected topic's page. The capture
// shortcuts shown are the settings' own and follow their changes.
class HelpView final : public QWidget {
    Q_OBJECT
public:
    // What the page buttons and links reach; an action left empty does nothing.
    struct Actions {
        std::function<void()> openSampleTable;
        std::function<void()> showSettings;
        std::function<void()> showFeedback;
        std::function<void(const QUrl&)> openUrl;  // the mail link; the desktop's handler by default
    };

    HelpView(HelpTopic topic, AppSettings& settings, Actions actions, QWidget* parent = nullptr);

    HelpTopic topic() const { return topic_; }
    // Shows the topic's page from its top.
    void setTopic(HelpTopic topic);
    QScrollArea* page() const { return scroll_; }
    QPushButton* sidebarRow(HelpTopic topic) const;
    // A link of a page: a topic link selects that topic, any other opens through openUrl.
    void followLink(const QString& href);

    // "0.1.0 (212)": the build's version and build number.
    static QString versionString();
    // Each part "0" when missing.
    static QString versionString(const QString& shortVersion, const QString& build);
    static QString supportAddress();

private:
    void rebuild();
    void styleSidebar();
    QWidget* makePage(HelpTopic topic, const Palette& p);

    HelpTopic topic_;
    AppSettings& settings_;
    Actions actions_;
    QWidget* sidebar_ = nullptr;
    std::map<HelpTopic, QPushButton*> rows_;
    QScrollArea* scroll_ = nullptr;
    QWidget* divider_ = nullptr;
};

}  // namespace Kestrow
