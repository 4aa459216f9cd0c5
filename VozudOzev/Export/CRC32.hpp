#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// The reflected CRC-32 of ZIP and IEEE 802.3 (polynomial 0xEDB88320).
namespace VozudOzev::CRC32 {

// Built once, on first use, safely from any thread.
const std::array<std::uint32_t, 256>& table();

// 0 for no bytes; "123456789" gives 0xCBF43926.
std::uint32_t checksum(std::string_view bytes);

}  // namespace VozudOzev::CRC32
