// The proportional bitmap font: glyph boxes found by scanning the font picture's alpha, and text
// drawn as textured quads scaled to a height.
#include "render/Font.h"

#include <GL/gl.h>

#include <optional>
#include <string>

#include "render/Image.h"
#include "render/Texture.h"

namespace glint {

namespace {

// The scan over the picture's alpha; rows are numbered from the bottom, so it starts at the
// top row, height - 1.
class AlphaScan {
public:
    explicit AlphaScan(const Image& image) : image_(image) {}

    bool emptyRow(int row) const {
        for (int column = 0; column < image_.width; ++column) {
            if (alpha(column, row) != 0) {
                return false;
            }
        }
        return true;
    }
    bool emptyColumn(int column, int top, int bottom) const {
        for (int row = bottom; row <= top; ++row) {
            if (alpha(column, row) != 0) {
                return false;
            }
        }
        return true;
    }
    // From row n downward, the first row with ink; 0 when none.
    int lastInkRow(int n) const {
        for (int row = n; row >= 0; --row) {
            if (!emptyRow(row)) {
                return row;
            }
        }
        return 0;
    }
    // From row n downward while rows have ink: the lowest inked row of the band, or 0 when the
    // band reaches the bottom.
    int bandBottom(int n) const {
        for (int row = n; row >= 0; --row) {
            if (emptyRow(row)) {
                return row + 1;
            }
        }
        return 0;
    }
    // From column a rightward, the first column with ink in the band; the last column when
    // none (also when a lies past it).
    int firstInkColumn(int a, int top, int bottom) const {
        for (int column = a; column < image_.width; ++column) {
            if (!emptyColumn(column, top, bottom)) {
                return column;
            }
        }
        return image_.width - 1;
    }
    // From column a rightward, the column before the first empty one; the last column when none.
    int inkRunEnd(int a, int top, int bottom) const {
        for (int column = a; column < image_.width; ++column) {
            if (emptyColumn(column, top, bottom)) {
                return column - 1;
            }
        }
        return image_.width - 1;
    }

private:
    std::uint8_t alpha(int column, int row) const {
        return image_.pixels[(static_cast<std::size_t>(row) * image_.width + column) * 4 + 3];
    }
    const Image& image_;
};

}  // namespace

bool Font::buildGlyphs(std::span<const std::uint8_t> tga) {
    built_ = false;
    found_ = 0;
    std::optional<Image> image = decodeTga(tga);
    if (!image || image->components != 4) {
        return false;
    }
    imageWidth_ = image->width;
    imageHeight_ = image->height;
    const float width = static_cast<float>(image->width);
    const float height = static_cast<float>(image->height);
    AlphaScan scan(*image);

    int bottom = image->height;
    while (true) {
        const int top = scan.lastInkRow(bottom - 1);
        bottom = scan.bandBottom(top);
        if (top == 0) {
            break;
        }
        // The leading mark of the band is not a glyph.
        int d = scan.inkRunEnd(scan.firstInkColumn(0, top, bottom), top, bottom);
        bandHeight_ = static_cast<float>(top) / height - static_cast<float>(bottom) / height;
        while (true) {
            const int h = scan.firstInkColumn(d + 1, top, bottom);
            if (h == image->width - 1) {
                break;
            }
            d = scan.inkRunEnd(h, top, bottom);
            if (found_ < kGlyphCount) {
                glyphs_[static_cast<std::size_t>(found_)] =
                    Glyph{static_cast<float>(top) / height, static_cast<float>(bottom) / height,
                          static_cast<float>(h - 1) / width, static_cast<float>(d + 1) / width};
            }
            ++found_;
        }
        if (bottom == 0) {
            break;  // the band reached the bottom row: nothing lies below it
        }
    }
    built_ = found_ == kGlyphCount;
    return built_;
}

float Font::glyphWidth(unsigned char character, float height) const {
    if (!built_ || character < kFirstCharacter || character >= kFirstCharacter + kGlyphCount ||
        bandHeight_ <= 0.0f) {
        return 0.0f;
    }
    const Glyph& g = glyph(character);
    const float aspect = static_cast<float>(imageWidth_) / static_cast<float>(imageHeight_);
    return (g.sRight - g.sLeft) / bandHeight_ * aspect * height;
}

float Font::textWidth(std::string_view text, float height) const {
    if (!built_) {
        return 0.0f;
    }
    float width = 0.0f;
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u == ' ') {
            width += spaceWidth(height);
        } else if (glyphWidth(u, height) > 0.0f) {
            width += glyphWidth(u, height) + gap(height);
        }
    }
    return width;
}

void Font::drawText(std::string_view text, float height, float x, float y, float z, float red,
                    float green, float blue, float alpha) const {
    if (!built_) {
        return;
    }
    const GLboolean texturing = glIsEnabled(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_2D);
    if (texture_ != nullptr) {
        glBindTexture(GL_TEXTURE_2D, texture_->name);
    }
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_DEPTH_TEST);
    glColor4f(red, green, blue, alpha);

    const float space = spaceWidth(height);
    const float spacing = gap(height);
    const float x0 = x;
    // Every glyph's two triangles (those of a strip of its four corners) in one draw.
    std::vector<float>& v = vertices_;
    v.clear();
    auto corner = [&v](float px, float py, float pz, float s, float t) {
        v.insert(v.end(), {px, py, pz, s, t});
    };
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u == ' ') {
            x += space;
            continue;
        }
        if (u == '\n') {
            y += height;
            x = x0 + spacing;
            continue;
        }
        const float w = glyphWidth(u, height);
        if (w <= 0.0f) {
            continue;  // no glyph for this byte
        }
        const Glyph& g = glyph(u);
        corner(x, y, z, g.sLeft, g.tBottom);
        corner(x, y - height, z, g.sLeft, g.tTop);
        corner(x + w, y, z, g.sRight, g.tBottom);
        corner(x + w, y, z, g.sRight, g.tBottom);
        corner(x, y - height, z, g.sLeft, g.tTop);
        corner(x + w, y - height, z, g.sRight, g.tTop);
        x += w + spacing;
    }
    if (!v.empty()) {
        constexpr GLsizei kStride = 5 * sizeof(float);
        glEnableClientState(GL_VERTEX_ARRAY);
        glEnableClientState(GL_TEXTURE_COORD_ARRAY);
        glVertexPointer(3, GL_FLOAT, kStride, v.data());
        glTexCoordPointer(2, GL_FLOAT, kStride, v.data() + 3);
        glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(v.size() / 5));
        glDisableClientState(GL_TEXTURE_COORD_ARRAY);
        glDisableClientState(GL_VERTEX_ARRAY);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    if (!texturing) {
        glDisable(GL_TEXTURE_2D);
    }
}

void Font::drawNumber(int value, float height, float x, float y, float z, float red, float green,
                      float blue, float alpha) const {
    drawText(std::to_string(value), height, x, y, z, red, green, blue, alpha);
}

}  // namespace glint
