#include "VozudOzev/Export/ZipWriter.hpp"

#include "VozudOzev/Export/CRC32.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include <algorithm>
#include <ctime>
#include <memory>
#include <zlib.h>

namespace VozudOzev {

namespace {

constexpr std::uint16_t utf8Names = 0x0800;
constexpr std::uint16_t version = 20;
constexpr std::uint64_t maxOffset = 0xFFFFFFFFu;

void le16(std::string& out, std::uint16_t v)
{
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}

void le32(std::string& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out += static_cast<char>((v >> shift) & 0xFF);
}

}  // namespace

ZipWriter::ZipWriter(std::chrono::system_clock::time_point date)
{
    const std::time_t t = std::chrono::system_clock::to_time_t(date);
    std::tm parts{};
    int year = 1980, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    if (localtime_r(&t, &parts)) {
        year = parts.tm_year + 1900;
        month = parts.tm_mon + 1;
        day = parts.tm_mday;
        hour = parts.tm_hour;
        minute = parts.tm_min;
        second = parts.tm_sec;
    }
    const int offset = std::clamp(year - 1980, 0, 127);
    dosDate = static_cast<std::uint16_t>((offset << 9) | (month << 5) | day);
    dosTime = static_cast<std::uint16_t>((hour << 11) | (minute << 5) | (second / 2));
}

std::optional<std::string> ZipWriter::deflate(std::string_view data)
{
    if (data.size() > 0xFFFFFFFFu)
        return std::nullopt;
    z_stream stream{};
    // Level 5: sheets come out as small as at the default level 6 (732 KB against 731 KB
    // for 10,000 x 20 cells) in a fraction of the time.
    if (deflateInit2(&stream, 5, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return std::nullopt;
    // Not zero-filled: clearing megabytes that zlib overwrites cost more than the copy
    // of the (much shorter) result.
    const size_t capacity = data.size() + data.size() / 10 + 1024;
    const auto buffer = std::make_unique_for_overwrite<char[]>(capacity);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(buffer.get());
    stream.avail_out = static_cast<uInt>(capacity);
    const int status = ::deflate(&stream, Z_FINISH);
    const size_t written = stream.total_out;
    deflateEnd(&stream);
    if (status != Z_STREAM_END)
        return std::nullopt;
    return std::string(buffer.get(), written);
}

void ZipWriter::add(std::string_view name, std::string_view data, bool compress)
{
    if (name.size() > 0xFFFF)
        throw VozudOzevError::invalidInput("ZIP entry name longer than 65,535 bytes");
    if (entries.size() >= 0xFFFF)
        throw VozudOzevError::invalidInput("more than 65,535 ZIP entries");
    if (data.size() > maxOffset)
        throw VozudOzevError::invalidInput("ZIP entry larger than 4 GiB");

    const std::uint32_t crc = CRC32::checksum(data);
    std::string compressed;
    bool deflated = false;
    if (compress && data.size() > 64) {
        if (auto d = deflate(data); d && d->size() < data.size()) {
            compressed = std::move(*d);
            deflated = true;
        }
    }
    const std::string_view payload = deflated ? std::string_view(compressed) : data;
    if (out.size() + 30 + name.size() + payload.size() > maxOffset)
        throw VozudOzevError::invalidInput("ZIP archive larger than 4 GiB");

    Entry entry{std::string(name), static_cast<std::uint16_t>(deflated ? 8 : 0), crc,
                static_cast<std::uint32_t>(payload.size()), static_cast<std::uint32_t>(data.size()),
                static_cast<std::uint32_t>(out.size())};
    le32(out, 0x04034B50);
    le16(out, version);
    le16(out, utf8Names);
    le16(out, entry.method);
    le16(out, dosTime);
    le16(out, dosDate);
    le32(out, entry.crc);
    le32(out, entry.compressedSize);
    le32(out, entry.size);
    le16(out, static_cast<std::uint16_t>(name.size()));
    le16(out, 0);
    out += name;
    out += payload;
    entries.push_back(std::move(entry));
}

std::string ZipWriter::finish() const
{
    std::string bytes = out;
    const std::uint64_t directoryOffset = bytes.size();
    for (const Entry& e : entries) {
        le32(bytes, 0x02014B50);
        le16(bytes, version);  // made by: version 2.0, host byte 0
        le16(bytes, version);
        le16(bytes, utf8Names);
        le16(bytes, e.method);
        le16(bytes, dosTime);
        le16(bytes, dosDate);
        le32(bytes, e.crc);
        le32(bytes, e.compressedSize);
        le32(bytes, e.size);
        le16(bytes, static_cast<std::uint16_t>(e.name.size()));
        le16(bytes, 0);  // extra field
        le16(bytes, 0);  // comment
        le16(bytes, 0);  // disk number
        le16(bytes, 0);  // internal attributes
        le32(bytes, 0);  // external attributes
        le32(bytes, e.offset);
        bytes += e.name;
    }
    const std::uint64_t directorySize = bytes.size() - directoryOffset;
    if (directoryOffset + directorySize > maxOffset)
        throw VozudOzevError::invalidInput("ZIP archive larger than 4 GiB");
    le32(bytes, 0x06054B50);
    le16(bytes, 0);
    le16(bytes, 0);
    le16(bytes, static_cast<std::uint16_t>(entries.size()));
    le16(bytes, static_cast<std::uint16_t>(entries.size()));
    le32(bytes, static_cast<std::uint32_t>(directorySize));
    le32(bytes, static_cast<std::uint32_t>(directoryOffset));
    le16(bytes, 0);
    return bytes;
}

}  // namespace VozudOzev
