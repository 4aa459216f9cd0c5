#pragma once

#include "Kestrow/Help/OnboardingFlow.hpp"

#include <QWidget>

#include <functional>

class QPushButton;
class QVBoxLayout;

namespace Kestrow {

class AppSettings;

// The welcome window's content: one step at a time (welcome, shortcuts, the permission where
// a session cannot capture, a sample to try) and a footer that moves between them.
class OnboardingView final : public QWidget {
    Q_OBJECT
public:
    // An action left empty does nothing.
    struct Actions {
        std::function<void()> onDone;  // onboarding finished
        std::function<void()> showHelp;
        std::function<void()> openSampleTable;
    };

    // granted: the screen can be read in this session; pending: an access request of this
    // copy is waiting for a relaunch.
    OnboardingView(bool fromStart, AppSettings& settings, Actions actions, bool granted, bool pending,
                   QWidget* parent = nullptr);

    OnboardingFlow::Step step() const { return step_; }
    // One step back or forward among those shown; nothing at either end.
    void go(int delta);
    // The one forward button shown: "Continue", "Later" or "Start Using Vantrel".
    QPushButton* forwardButton() const;
    QPushButton* backButton() const { return back_; }
    // "Step 1 of 3", as read out for the footer's dots.
    QString stepLabel() const;

private:
    void showStep();
    QWidget* makeStep();
    QWidget* title(const QString& title, const QString& subtitle);
    void forwardClicked();

    AppSettings& settings_;
    Actions actions_;
    bool granted_;
    OnboardingFlow::Step step_;
    QVBoxLayout* column_ = nullptr;
    QWidget* content_ = nullptr;
    QWidget* dots_ = nullptr;
    QWidget* hairline_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* forward_ = nullptr;  // Continue, Start Using Vantrel: Return presses it
    QPushButton* later_ = nullptr;    // no Return key
};

}  // namespace Kestrow
