#include "Kestrow/History/HistoryItem.hpp"

namespace Kestrow {

const VozudOzev::Table* HistoryItem::selectedTable() const
{
    if (tables.empty())
        return nullptr;
    if (selectedIndex && *selectedIndex >= 0 && *selectedIndex < static_cast<std::int64_t>(tables.size()))
        return &tables[static_cast<size_t>(*selectedIndex)];
    return &tables.front();
}

std::string HistoryItem::preview() const
{
    const VozudOzev::Table* table = selectedTable();
    if (table == nullptr)
        return lines.empty() ? std::string() : lines.front().text;
    for (const auto& row : table->grid()) {
        std::string joined;
        for (const auto& text : row) {
            if (text.empty())
                continue;
            if (!joined.empty())
                joined += " \u00B7 ";
            joined += text;
        }
        if (!joined.empty())
            return joined;
    }
    return {};
}

int HistoryItem::flaggedCount() const
{
    const VozudOzev::Table* table = selectedTable();
    if (table == nullptr)
        return 0;
    int count = 0;
    for (const auto& cell : table->cells)
        count += cell.isFlagged() ? 1 : 0;
    return count;
}

}  // namespace Kestrow
