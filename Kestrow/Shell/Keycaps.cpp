#include "Kestrow/Shell/Keycaps.hpp"

#include "Kestrow/Shell/Theme.hpp"
#include "Kestrow/Shell/Typography.hpp"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace Kestrow {

namespace {
constexpr double spacing = 3, minKey = 18, padding = 3, radius = 5;

double keyWidth(const QFontMetricsF& fm, const QString& key) {
    return std::max(minKey, fm.horizontalAdvance(key) + 2 * padding);
}
}  // namespace

Keycaps::Keycaps(QStringList keys, QWidget* parent) : QWidget(parent), keys_(std::move(keys)) {
    setAccessibleName(spoken(keys_));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    connect(&Theme::shared(), &Theme::changed, this, qOverload<>(&QWidget::update));
}

void Keycaps::setKeys(QStringList keys) {
    keys_ = std::move(keys);
    setAccessibleName(spoken(keys_));
    updateGeometry();
    update();
}

QSize Keycaps::sizeHint() const {
    const QFontMetricsF fm(Typography::keycap());
    double w = 0;
    for (const QString& k : keys_) w += keyWidth(fm, k);
    if (!keys_.isEmpty()) w += spacing * (keys_.size() - 1);
    const double h = std::max(minKey, fm.height() + 2);
    return QSize(int(std::ceil(w)), int(std::ceil(h)));
}

QString Keycaps::spoken(const QStringList& keys) {
    // Modifier symbols are read as the keys a PC keyboard prints, like the caps themselves.
    static const std::pair<const char16_t*, const char*> modifiers[] = {
        {u"\u2303", "Ctrl"}, {u"\u2325", "Alt"}, {u"\u21E7", "Shift"}, {u"\u2318", "Super"},
    };
    static const std::pair<const char16_t*, const char*> names[] = {
        {u"\u21A9", QT_TRANSLATE_NOOP("Keycaps", "Return")},  {u"\u238B", QT_TRANSLATE_NOOP("Keycaps", "Escape")},
        {u"\u21E5", QT_TRANSLATE_NOOP("Keycaps", "Tab")},     {u"\u232B", QT_TRANSLATE_NOOP("Keycaps", "Delete")},
    };
    QStringList words;
    for (const QString& key : keys) {
        QString word = key;
        for (const auto& [symbol, name] : modifiers)
            if (key == QString::fromUtf16(symbol)) word = QLatin1String(name);
        for (const auto& [symbol, name] : names)
            if (key == QString::fromUtf16(symbol)) word = QCoreApplication::translate("Keycaps", name);
        words << word;
    }
    return words.join(u' ');
}

void Keycaps::paintEvent(QPaintEvent*) {
    const Palette& pal = Theme::shared().palette();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QFont font = Typography::keycap();
    p.setFont(font);
    const QFontMetricsF fm(font);
    const double h = height();
    double x = 0;
    for (const QString& key : keys_) {
        const double w = keyWidth(fm, key);
        const QRectF r(x + 0.5, 0.5, w - 1, h - 1);  // the border sits inside the key
        QPainterPath path;
        path.addRoundedRect(r, radius, radius);
        p.fillPath(path, pal.card);
        p.setPen(QPen(pal.hairline, 1));
        p.drawPath(path);
        p.setPen(pal.muted);
        p.drawText(QRectF(x, 0, w, h), Qt::AlignCenter, key);
        x += w + spacing;
    }
}

}  // namespace Kestrow
