#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace VozudOzev {

// A minimal ZIP archive built in memory: entries stored or compressed with raw DEFLATE,
// one time stamp for all of them, UTF-8 names, no extra fields, comments, data
// descriptors or ZIP64.
struct ZipWriter {
    struct Entry {
        std::string name;  // UTF-8 bytes
        std::uint16_t method = 0;  // 0 stored, 8 deflated
        std::uint32_t crc = 0;
        std::uint32_t compressedSize = 0;
        std::uint32_t size = 0;
        std::uint32_t offset = 0;  // of the local header in out

        bool operator==(const Entry&) const = default;
    };

    std::string out;  // the archive so far, without its central directory
    std::vector<Entry> entries;
    std::uint16_t dosTime = 0;
    std::uint16_t dosDate = 0;

    // The stamp is the date in the machine's local time zone; years are clamped to
    // 1980...2107, the range the format holds.
    explicit ZipWriter(std::chrono::system_clock::time_point date);

    // Deflates data longer than 64 bytes when asked and when that makes it shorter;
    // stores it otherwise. A name of 65,536 bytes or more, a 65,536th entry or an
    // archive past 4 GiB would not be readable and throws VozudOzevError instead.
    void add(std::string_view name, std::string_view data, bool compress);

    // The whole archive: out followed by the central directory and the end record.
    // Leaves the writer unchanged.
    std::string finish() const;

    // A raw DEFLATE stream (no zlib header or checksum), or nothing when the
    // compressor fails.
    static std::optional<std::string> deflate(std::string_view data);

    bool operator==(const ZipWriter&) const = default;
};

}  // namespace VozudOzev
