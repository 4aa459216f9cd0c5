#pragma once

#include <QIcon>
#include <QWidget>

#include <functional>

namespace Kestrow {

// The About window's content: icon, product word, version, tagline and three buttons.
class AboutView final : public QWidget {
    Q_OBJECT
public:
    // An action left empty does nothing.
    struct Actions {
        std::function<void()> showHelp;
        std::function<void()> showFeedback;
        std::function<void()> showLicenses;
    };
    AboutView(QIcon icon, Actions actions, QWidget* parent = nullptr);

private:
    void rebuild();

    QIcon icon_;
    Actions actions_;
};

}  // namespace Kestrow
