// FreeType glyph rendering with hinting, for the font picture and every label.
#include "Typeface.h"

#include <algorithm>
#include <stdexcept>

#include <ft2build.h>
#include FT_FREETYPE_H

namespace glint::content {

struct Typeface::Library {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
};

Typeface::Typeface(const std::string& fontPath) : lib_(std::make_unique<Library>()) {
    if (FT_Init_FreeType(&lib_->library) != 0) {
        throw std::runtime_error("FreeType cannot start");
    }
    if (FT_New_Face(lib_->library, fontPath.c_str(), 0, &lib_->face) != 0) {
        FT_Done_FreeType(lib_->library);
        throw std::runtime_error(fontPath + ": FreeType cannot open this font");
    }
}

Typeface::~Typeface() {
    FT_Done_Face(lib_->face);
    FT_Done_FreeType(lib_->library);
}

GlyphBitmap Typeface::glyph(char c, int pixelSize) const {
    FT_Face face = lib_->face;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    if (FT_Load_Char(face, static_cast<unsigned char>(c), FT_LOAD_RENDER) != 0) {
        throw std::runtime_error(std::string("FreeType cannot render '") + c + "'");
    }
    const FT_GlyphSlot slot = face->glyph;
    GlyphBitmap out;
    out.left = slot->bitmap_left;
    out.top = slot->bitmap_top;
    out.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    out.coverage.width = static_cast<int>(slot->bitmap.width);
    out.coverage.height = static_cast<int>(slot->bitmap.rows);
    out.coverage.values.resize(static_cast<std::size_t>(out.coverage.width) *
                               static_cast<std::size_t>(out.coverage.height));
    for (int y = 0; y < out.coverage.height; ++y) {
        const unsigned char* row = slot->bitmap.buffer + y * slot->bitmap.pitch;
        for (int x = 0; x < out.coverage.width; ++x) {
            out.coverage.values[static_cast<std::size_t>(y * out.coverage.width + x)] =
                static_cast<float>(row[x]) / 255.0f;
        }
    }
    return out;
}

Typeface::Line Typeface::line(const std::string& text, int pixelSize) const {
    FT_Face face = lib_->face;
    FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize));
    const int ascent = static_cast<int>((face->size->metrics.ascender + 63) >> 6);
    const int descent = static_cast<int>((-face->size->metrics.descender + 63) >> 6);

    struct Placed {
        GlyphBitmap bitmap;
        int x;
    };
    std::vector<Placed> placed;
    int pen = 0;
    int minX = 0, maxX = 0;
    FT_UInt previous = 0;
    for (char c : text) {
        FT_UInt index = FT_Get_Char_Index(face, static_cast<unsigned char>(c));
        if (previous != 0 && index != 0 && FT_HAS_KERNING(face)) {
            FT_Vector kern;
            FT_Get_Kerning(face, previous, index, FT_KERNING_DEFAULT, &kern);
            pen += static_cast<int>((kern.x + 32) >> 6);
        }
        GlyphBitmap g = glyph(c, pixelSize);
        placed.push_back({g, pen + g.left});
        minX = std::min(minX, pen + g.left);
        maxX = std::max({maxX, pen + g.left + g.coverage.width, pen + g.advance});
        pen += g.advance;
        previous = index;
    }
    Line out;
    out.ascent = ascent;
    out.coverage.width = maxX - minX;
    out.coverage.height = ascent + descent;
    out.coverage.values.assign(static_cast<std::size_t>(out.coverage.width) *
                                   static_cast<std::size_t>(out.coverage.height),
                               0.0f);
    for (const Placed& p : placed) {
        const Coverage& cov = p.bitmap.coverage;
        for (int y = 0; y < cov.height; ++y) {
            const int ty = ascent - p.bitmap.top + y;
            if (ty < 0 || ty >= out.coverage.height) {
                continue;
            }
            for (int x = 0; x < cov.width; ++x) {
                const int tx = p.x - minX + x;
                float& v =
                    out.coverage.values[static_cast<std::size_t>(ty * out.coverage.width + tx)];
                v = std::max(v, cov.at(x, y));
            }
        }
    }
    return out;
}

void paintCoverage(Image& img, const Coverage& cov, int x, int y, const Color& color) {
    for (int yy = 0; yy < cov.height; ++yy) {
        for (int xx = 0; xx < cov.width; ++xx) {
            const float a = cov.at(xx, yy);
            if (a > 0.0f) {
                img.blend(x + xx, y + yy, color.withAlpha(color.a * a));
            }
        }
    }
}

Coverage blurred(const Coverage& cov, int radius) {
    Coverage out;
    out.width = cov.width + 2 * radius;
    out.height = cov.height + 2 * radius;
    out.values.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height),
                      0.0f);
    for (int y = 0; y < cov.height; ++y) {
        for (int x = 0; x < cov.width; ++x) {
            out.values[static_cast<std::size_t>((y + radius) * out.width + x + radius)] =
                cov.at(x, y);
        }
    }
    if (radius <= 0) {
        return out;
    }
    // Three box passes approximate a Gaussian.
    std::vector<float> tmp(out.values.size());
    const int r = std::max(1, radius / 2);
    for (int pass = 0; pass < 3; ++pass) {
        for (int y = 0; y < out.height; ++y) {
            for (int x = 0; x < out.width; ++x) {
                float sum = 0;
                for (int k = -r; k <= r; ++k) {
                    int xx = std::clamp(x + k, 0, out.width - 1);
                    sum += out.values[static_cast<std::size_t>(y * out.width + xx)];
                }
                tmp[static_cast<std::size_t>(y * out.width + x)] =
                    sum / static_cast<float>(2 * r + 1);
            }
        }
        for (int y = 0; y < out.height; ++y) {
            for (int x = 0; x < out.width; ++x) {
                float sum = 0;
                for (int k = -r; k <= r; ++k) {
                    int yy = std::clamp(y + k, 0, out.height - 1);
                    sum += tmp[static_cast<std::size_t>(yy * out.width + x)];
                }
                out.values[static_cast<std::size_t>(y * out.width + x)] =
                    sum / static_cast<float>(2 * r + 1);
            }
        }
    }
    return out;
}

}  // namespace glint::content
