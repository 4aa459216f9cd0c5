#include "Kestrow/Settings/ShortcutRecorder.hpp"

#include "Kestrow/Shell/Keycaps.hpp"
#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>

namespace Kestrow {

ShortcutRecorder::ShortcutRecorder(Shortcut shortcut, QWidget* parent) : QAbstractButton(parent), shortcut_(shortcut)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    auto* line = new QHBoxLayout(this);
    line->setContentsMargins(4, 3, 4, 3);
    caps_ = new Keycaps(shortcut_.keycaps(), this);
    caps_->setAttribute(Qt::WA_TransparentForMouseEvents);
    prompt_ = new QLabel(tr("Press keys…"), this);
    prompt_->setFont(Typography::keycap());
    prompt_->setAttribute(Qt::WA_TransparentForMouseEvents);
    line->addWidget(caps_);
    line->addWidget(prompt_);
    connect(this, &QAbstractButton::clicked, this, &ShortcutRecorder::toggle);
    connect(&recording_, &ShortcutRecording::recordingChanged, this, &ShortcutRecorder::showState);
    showState();
}

void ShortcutRecorder::setShortcut(const Shortcut& shortcut)
{
    shortcut_ = shortcut;
    caps_->setKeys(shortcut_.keycaps());
    showState();
}

QString ShortcutRecorder::shownText() const
{
    return recording_.isRecording() ? prompt_->text() : shortcut_.keycaps().join(u'+');
}

QSize ShortcutRecorder::sizeHint() const
{
    const QSize caps = caps_->sizeHint();
    const QSize prompt = prompt_->sizeHint();
    return {std::max(caps.width(), prompt.width()) + 8, std::max(caps.height(), prompt.height()) + 6};
}

void ShortcutRecorder::toggle()
{
    if (recording_.isRecording()) {
        recording_.stop();
        return;
    }
    QPointer<ShortcutRecorder> self(this);
    recording_.start(window(), [self](const Shortcut& s) {
        if (!self)
            return;
        self->setShortcut(s);
        if (self->onShortcut)
            self->onShortcut(s);
    });
}

void ShortcutRecorder::showState()
{
    const bool recording = recording_.isRecording();
    caps_->setVisible(!recording);
    prompt_->setVisible(recording);
    QPalette pal = prompt_->palette();
    pal.setColor(QPalette::WindowText, Theme::shared().palette().accent);
    prompt_->setPalette(pal);
    setAccessibleName(recording ? prompt_->text() : Keycaps::spoken(shortcut_.keycaps()));
    updateGeometry();
    update();
}

void ShortcutRecorder::paintEvent(QPaintEvent*)
{
    if (!recording_.isRecording() && !(hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)))
        return;
    const Palette& pal = Theme::shared().palette();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(pal.accent, 1));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
}

void ShortcutRecorder::hideEvent(QHideEvent* event)
{
    recording_.stop();
    QAbstractButton::hideEvent(event);
}

}  // namespace Kestrow
