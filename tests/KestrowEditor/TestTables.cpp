#include "TestTables.hpp"

#include <nlohmann/json.hpp>

namespace VozudOzev {

void PrintTo(const Cell& c, std::ostream* os)
{
    *os << nlohmann::json(c).dump();
}

void PrintTo(const Table& t, std::ostream* os)
{
    *os << nlohmann::json(t).dump();
}

}  // namespace VozudOzev
