// glint-tool contact-sheet: every level of a set drawn small into one PNG picture, so that a
// person can review the designs at a glance.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "pack/FileIo.h"

namespace glint::tool {

// An RGB picture, rows top first, three bytes a pixel.
struct RgbPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;

    RgbPicture(int w, int h) : width(w), height(h), pixels(static_cast<std::size_t>(w) * h * 3) {}
    void set(int x, int y, std::uint32_t rgb);
    std::uint32_t at(int x, int y) const;
    void fill(int x, int y, int w, int h, std::uint32_t rgb);
};

// A PNG file of the picture: 8-bit RGB, no interlace, the image data in stored (uncompressed)
// deflate blocks, every chunk with its CRC.
Bytes encodePng(const RgbPicture& picture);

// Draws one level file (22 lines of 32 characters) with `cell` pixels a cell, its top left
// corner at (x, y). Characters it does not know are drawn as empty cells.
void drawLevel(RgbPicture& picture, int x, int y, int cell, const Bytes& level);

// The command's arguments (after "contact-sheet"); returns the exit status.
int runContactSheet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace glint::tool
