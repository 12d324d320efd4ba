// The font picture: 94 glyphs (characters 33 to 126) laid out for the game's glyph scan.
#pragma once

#include <string>

#include "Image.h"
#include "Typeface.h"

namespace glint::content {

struct FontLayout {
    int pixelSize = 34;    // FreeType pixel size of the em
    int width = 1024;      // picture width
    float bearing = 0.5f;  // share of each glyph's side bearings kept in its box
    int separation = 2;    // clear columns between glyph boxes and clear rows between bands
};

// Draws the picture, row 0 at the top. Layout, as the scan reads it from the top down: bands
// of equal height separated by clear rows, each opening with a solid mark two columns wide
// that spans the band; then glyph boxes left to right, each filled with white at alpha 1 or
// more wherever it holds no ink, so that no column of a glyph and no row of a band is empty;
// clear columns between boxes and at the right edge; clear rows below the last band. The
// band's top row is padding, since the game maps a glyph's top to that row's lower edge.
Image drawFontPicture(const Typeface& face, const FontLayout& layout, std::string& error);

}  // namespace glint::content
