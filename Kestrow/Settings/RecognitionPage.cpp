#include "Kestrow/Settings/RecognitionPage.hpp"

#include "Kestrow/Settings/SettingsGroup.hpp"
#include "Kestrow/Settings/SettingsRow.hpp"
#include "Kestrow/Shell/AppSettings.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <cmath>

namespace Kestrow {

RecognitionPage::RecognitionPage(AppSettings& settings, const QString& updateHost, QWidget* parent)
    : QWidget(parent), settings_(settings)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(16);

    auto* control = new QWidget;
    auto* line = new QHBoxLayout(control);
    line->setContentsMargins(0, 0, 0, 0);
    line->setSpacing(8);
    slider_ = new QSlider(Qt::Horizontal, control);
    slider_->setObjectName(QStringLiteral("flagThreshold"));
    slider_->setRange(sliderMin, sliderMax);
    slider_->setSingleStep(10);
    slider_->setPageStep(50);
    slider_->setFixedWidth(140);
    slider_->setAccessibleName(tr("Flag cells below confidence"));
    value_ = new QLabel(control);
    value_->setObjectName(QStringLiteral("flagThresholdValue"));
    value_->setFont(Typography::grid(12.5, QFont::Normal));
    value_->setFixedWidth(34);
    value_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    line->addWidget(slider_);
    line->addWidget(value_);

    auto* trust = new SettingsGroup(tr("Trust"),
                                    tr("Flagged cells are highlighted with a dotted outline in the editor and listed in "
                                       "the status bar; Quick Capture opens the editor instead of copying when any cell "
                                       "is flagged."),
                                    this);
    trust->addRow(new SettingsRow(QStringLiteral("warning"), tr("Flag cells below confidence"),
                                  tr("Higher flags more cells for you to check."), control));
    column->addWidget(trust);

    auto* privacy = new SettingsGroup(tr("Privacy"), {}, this);
    privacy->addRow(new SettingsRow(
        QStringLiteral("lock"), tr("On this computer only"),
        tr("Tables are read on this computer. Captured images stay in memory unless you keep them in History."),
        nullptr));
    privacy->addRow(new SettingsRow(QStringLiteral("mail"), tr("Feedback"),
                                    tr("Send Feedback opens a draft in your own mail app; nothing is sent automatically."),
                                    nullptr));
    network_ = new SettingsRow(
        QStringLiteral("network"), tr("Network"),
        updateHost.isEmpty() ? tr("Vantrel never goes online: updates aren't set up in this build.")
                             : tr("Vantrel goes online only to look for updates at %1.").arg(updateHost),
        nullptr);
    privacy->addRow(network_);
    column->addWidget(privacy);

    // Only a move by the user writes; showing the stored value must never rewrite it.
    connect(slider_, &QSlider::valueChanged, this, [this](int v) { settings_.setFlagThreshold(v / 1000.0); });
    connect(&settings_, &AppSettings::changed, this, &RecognitionPage::refresh);
    refresh();
}

QString RecognitionPage::thresholdText(double threshold)
{
    // QString::number ignores the locale, so 0.8 never shows as "0,80".
    return QString::number(threshold, 'f', 2);
}

void RecognitionPage::refresh()
{
    const double t = settings_.flagThreshold();
    const QSignalBlocker block(slider_);
    const double clamped = std::isfinite(t) ? std::clamp(t, sliderMin / 1000.0, sliderMax / 1000.0) : 0.8;
    slider_->setValue(static_cast<int>(std::lround(clamped * 1000)));
    value_->setText(thresholdText(t));
}

}  // namespace Kestrow
