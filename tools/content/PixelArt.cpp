// Palettes and character grids turned into pictures.
#include "PixelArt.h"

namespace glint::content {

Palette Palette::read(SourceFile& source) {
    Palette palette;
    for (;;) {
        std::vector<std::string> words = source.next();
        if (words.empty()) {
            source.fail("the palette has no \"end\"");
        }
        if (words[0] == "end") {
            return palette;
        }
        if (words.size() != 2 || words[0].size() != 1) {
            source.fail("a palette line is one character and one colour");
        }
        auto color = parseColor(words[1]);
        if (!color) {
            source.fail("\"" + words[1] + "\" is not a colour (#rrggbb or #rrggbbaa)");
        }
        palette.colors_[words[0][0]] = color->toRgba();
    }
}

Image gridToImage(const std::vector<std::string>& rows, const Palette& palette,
                  const SourceFile& source) {
    const int height = static_cast<int>(rows.size());
    const int width = height == 0 ? 0 : static_cast<int>(rows[0].size());
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            char c = rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
            if (!palette.has(c)) {
                source.fail(std::string("grid row ") + std::to_string(y) + " uses '" + c +
                            "', which the palette does not name");
            }
            image.at(x, y) = palette(c);
        }
    }
    return image;
}

}  // namespace glint::content
