// Pictures of the generated content as the game's drawing rules show it, for people to look at.
#pragma once

#include <string>
#include <vector>

#include "Image.h"

namespace glint::content {

// A texture as the game holds it: row 0 of the texture is the first row stored in the file,
// which for our TGA files and for decoded JPEG pictures is the bottom row of the picture.
class Texture {
public:
    explicit Texture(Image picture) : picture_(std::move(picture)) {}
    int width() const { return picture_.width(); }
    int height() const { return picture_.height(); }
    // Linear filtering at texture coordinates (s, t), t = 0 at texture row 0.
    Color sample(float s, float t) const;
    // The alpha of texel (column, row), row 0 = texture row 0.
    std::uint8_t alpha(int column, int row) const;

private:
    Image picture_;
};

// A screen of 800 x 600 units (or another size) drawn at `scale` pixels per unit.
class Screen {
public:
    Screen(int scale, Rgba clear) : Screen(800, 600, scale, clear) {}
    Screen(int widthUnits, int heightUnits, int scale, Rgba clear);
    // An axis-aligned quad from (x0, y0) to (x1, y1) in screen units (y down), with texture
    // coordinates (s0, tTop) at its top-left corner and (s1, tBottom) at its bottom-right.
    void quad(const Texture& tex, float x0, float y0, float x1, float y1, float s0, float tTop,
              float s1, float tBottom, const Color& tint, bool blended);
    void rect(float x0, float y0, float x1, float y1, const Color& color);
    const Image& image() const { return image_; }

private:
    int scale_;
    Image image_;
};

// The game's bitmap font: glyph boxes found by scanning the picture's alpha from the top.
class BitmapFont {
public:
    explicit BitmapFont(const Image& picture);
    int glyphCount() const { return count_; }
    bool valid() const { return count_ == 94; }
    // Text whose first line's lower left corner is (x, y), rising above y.
    void draw(Screen& screen, const std::string& text, float height, float x, float y,
              const Color& color) const;
    float width(const std::string& text, float height) const;
    float glyphWidth(int index, float height) const;

private:
    struct Glyph {
        float tTop, tBottom, sLeft, sRight;
    };
    Texture texture_;
    std::vector<Glyph> glyphs_;
    int count_ = 0;
    float bandHeight_ = 0;
};

// Writes preview pictures (TGA) of every skin, the figure, the font, the widgets and every menu
// and dialog, from the generated content in contentDir.
bool writePreviews(const std::string& contentDir, const std::string& outDir, std::string& error);

}  // namespace glint::content
