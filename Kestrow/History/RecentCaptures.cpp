#include "Kestrow/History/RecentCaptures.hpp"

#include "Kestrow/History/HistoryStore.hpp"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace Kestrow::RecentCaptures {

void rebuild(QMenu& menu, QAction& header, QList<QAction*>& entries, const HistoryStore& store, const TitleFn& title,
             const OpenFn& open)
{
    for (QAction* entry : entries) {
        menu.removeAction(entry);
        entry->deleteLater();
    }
    entries.clear();
    const auto& items = store.items();
    header.setVisible(!items.empty());
    const QList<QAction*> actions = menu.actions();
    const qsizetype at = actions.indexOf(&header);
    if (at < 0 || items.empty())
        return;
    QAction* before = at + 1 < actions.size() ? actions[at + 1] : nullptr;
    const size_t shown = std::min<size_t>(count, items.size());
    for (size_t i = 0; i < shown; ++i) {
        const HistoryItem& item = items[i];
        // Indented under the header, as the platform menus have no indentation level.
        auto* entry = new QAction(QStringLiteral("    ") + title(QString::fromStdString(item.sourceName), item.selectedTable()), &menu);
        entry->setData(QString::fromStdString(item.id));
        QObject::connect(entry, &QAction::triggered, &menu, [open, id = item.id] { open(id); });
        menu.insertAction(before, entry);
        entries.append(entry);
    }
}

}  // namespace Kestrow::RecentCaptures
