// Pictures made in memory for tests: TGA files of known pixels, and font pictures laid out for
// the glyph scan.
#include "PictureMaker.h"

namespace glint::test {

Bytes makeTga(int width, int height, int bitsPerPixel,
              const std::function<Rgba(int column, int row)>& colourAt) {
    Bytes out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    out.push_back(static_cast<std::uint8_t>(width & 0xff));
    out.push_back(static_cast<std::uint8_t>(width >> 8));
    out.push_back(static_cast<std::uint8_t>(height & 0xff));
    out.push_back(static_cast<std::uint8_t>(height >> 8));
    out.push_back(static_cast<std::uint8_t>(bitsPerPixel));
    out.push_back(bitsPerPixel == 32 ? 8 : 0);
    for (int row = 0; row < height; ++row) {
        for (int column = 0; column < width; ++column) {
            Rgba c = colourAt(column, row);
            out.push_back(c.b);
            out.push_back(c.g);
            out.push_back(c.r);
            if (bitsPerPixel == 32) {
                out.push_back(c.a);
            }
        }
    }
    return out;
}

Bytes makeFontPicture(int width, int height, int glyphs, int perBand, int glyphWidth,
                      int bandHeight) {
    std::vector<Rgba> pixels(static_cast<std::size_t>(width) * height, Rgba{0, 0, 0, 0});
    auto set = [&](int column, int rowFromTop, Rgba c) {
        if (column >= 0 && column < width && rowFromTop >= 0 && rowFromTop < height) {
            pixels[static_cast<std::size_t>(height - 1 - rowFromTop) * width + column] = c;
        }
    };
    const Rgba ink{255, 255, 255, 255};
    const Rgba faint{255, 255, 255, 1};
    int placed = 0;
    for (int band = 0; placed < glyphs; ++band) {
        const int top = 1 + band * (bandHeight + 2);  // two empty rows between bands
        // The leading mark, the band's full height.
        for (int r = 0; r < bandHeight; ++r) {
            set(1, top + r, ink);
        }
        int column = 4;
        for (int i = 0; i < perBand && placed < glyphs; ++i, ++placed) {
            const int w = placed % 3 + glyphWidth - 1;
            for (int c = 0; c < w; ++c) {
                for (int r = 0; r < bandHeight; ++r) {
                    set(column + c, top + r, r < bandHeight / 2 ? ink : faint);
                }
            }
            column += w + 2;
        }
    }
    return makeTga(width, height, 32, [&](int column, int row) {
        return pixels[static_cast<std::size_t>(row) * width + column];
    });
}

}  // namespace glint::test
