// Rendering the 94 glyphs with FreeType into bands the game's scan finds one by one.
#include "FontPicture.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace glint::content {

namespace {

constexpr int kFirstChar = 33;
constexpr int kLastChar = 126;
constexpr int kMarkWidth = 2;

struct PlacedGlyph {
    GlyphBitmap bitmap;
    int boxLeft = 0;  // box edge relative to the pen
    int boxWidth = 0;
};

}  // namespace

Image drawFontPicture(const Typeface& face, const FontLayout& layout, std::string& error) {
    std::vector<PlacedGlyph> glyphs;
    int inkTop = 0, inkBottom = 0;  // extremes over all glyphs, in rows above the baseline
    for (int c = kFirstChar; c <= kLastChar; ++c) {
        PlacedGlyph g;
        g.bitmap = face.glyph(static_cast<char>(c), layout.pixelSize);
        const int inkLeft = g.bitmap.left;
        const int inkRight = g.bitmap.left + g.bitmap.coverage.width;
        // Keep part of the side bearings: a little air around narrow glyphs reads better,
        // and the game adds its own small gap after every glyph.
        const float leftBearing = static_cast<float>(std::max(0, inkLeft));
        const float rightBearing = static_cast<float>(std::max(0, g.bitmap.advance - inkRight));
        g.boxLeft = inkLeft - static_cast<int>(std::lround(leftBearing * layout.bearing));
        const int boxRight =
            inkRight + static_cast<int>(std::lround(rightBearing * layout.bearing));
        g.boxWidth = std::max(1, boxRight - g.boxLeft);
        inkTop = std::max(inkTop, g.bitmap.top);
        inkBottom = std::min(inkBottom, g.bitmap.top - g.bitmap.coverage.height);
        glyphs.push_back(g);
    }
    const int pad = 1;
    const int bandHeight = pad + (inkTop - inkBottom) + pad;
    const int baseline = pad + inkTop;  // rows from the band's top row

    // Pack the glyphs into bands, left to right.
    struct Slot {
        int band;
        int x;
    };
    std::vector<Slot> slots;
    int band = 0;
    int x = kMarkWidth + layout.separation;
    for (const PlacedGlyph& g : glyphs) {
        // The last column must stay clear, and the next box needs its separation too.
        if (x + g.boxWidth + layout.separation >= layout.width) {
            ++band;
            x = kMarkWidth + layout.separation;
        }
        slots.push_back({band, x});
        x += g.boxWidth + layout.separation;
    }
    const int bands = band + 1;
    const int top = layout.separation;  // clear rows above the first band
    const int used = top + bands * bandHeight + (bands - 1) * layout.separation;
    int height = 1;
    while (height < used + layout.separation) {
        height *= 2;
    }
    if (!isPowerOfTwo(layout.width)) {
        error = "the font picture's width is not a power of two";
        return {};
    }

    Image img(layout.width, height);
    const Rgba white{255, 255, 255, 255};
    for (int b = 0; b < bands; ++b) {
        const int y0 = top + b * (bandHeight + layout.separation);
        for (int y = y0; y < y0 + bandHeight; ++y) {
            for (int mx = 0; mx < kMarkWidth; ++mx) {
                img.at(mx, y) = white;
            }
        }
    }
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        const PlacedGlyph& g = glyphs[i];
        const int y0 = top + slots[i].band * (bandHeight + layout.separation);
        const int x0 = slots[i].x;
        for (int y = y0; y < y0 + bandHeight; ++y) {
            for (int xx = x0; xx < x0 + g.boxWidth; ++xx) {
                img.at(xx, y) = {255, 255, 255, 1};
            }
        }
        const Coverage& cov = g.bitmap.coverage;
        const int penX = x0 - g.boxLeft;
        for (int yy = 0; yy < cov.height; ++yy) {
            const int y = y0 + baseline - g.bitmap.top + yy;
            for (int xx = 0; xx < cov.width; ++xx) {
                const int px = penX + g.bitmap.left + xx;
                const auto a = static_cast<std::uint8_t>(std::lround(cov.at(xx, yy) * 255.0f));
                if (a > img.at(px, y).a) {
                    img.at(px, y).a = a;
                }
            }
        }
    }
    return img;
}

}  // namespace glint::content
