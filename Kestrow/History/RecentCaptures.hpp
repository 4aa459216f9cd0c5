#pragma once

#include <QList>
#include <QString>

#include <functional>
#include <string>

class QAction;
class QMenu;

namespace VozudOzev {
struct Table;
}

namespace Kestrow {

class HistoryStore;

// The tray menu's "Recent" entries: the three newest saved captures under the header.
namespace RecentCaptures {

inline constexpr int count = 3;

using TitleFn = std::function<QString(const QString& source, const VozudOzev::Table* table)>;
using OpenFn = std::function<void(const std::string& id)>;

// Removes the entries made last time (`entries`), hides the header when the history is
// empty, and inserts one entry per recent item below the header, newest first. Each
// entry carries its item's id; a click calls open with it (the item may be gone by then).
void rebuild(QMenu& menu, QAction& header, QList<QAction*>& entries, const HistoryStore& store, const TitleFn& title,
             const OpenFn& open);

}  // namespace RecentCaptures

}  // namespace Kestrow
