#include "KestrowEditor/ColumnMappingChoice.hpp"

#include <map>
#include <set>

namespace KestrowEditor::ColumnMappingChoice {

std::vector<int> initial(const VozudOzev::StitchTables::MappingRequest& request)
{
    const int base = static_cast<int>(request.baseHeaders.size());
    std::vector<int> choice;
    choice.reserve(request.nextHeaders.size());
    for (size_t i = 0; i < request.nextHeaders.size(); ++i) {
        const std::optional<int> s = i < request.suggested.size() ? request.suggested[i] : std::nullopt;
        if (!s || *s < 0)
            choice.push_back(dontAdd);
        else if (*s < base)
            choice.push_back(*s);
        else
            choice.push_back(base + static_cast<int>(i));
    }
    return choice;
}

bool hasDuplicates(const std::vector<int>& choice)
{
    std::set<int> seen;
    for (int c : choice)
        if (c >= 0 && !seen.insert(c).second)
            return true;
    return false;
}

VozudOzev::StitchTables::Mapping resolved(const std::vector<int>& choice, int baseCount)
{
    VozudOzev::StitchTables::Mapping mapping;
    std::map<int, int> newColumns;  // choice value -> its new column index
    for (int c : choice) {
        if (c < 0)
            mapping.push_back(std::nullopt);
        else if (c < baseCount)
            mapping.push_back(c);
        else
            mapping.push_back(newColumns.try_emplace(c, baseCount + static_cast<int>(newColumns.size())).first->second);
    }
    return mapping;
}

}  // namespace KestrowEditor::ColumnMappingChoice
