#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace VozudOzev {

// The pictures of a colour emoji font, each shrunk to a small thumbnail of its ink, so that
// an emoji drawn on a page can be told by comparing what the page shows with each of them.
struct EmojiFont {
    static constexpr int side = 12;  // thumbnail cells per side

    struct Glyph {
        std::string text;               // the emoji, UTF-8
        double aspect = 1;              // ink width over ink height
        std::vector<float> colour;      // side * side * 3, premultiplied by alpha, 0...255
        std::vector<float> alpha;       // side * side, 0...1

        bool operator==(const Glyph&) const = default;
    };

    std::vector<Glyph> glyphs;

    // The thumbnail of a premultiplied BGRA picture (FreeType's colour bitmaps), cut to its
    // ink; nothing when it shows no ink. rowBytes is the step between rows.
    static std::optional<Glyph> thumbnailOf(std::string text, const std::uint8_t* bgra, int width, int height,
                                            int rowBytes);

    // Every emoji-presentation character of the colour font at path; nothing when the file is
    // missing, unreadable or holds no colour pictures.
    static std::optional<EmojiFont> load(const std::string& path);

    // The thumbnails as bytes and back; the key (the font file's identity) is kept with them
    // and must match. Nothing from bytes that are not such a file or carry another key.
    std::string serialized(const std::string& key) const;
    static std::optional<EmojiFont> deserialized(const std::string& bytes, const std::string& key);

    // The system's colour emoji font, read once on first use; null when none is installed.
    // Decoding every picture takes about a second, so the thumbnails are kept in the
    // temporary folder ("vozudozev-emoji-<uid>", the user's only) for the next process.
    static std::shared_ptr<const EmojiFont> installed();
};

}  // namespace VozudOzev
