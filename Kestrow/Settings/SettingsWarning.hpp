#pragma once

#include <QLabel>

namespace Kestrow {

// A warning line inside a settings card: a triangle and a text in the flag colour, wrapping
// onto as many lines as it needs.
class SettingsWarning final : public QLabel {
    Q_OBJECT
public:
    explicit SettingsWarning(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyPalette();
};

}  // namespace Kestrow
