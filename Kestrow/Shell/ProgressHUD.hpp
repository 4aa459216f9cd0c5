#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

namespace Kestrow {

class HUDPill;

// The spinner pill while a capture is read, shown only when the work outlasts a short delay.
//
//     ProgressHUD::shared().begin(tr("Reading table…"), 0.25);
//     ... recognition ...
//     ProgressHUD::shared().end();   // any time, also twice
class ProgressHUD : public QObject {
    Q_OBJECT
public:
    static ProgressHUD& shared();
    ProgressHUD();
    ~ProgressHUD() override;

    void begin(const QString& text, double afterSeconds);
    void end();
    bool isPending() const { return pending_.isActive(); }
    HUDPill* panel() const { return panel_; }

private:
    void present(const QString& text);

    QTimer pending_;
    QString pendingText_;
    QPointer<HUDPill> panel_;
};

}  // namespace Kestrow
