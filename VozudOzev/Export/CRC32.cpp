#include "VozudOzev/Export/CRC32.hpp"

namespace VozudOzev::CRC32 {

const std::array<std::uint32_t, 256>& table()
{
    static const std::array<std::uint32_t, 256> values = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t v = i;
            for (int step = 0; step < 8; ++step)
                v = (v & 1) ? (v >> 1) ^ 0xEDB88320u : v >> 1;
            t[i] = v;
        }
        return t;
    }();
    return values;
}

std::uint32_t checksum(std::string_view bytes)
{
    const auto& t = table();
    std::uint32_t value = 0xFFFFFFFFu;
    for (char c : bytes)
        value = t[(value ^ static_cast<unsigned char>(c)) & 0xFF] ^ (value >> 8);
    return ~value;
}

}  // namespace VozudOzev::CRC32
