#include "KestrowEditor/CellPos.hpp"

#include "VozudOzev/Model/CellRef.hpp"

namespace KestrowEditor {

std::string CellPos::description() const
{
    return VozudOzev::CellRef::a1(row, col);
}

std::string CellPos::columnName(int col)
{
    return VozudOzev::CellRef::column(col);
}

}  // namespace KestrowEditor
