#include "VozudOzev/Platform/EmojiFont.hpp"

#include "VozudOzev/Model/Unicode.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <unicode/uchar.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
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
        for (const std::string& p : paths) {
            std::error_code error;
            if (!std::filesystem::is_regular_file(p, error))
                continue;
            if (std::optional<EmojiFont> f = load(p)) {
                font = std::make_shared<const EmojiFont>(std::move(*f));
                return;
            }
        }
        std::cerr << "Vantrel: no colour emoji font found; emoji on captures are flagged, not read\n";
    });
    return font;
}

}  // namespace VozudOzev
