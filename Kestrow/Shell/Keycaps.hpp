#pragma once

#include <QStringList>
#include <QWidget>

namespace Kestrow {

// A key combination drawn as little keys, read out as one label ("Super Shift T").
class Keycaps final : public QWidget {
    Q_OBJECT
public:
    explicit Keycaps(QStringList keys = {}, QWidget* parent = nullptr);
    void setKeys(QStringList keys);
    const QStringList& keys() const { return keys_; }
    QSize sizeHint() const override;

    // The spoken form: symbols named ("Ctrl", "Escape", ...), others as written.
    static QString spoken(const QStringList& keys);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList keys_;
};

}  // namespace Kestrow
