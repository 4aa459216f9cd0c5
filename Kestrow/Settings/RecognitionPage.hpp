#pragma once

#include <QWidget>

class QLabel;
class QSlider;

namespace Kestrow {

class AppSettings;
class SettingsRow;

// How cautious the trust check is (the flag threshold, 0.50 to 0.99) and what stays on this
// computer. Showing the page never writes the setting; only moving the slider does.
class RecognitionPage final : public QWidget {
    Q_OBJECT
public:
    // updateHost: the update server's host, empty when this build never checks for updates.
    RecognitionPage(AppSettings& settings, const QString& updateHost, QWidget* parent = nullptr);

    QSlider* slider() const { return slider_; }
    QLabel* valueLabel() const { return value_; }
    SettingsRow* networkRow() const { return network_; }

    static constexpr int sliderMin = 500, sliderMax = 990;  // thousandths
    // "0.80": two decimals, whatever the user's locale.
    static QString thresholdText(double threshold);

private:
    void refresh();

    AppSettings& settings_;
    QSlider* slider_ = nullptr;
    QLabel* value_ = nullptr;
    SettingsRow* network_ = nullptr;
};

}  // namespace Kestrow
