// Any bytes as a texture, above the decoders and with GL uploads off: as a TGA texture, as a
// JPEG texture, and, split where the first four bytes say, as a JPEG colour picture with its
// greyscale alpha picture. A load that fails keeps the previous picture's size; one that
// succeeds takes the decoded size.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/Image.h"
#include "render/JpegTexture.h"
#include "render/Texture.h"
#include "render/TgaTexture.h"

using namespace glint;

namespace {

constexpr int kBefore = 3;  // a size no decoded picture of ours has: what a failed load keeps

template <typename T>
void expectSize(const T& texture, bool loaded, const std::optional<Image>& image) {
    const int width = loaded ? image->width : kBefore;
    const int height = loaded ? image->height : kBefore;
    if (texture.width != width || texture.height != height || texture.name != 0) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool once = [] {
        setJpegMessagesSilenced(true);
        Texture::setUploadEnabled(false);
        return true;
    }();
    (void)once;
    const std::span<const std::uint8_t> bytes(data, size);

    TgaTexture tga;
    tga.width = tga.height = kBefore;
    const bool tgaLoaded = tga.loadFromMemory(bytes, true, true);
    const std::optional<Image> tgaImage = decodeTga(bytes);
    if (tgaLoaded != tgaImage.has_value()) {
        std::abort();
    }
    expectSize(tga, tgaLoaded, tgaImage);

    JpegTexture jpeg;
    jpeg.width = jpeg.height = kBefore;
    const bool jpegLoaded = jpeg.loadFromMemory(bytes, false, true);
    const std::optional<Image> jpegImage = decodeJpeg(bytes);
    if (jpegLoaded != (jpegImage && jpegImage->components == 3)) {
        std::abort();
    }
    expectSize(jpeg, jpegLoaded, jpegImage);

    if (size >= 4) {
        const std::size_t split = std::min<std::size_t>(
            size - 4, static_cast<std::size_t>(data[0]) | static_cast<std::size_t>(data[1]) << 8 |
                          static_cast<std::size_t>(data[2]) << 16 |
                          static_cast<std::size_t>(data[3]) << 24);
        const auto colour = bytes.subspan(4, split);
        const auto alpha = bytes.subspan(4 + split);
        JpegTexture pair;
        pair.width = pair.height = kBefore;
        const bool pairLoaded = pair.loadPairFromMemory(colour, alpha, true);
        const std::optional<Image> colourImage = decodeJpeg(colour);
        const std::optional<Image> alphaImage = decodeJpeg(alpha);
        const bool fits = colourImage && alphaImage && colourImage->components == 3 &&
                          alphaImage->components == 1 && colourImage->width == alphaImage->width &&
                          colourImage->height == alphaImage->height;
        if (pairLoaded != fits) {
            std::abort();
        }
        expectSize(pair, pairLoaded, colourImage);
    }
    return 0;
}
