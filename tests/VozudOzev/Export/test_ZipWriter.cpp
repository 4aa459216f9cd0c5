#include "VozudOzev/Export/CRC32.hpp"
#include "VozudOzev/Export/ZipWriter.hpp"
#include "VozudOzev/Model/VozudOzevError.hpp"

#include "VozudOzev/Export/ExternalTool.hpp"

#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <random>
#include <zlib.h>

using namespace VozudOzev;
using namespace std::chrono;

namespace {

std::uint32_t u32(const std::string& b, size_t at)
{
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
    return v;
}

std::uint16_t u16(const std::string& b, size_t at)
{
    return static_cast<std::uint16_t>(static_cast<unsigned char>(b[at]) | (static_cast<unsigned char>(b[at + 1]) << 8));
}

// Stamps are made in local time: pin the zone for the test and put it back after.
class PinnedZone {
public:
    explicit PinnedZone(const char* zone)
    {
        if (const char* old = std::getenv("TZ"))
            saved_ = old;
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
    ~PinnedZone()
    {
        if (saved_)
            ::setenv("TZ", saved_->c_str(), 1);
        else
            ::unsetenv("TZ");
        ::tzset();
    }

private:
    std::optional<std::string> saved_;
};

system_clock::time_point utc(int y, unsigned mo, unsigned d, int h = 0, int mi = 0, int s = 0)
{
    return sys_days{year{y} / mo / d} + hours{h} + minutes{mi} + seconds{s};
}

std::string randomBytes(size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    std::string s(n, '\0');
    for (char& c : s)
        c = static_cast<char>(random() & 0xFF);
    return s;
}

std::string inflateRaw(const std::string& data, size_t size)
{
    z_stream stream{};
    inflateInit2(&stream, -15);
    std::string out(size, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    stream.avail_in = static_cast<uInt>(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&stream, Z_FINISH);
    inflateEnd(&stream);
    return status == Z_STREAM_END ? out : "<inflate failed>";
}

}  // namespace

TEST(CRC32, KnownValues)
{
    EXPECT_EQ(CRC32::checksum(""), 0u);
    EXPECT_EQ(CRC32::checksum("123456789"), 0xCBF43926u);
    EXPECT_EQ(CRC32::table()[1], 0x77073096u);
    const std::string data = randomBytes(1000, 3);
    EXPECT_EQ(CRC32::checksum(data), ::crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

TEST(ZipWriter, DosStamp)
{
    PinnedZone zone("UTC0");
    const struct {
        const char* name;
        system_clock::time_point at;
        std::uint16_t date, time;
    } cases[] = {
        {"1980-01-01 00:00:00", utc(1980, 1, 1), 0x0021, 0},
        {"59 seconds", utc(1980, 1, 1, 0, 0, 59), 0x0021, 29},
        {"before 1980", utc(1975, 6, 15), (6 << 5) | 15, 0},
        {"after 2107", utc(2110, 12, 31, 23, 59, 58), (127 << 9) | (12 << 5) | 31, (23 << 11) | (59 << 5) | 29},
        {"2026-01-05 13:30:07", utc(2026, 1, 5, 13, 30, 7), (46 << 9) | (1 << 5) | 5, (13 << 11) | (30 << 5) | 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ZipWriter w(c.at);
        EXPECT_EQ(w.dosDate, c.date);
        EXPECT_EQ(w.dosTime, c.time);
    }
    PinnedZone east("ICT-7");
    EXPECT_EQ(ZipWriter(utc(2026, 1, 5, 20, 0, 0)).dosDate, (46 << 9) | (1 << 5) | 6);
}

TEST(ZipWriter, EntriesStoredOrDeflated)
{
    const std::string text65(65, 'a');
    const std::string random4k = randomBytes(4096, 1);
    const struct {
        const char* name;
        std::string entryName, data;
        bool compress;
        std::uint16_t method;
    } cases[] = {
        {"empty", "empty.txt", "", true, 0},
        {"exactly 64 bytes stays stored", "64.txt", std::string(64, 'a'), true, 0},
        {"65 bytes of repeated text are deflated", "65.txt", text65, true, 8},
        {"random bytes do not shrink", "random.bin", random4k, true, 0},
        {"compression not asked", "plain.txt", std::string(1000, 'x'), false, 0},
        {"a non-ASCII name", "Bảng tính/đơn giá.xml", std::string(500, 'z'), true, 8},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ZipWriter w(utc(2026, 1, 5));
        w.add(c.entryName, c.data, c.compress);
        ASSERT_EQ(w.entries.size(), 1u);
        const auto& e = w.entries[0];
        EXPECT_EQ(e.method, c.method);
        EXPECT_EQ(e.crc, CRC32::checksum(c.data));
        EXPECT_EQ(e.size, c.data.size());
        EXPECT_EQ(e.offset, 0u);
        EXPECT_EQ(e.name, c.entryName);
        const std::string payload = w.out.substr(30 + c.entryName.size());
        EXPECT_EQ(payload.size(), e.compressedSize);
        if (c.method == 0) {
            EXPECT_EQ(payload, c.data);
        } else {
            EXPECT_EQ(inflateRaw(payload, c.data.size()), c.data);
        }
        EXPECT_EQ(u32(w.out, 0), 0x04034B50u);
        EXPECT_EQ(u16(w.out, 6), 0x0800);
        EXPECT_EQ(w.out.substr(30, c.entryName.size()), c.entryName);
    }
}

TEST(ZipWriter, ArchiveStructure)
{
    const ZipWriter empty(utc(2026, 1, 5));
    const std::string none = empty.finish();
    EXPECT_EQ(none, std::string("PK\x05\x06", 4) + std::string(18, '\0'));

    ZipWriter w(utc(2026, 1, 5));
    w.add("a.txt", "hello", true);
    w.add("dir/b.xml", std::string(300, 'b'), true);
    w.add("ç.txt", "", false);
    const std::string bytes = w.finish();
    EXPECT_EQ(w.finish(), bytes);  // finishing leaves the writer as it was
    EXPECT_EQ(bytes.substr(0, w.out.size()), w.out);

    const size_t end = bytes.size() - 22;
    EXPECT_EQ(u32(bytes, end), 0x06054B50u);
    EXPECT_EQ(u16(bytes, end + 8), 3);
    EXPECT_EQ(u16(bytes, end + 10), 3);
    const std::uint32_t dirOffset = u32(bytes, end + 16);
    EXPECT_EQ(dirOffset, w.out.size());
    EXPECT_EQ(u32(bytes, end + 12), end - dirOffset);
    size_t at = dirOffset;
    for (const auto& e : w.entries) {
        SCOPED_TRACE(e.name);
        ASSERT_EQ(u32(bytes, at), 0x02014B50u);
        EXPECT_EQ(u16(bytes, at + 4), 20);
        EXPECT_EQ(u16(bytes, at + 8), 0x0800);
        EXPECT_EQ(u16(bytes, at + 10), e.method);
        EXPECT_EQ(u32(bytes, at + 16), e.crc);
        EXPECT_EQ(u32(bytes, at + 20), e.compressedSize);
        EXPECT_EQ(u32(bytes, at + 24), e.size);
        EXPECT_EQ(u32(bytes, at + 42), e.offset);
        EXPECT_EQ(u32(bytes, e.offset), 0x04034B50u);
        EXPECT_EQ(bytes.substr(at + 46, e.name.size()), e.name);
        at += 46 + e.name.size();
    }
    EXPECT_EQ(at, end);
}

TEST(ZipWriter, RefusesWhatTheFormatCannotHold)
{
    ZipWriter w(utc(2026, 1, 5));
    EXPECT_THROW(w.add(std::string(65536, 'n'), "x", false), VozudOzevError);
    EXPECT_TRUE(w.entries.empty());
    EXPECT_TRUE(w.out.empty());
    w.add(std::string(65535, 'n'), "x", false);
    EXPECT_EQ(w.entries.size(), 1u);
}

TEST(ZipWriterConsumers, UnzipAndPythonZipfileReadEveryArchive)
{
    ASSERT_TRUE(ExternalTool::installed(ExternalTool::python));
    ASSERT_TRUE(ExternalTool::installed("/usr/bin/unzip"));
    ExternalTool::ScratchDir dir;
    // testzip reads every entry back and checks it against its CRC.
    const auto script = dir.write("reader.py", R"(import json, sys, zipfile
with zipfile.ZipFile(sys.argv[1]) as z:
    assert z.testzip() is None
    print(json.dumps([[i.filename, i.compress_type, bool(i.flag_bits & 0x800), i.file_size, i.CRC]
                      for i in z.infolist()]))
)");

    std::vector<std::vector<std::pair<std::string, std::string>>> archives;
    archives.push_back({});
    archives.push_back({{"empty", ""}, {"64", std::string(64, 'q')}, {"text.xml", std::string(5000, 'x')},
                        {"random.bin", randomBytes(3000, 9)}, {"Việt/ế.txt", "Tiếng Việt có dấu"}});
    std::vector<std::pair<std::string, std::string>> many;
    for (int i = 0; i < 300; ++i)
        many.push_back({"part" + std::to_string(i) + ".txt", std::string(static_cast<size_t>(i), static_cast<char>('a' + i % 26))});
    archives.push_back(many);

    for (size_t k = 0; k < archives.size(); ++k) {
        SCOPED_TRACE(k);
        ZipWriter w(utc(2026, 1, 5, 12));
        nlohmann::json want = nlohmann::json::array();
        for (const auto& [name, data] : archives[k]) {
            w.add(name, data, true);
            const auto& e = w.entries.back();
            want.push_back({name, e.method, true, data.size(), CRC32::checksum(data)});
        }
        const auto file = dir.write("a" + std::to_string(k) + ".zip", w.finish());
        const auto unzip = ExternalTool::run({"/usr/bin/unzip", "-tqq", file});
        // unzip reports an archive without entries with its warning status.
        EXPECT_EQ(unzip.status, archives[k].empty() ? 1 : 0) << unzip.out;
        const auto read = ExternalTool::run({ExternalTool::python, script, file});
        ASSERT_EQ(read.status, 0);
        EXPECT_EQ(nlohmann::json::parse(read.out), want);
    }
}
