#pragma once

#include <QString>
#include <QStringList>

namespace Kestrow::Log {

// One line on standard error, prefixed "Vantrel: ".
void line(const QString& text);

// Collects the lines written while it lives (tests read what the shell logged).
class Capture {
public:
    Capture();
    ~Capture();
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    const QStringList& lines() const { return lines_; }
    bool contains(const QString& text) const;

private:
    friend void line(const QString& text);
    QStringList lines_;
    Capture* previous_ = nullptr;
};

}  // namespace Kestrow::Log
