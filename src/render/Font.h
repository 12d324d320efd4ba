// The proportional bitmap font: glyph boxes found by scanning the font picture's alpha, and text
// drawn as textured quads scaled to a height.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace glint {

class Texture;

class Font {
public:
    static constexpr int kFirstCharacter = 33;  // '!'
    static constexpr int kGlyphCount = 94;      // '!' to '~'

    // Texture coordinates of one glyph's box.
    struct Glyph {
        float tTop = 0.0f;
        float tBottom = 0.0f;
        float sLeft = 0.0f;
        float sRight = 0.0f;
    };

    // Measures the glyphs of a 32-bit uncompressed TGA: bands of ink separated by empty rows,
    // read from the top; in each band a leading mark, then glyphs separated by empty columns,
    // assigned to '!', '"', ... in that order. True when exactly 94 glyphs were found. A picture
    // that is not such a TGA, holds fewer pixels than it claims, or has more glyphs than
    // characters gives false, and then the font draws nothing.
    bool buildGlyphs(std::span<const std::uint8_t> tga);
    // The texture the glyphs are drawn from (the caller uploads the same picture).
    void setTexture(const Texture* texture) { texture_ = texture; }

    // Draws text whose first line's baseline starts at (x, y), each line height units tall
    // (y grows downward). Space and newline move the pen; bytes without a glyph are skipped.
    void drawText(std::string_view text, float height, float x, float y, float z, float red,
                  float green, float blue, float alpha) const;
    void drawNumber(int value, float height, float x, float y, float z, float red, float green,
                    float blue, float alpha) const;
    // How far drawText moves the pen along the line.
    float textWidth(std::string_view text, float height) const;

    bool built() const { return built_; }
    // Glyphs the last scan found (it counts on past 94 but keeps only 94).
    int glyphsFound() const { return found_; }
    const Glyph& glyph(int character) const { return glyphs_[character - kFirstCharacter]; }
    // The on-screen width of a character's glyph, 0 for characters without one.
    float glyphWidth(unsigned char character, float height) const;
    // Gap after each glyph, and the width of a space, at the given height.
    float gap(float height) const { return 0.1f * spaceWidth(height); }
    float spaceWidth(float height) const { return glyphWidth('A', height); }

private:
    std::array<Glyph, kGlyphCount> glyphs_{};
    float bandHeight_ = 0.0f;
    int imageWidth_ = 0;
    int imageHeight_ = 0;
    int found_ = 0;
    bool built_ = false;
    const Texture* texture_ = nullptr;
    // The corners of the text being drawn, kept so that drawing allocates nothing once warm.
    mutable std::vector<float> vertices_;
};

}  // namespace glint
