#include "VozudOzev/Platform/EmojiFont.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <unicode/uchar.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <iostream>
#include <mutex>

namespace VozudOzev {

namespace {

// Area-weighted mean of [x0, x1) x [y0, y1) of a channel-interleaved float picture, per cell
// of a side x side grid.
std::vector<float> shrunk(const std::vector<float>& src, int width, int channels, double x0, double y0, double x1,
                          double y1)
{
    const int s = EmojiFont::side;
    std::vector<float> out(static_cast<size_t>(s * s * channels), 0.0f);
    const double cw = (x1 - x0) / s;
    const double ch = (y1 - y0) / s;
    for (int cy = 0; cy < s; ++cy)
        for (int cx = 0; cx < s; ++cx) {
            const double ax = x0 + cx * cw, bx = ax + cw, ay = y0 + cy * ch, by = ay + ch;
            double weight = 0;
            std::vector<double> sum(static_cast<size_t>(channels), 0.0);
            // Rounding may carry a cell's end past the area: never read beyond it.
            const int yEnd = std::min(static_cast<int>(std::ceil(by)), static_cast<int>(std::ceil(y1)));
            const int xEnd = std::min(static_cast<int>(std::ceil(bx)), static_cast<int>(std::ceil(x1)));
            for (int y = static_cast<int>(ay); y < yEnd; ++y)
                for (int x = static_cast<int>(ax); x < xEnd; ++x) {
                    const double w = std::max(0.0, std::min<double>(bx, x + 1) - std::max<double>(ax, x)) *
                                     std::max(0.0, std::min<double>(by, y + 1) - std::max<double>(ay, y));
                    if (w <= 0)
                        continue;
                    weight += w;
                    for (int c = 0; c < channels; ++c)
                        sum[static_cast<size_t>(c)] += w * src[(static_cast<size_t>(y) * width + x) * channels + c];
                }
            for (int c = 0; c < channels; ++c)
                out[static_cast<size_t>((cy * s + cx) * channels + c)] =
                    weight > 0 ? static_cast<float>(sum[static_cast<size_t>(c)] / weight) : 0.0f;
        }
    return out;
}

}  // namespace

std::optional<EmojiFont::Glyph> EmojiFont::thumbnailOf(std::string text, const std::uint8_t* bgra, int width,
                                                        int height, int rowBytes)
{
    if (bgra == nullptr || width <= 0 || height <= 0 || rowBytes < 4 * width)
        return std::nullopt;
    int x0 = width, y0 = height, x1 = -1, y1 = -1;
    std::vector<float> colour(static_cast<size_t>(width) * height * 3);
    std::vector<float> alpha(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = bgra + static_cast<size_t>(y) * rowBytes + 4 * static_cast<size_t>(x);
            const size_t i = static_cast<size_t>(y) * width + x;
            colour[3 * i] = p[2];
            colour[3 * i + 1] = p[1];
            colour[3 * i + 2] = p[0];
            alpha[i] = p[3] / 255.0f;
            if (p[3] >= 64) {
                x0 = std::min(x0, x);
                y0 = std::min(y0, y);
                x1 = std::max(x1, x);
                y1 = std::max(y1, y);
            }
        }
    if (x1 < 0)
        return std::nullopt;
    Glyph g;
    g.text = std::move(text);
    g.aspect = static_cast<double>(x1 - x0 + 1) / (y1 - y0 + 1);
    g.colour = shrunk(colour, width, 3, x0, y0, x1 + 1, y1 + 1);
    g.alpha = shrunk(alpha, width, 1, x0, y0, x1 + 1, y1 + 1);
    return g;
}

std::optional<EmojiFont> EmojiFont::load(const std::string& path)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return std::nullopt;
    FT_Face face = nullptr;
    EmojiFont font;
    if (FT_New_Face(library, path.c_str(), 0, &face) == 0) {
        // Colour fonts carry their pictures as fixed-size strikes.
        if (FT_HAS_COLOR(face) && face->num_fixed_sizes > 0 && FT_Select_Size(face, 0) == 0) {
            FT_UInt index = 0;
            for (FT_ULong c = FT_Get_First_Char(face, &index); index != 0; c = FT_Get_Next_Char(face, c, &index)) {
                // Characters drawn as text by default (digits, "©", "#") are read as text.
                // Regional indicators only make flags in pairs; alone they are letters in a box.
                if (c > 0x10FFFF || !u_hasBinaryProperty(static_cast<UChar32>(c), UCHAR_EMOJI_PRESENTATION) ||
                    (c >= 0x1F1E6 && c <= 0x1F1FF))
                    continue;
                if (FT_Load_Glyph(face, index, FT_LOAD_COLOR) != 0)
                    continue;
                const FT_Bitmap& b = face->glyph->bitmap;
                if (b.pixel_mode != FT_PIXEL_MODE_BGRA || b.pitch <= 0)
                    continue;
                if (std::optional<Glyph> g =
                        thumbnailOf(Unicode::encode(std::u32string(1, static_cast<char32_t>(c))), b.buffer,
                                    static_cast<int>(b.width), static_cast<int>(b.rows), b.pitch))
                    font.glyphs.push_back(std::move(*g));
            }
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    if (font.glyphs.empty())
        return std::nullopt;
    return font;
}

namespace {

constexpr std::string_view magic = "VZEMOJI1";

void put(std::string& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

// Reads little-endian fields off the front of a byte string; fails for good once short.
struct Reader {
    std::string_view rest;
    bool ok = true;

    std::uint32_t u32()
    {
        if (rest.size() < 4) {
            ok = false;
            return 0;
        }
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= static_cast<std::uint32_t>(static_cast<unsigned char>(rest[static_cast<size_t>(i)])) << (8 * i);
        rest.remove_prefix(4);
        return v;
    }
    std::string_view bytes(size_t n)
    {
        if (rest.size() < n) {
            ok = false;
            return {};
        }
        std::string_view v = rest.substr(0, n);
        rest.remove_prefix(n);
        return v;
    }
};

// The font file's identity: its path, size and modification time.
std::optional<std::string> keyOf(const std::string& path)
{
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error)
        return std::nullopt;
    const auto time = std::filesystem::last_write_time(path, error);
    if (error)
        return std::nullopt;
    return path + "|" + std::to_string(size) + "|" + std::to_string(time.time_since_epoch().count()) + "|" +
           std::to_string(EmojiFont::side);
}

std::optional<std::string> fileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream s;
    s << in.rdbuf();
    return std::move(s).str();
}

}  // namespace

std::string EmojiFont::serialized(const std::string& key) const
{
    const size_t cells = static_cast<size_t>(side) * side;
    std::string out(magic);
    put(out, static_cast<std::uint32_t>(key.size()));
    out += key;
    put(out, static_cast<std::uint32_t>(glyphs.size()));
    for (const Glyph& g : glyphs) {
        put(out, static_cast<std::uint32_t>(g.text.size()));
        out += g.text;
        put(out, static_cast<std::uint32_t>(std::lround(g.aspect * 65536)));
        for (size_t i = 0; i < 3 * cells; ++i)
            out.push_back(static_cast<char>(std::lround(std::clamp(i < g.colour.size() ? g.colour[i] : 0.0f, 0.0f, 255.0f))));
        for (size_t i = 0; i < cells; ++i)
            out.push_back(
                static_cast<char>(std::lround(255 * std::clamp(i < g.alpha.size() ? g.alpha[i] : 0.0f, 0.0f, 1.0f))));
    }
    return out;
}

std::optional<EmojiFont> EmojiFont::deserialized(const std::string& bytes, const std::string& key)
{
    const size_t cells = static_cast<size_t>(side) * side;
    Reader r{bytes};
    if (r.bytes(magic.size()) != magic)
        return std::nullopt;
    const std::uint32_t keyLength = r.u32();
    if (!r.ok || r.bytes(keyLength) != key || !r.ok)
        return std::nullopt;
    const std::uint32_t count = r.u32();
    // Each glyph takes at least this many bytes: a count larger than the file is corrupt.
    if (!r.ok || count == 0 || count > r.rest.size() / (4 * cells + 8))
        return std::nullopt;
    EmojiFont font;
    for (std::uint32_t k = 0; k < count && r.ok; ++k) {
        Glyph g;
        const std::uint32_t n = r.u32();
        if (n > 64)
            return std::nullopt;
        g.text = std::string(r.bytes(n));
        g.aspect = r.u32() / 65536.0;
        const std::string_view colour = r.bytes(3 * cells);
        const std::string_view alpha = r.bytes(cells);
        if (!r.ok || !(g.aspect > 0))
            return std::nullopt;
        for (char c : colour)
            g.colour.push_back(static_cast<float>(static_cast<unsigned char>(c)));
        for (char c : alpha)
            g.alpha.push_back(static_cast<float>(static_cast<unsigned char>(c)) / 255.0f);
        font.glyphs.push_back(std::move(g));
    }
    if (!r.ok || !r.rest.empty())
        return std::nullopt;
    return font;
}

std::shared_ptr<const EmojiFont> EmojiFont::installed()
{
    // Read-only once loaded; every recogniser on every thread shares it.
    static std::once_flag once;
    static std::shared_ptr<const EmojiFont> font;
    std::call_once(once, [] {
        std::vector<std::string> paths;
        for (const char* p : {"/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf",
                              "/usr/share/fonts/noto/NotoColorEmoji.ttf",
                              "/usr/share/fonts/google-noto-emoji/NotoColorEmoji.ttf",
                              "/usr/share/fonts/truetype/twemoji/TwitterColorEmoji.ttf"})
            paths.emplace_back(p);
        std::error_code error;
        // One folder per user, only the user's own: the temporary folder is shared.
        const std::filesystem::path folder =
            std::filesystem::temp_directory_path(error) / ("vozudozev-emoji-" + std::to_string(::getuid()));
        ::mkdir(folder.c_str(), 0700);
        struct stat st {};
        const bool ours = ::lstat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::getuid() &&
                          (st.st_mode & 077) == 0;
        for (const std::string& p : paths) {
            const std::optional<std::string> key = keyOf(p);
            if (!key || !std::filesystem::is_regular_file(p, error))
                continue;
            const std::filesystem::path cached = folder / (std::to_string(std::hash<std::string>{}(*key)) + ".bin");
            if (const std::optional<std::string> bytes = ours ? fileBytes(cached) : std::nullopt)
                if (std::optional<EmojiFont> f = deserialized(*bytes, *key)) {
                    font = std::make_shared<const EmojiFont>(std::move(*f));
                    return;
                }
            if (std::optional<EmojiFont> f = load(p)) {
                font = std::make_shared<const EmojiFont>(std::move(*f));
                // Written aside and renamed, so that a reader never sees half a file; a
                // cache that cannot be written only costs the next process the second.
                if (!ours)
                    return;
                const std::filesystem::path part = cached.string() + "." + std::to_string(::getpid()) + ".part";
                {
                    std::ofstream out(part, std::ios::binary | std::ios::trunc);
                    const std::string bytes = font->serialized(*key);
                    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
                }
                std::filesystem::rename(part, cached, error);
                if (error)
                    std::filesystem::remove(part, error);
                return;
            }
        }
        std::cerr << "Vantrel: no colour emoji font found; emoji on captures are flagged, not read\n";
    });
    return font;
}

}  // namespace VozudOzev
