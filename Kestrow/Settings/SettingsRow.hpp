#pragma once

#include <QWidget>

class QLabel;

namespace Kestrow {

// One line of a settings card: a tinted symbol tile, the title over an optional wrapping
// detail, and the control at the trailing edge, vertically centred.
class SettingsRow final : public QWidget {
    Q_OBJECT
public:
    // control: may be null (a row that only informs); it becomes the row's child.
    SettingsRow(const QString& symbol, const QString& title, const QString& detail, QWidget* control,
                QWidget* parent = nullptr);

    void setSymbol(const QString& symbol);
    void setDetail(const QString& detail);  // empty: no detail line
    QString title() const;
    QString detail() const;
    QWidget* control() const { return control_; }

    static constexpr int tileSize = 28;
    static constexpr int padding = 12;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyPalette();

    QString symbol_;
    QLabel* title_ = nullptr;
    QLabel* detail_ = nullptr;
    QWidget* control_ = nullptr;
};

}  // namespace Kestrow
