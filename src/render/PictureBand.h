// Widget pictures: a texture divided into equal horizontal bands, one band per widget state.
// A picture of one band is drawn whole (the menu's and the intro's backgrounds).
#pragma once

namespace glint {

class Texture;

// Draws band `band` (1-based, counted from the picture's bottom) of a picture of `bands` bands,
// upright, over the rectangle with top-left corner (x, y), blended, in white.
void drawPictureBand(const Texture& texture, int band, int bands, float x, float y, float width,
                     float height, float z);

}  // namespace glint
