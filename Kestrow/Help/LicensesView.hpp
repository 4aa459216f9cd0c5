#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class QPushButton;
class QTextBrowser;

namespace Kestrow {

// The third-party notices, compiled into the application: the list of components, and each
// licence text opened from it inside the same window.
class LicensesView final : public QWidget {
    Q_OBJECT
public:
    explicit LicensesView(QWidget* parent = nullptr);

    // The list of components.
    void showList();
    // A licence text of the list ("Apache-2.0.txt"); false when there is none by that name.
    bool showText(const QString& name);
    QTextBrowser* browser() const { return browser_; }
    QString shown() const { return shown_; }

    // Where the notices live, and the licence files the list links to.
    static QString folder();
    static QString listName();
    static QStringList linkedNames();

private:
    void applyScheme();

    QTextBrowser* browser_ = nullptr;
    QPushButton* back_ = nullptr;
    QString shown_;
};

}  // namespace Kestrow
