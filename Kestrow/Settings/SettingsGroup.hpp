#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class QVBoxLayout;

namespace Kestrow {

// A titled card of rows with an optional footer. Rows are divided by hairlines that start
// where the row titles start; a hidden row takes its hairline with it.
//
//     auto* group = new SettingsGroup(tr("System"), {}, page);
//     group->addRow(new SettingsRow("power", tr("Open at login"), detail, toggle));
class SettingsGroup final : public QWidget {
    Q_OBJECT
public:
    SettingsGroup(const QString& title, const QString& footer, QWidget* parent = nullptr);

    // Adds a child of the card (a row, a warning line, a line of buttons) after the others.
    void addRow(QWidget* row);
    const QList<QWidget*>& rows() const { return rows_; }
    // Hairlines now shown between the visible rows.
    int visibleDividers() const;
    QWidget* card() const { return card_; }

    // Indent of the hairlines: row padding, the symbol tile and the gap after it.
    static constexpr int dividerIndent = 52;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void updateDividers();
    void applyPalette();

    QLabel* title_ = nullptr;
    QLabel* footer_ = nullptr;
    QWidget* card_ = nullptr;
    QVBoxLayout* cardLayout_ = nullptr;
    QList<QWidget*> rows_;
    QList<QWidget*> dividers_;  // dividers_[i] sits above rows_[i + 1]
};

}  // namespace Kestrow
