// Pictures made in memory for tests: TGA files of known pixels, and font pictures laid out for
// the glyph scan.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "pack/FileIo.h"

namespace glint::test {

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 255;
    bool operator==(const Rgba&) const = default;
};

// A TGA of the given size and depth (24 or 32) whose pixel at (column, row) — row 0 stored
// first, the bottom of the picture — is colourAt(column, row).
Bytes makeTga(int width, int height, int bitsPerPixel,
              const std::function<Rgba(int column, int row)>& colourAt);

// A font picture for the glyph scan: `bands` bands of `perBand` glyphs each (the last band may
// hold fewer, `glyphs` in all), every band led by a mark. Glyph boxes are `glyphWidth` wide
// (glyph i is i % 3 + glyphWidth - 1 wide, so widths differ) and bandHeight tall; the upper half
// of each box is opaque white, the lower half faintly inked (alpha 1) so that no row of a band is
// empty. Size: width x height.
Bytes makeFontPicture(int width, int height, int glyphs, int perBand, int glyphWidth,
                      int bandHeight);

}  // namespace glint::test
