// Any bytes as the font picture: the glyph scan accepts or refuses it without reading outside
// the picture, and the widths of a built font are finite and never negative.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "render/Font.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    glint::Font font;
    const bool built = font.buildGlyphs(std::span<const std::uint8_t>(data, size));
    if (built != (font.glyphsFound() == glint::Font::kGlyphCount) || built != font.built()) {
        std::abort();
    }
    std::string every;
    for (int c = 0; c < 256; ++c) {
        every += static_cast<char>(c);
    }
    const float width = font.textWidth(every, 25.0f);
    if (!std::isfinite(width) || width < 0.0f) {
        std::abort();
    }
    return 0;
}
