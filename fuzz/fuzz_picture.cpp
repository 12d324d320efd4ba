// Any bytes as a TGA or JPEG picture: a decoded picture always holds exactly the pixels its
// size says, and nothing is read past the input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "render/Image.h"

namespace {

void check(const std::optional<glint::Image>& image) {
    if (image && image->pixels.size() != static_cast<std::size_t>(image->width) * image->height *
                                             image->components) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool quiet = (glint::setJpegMessagesSilenced(true), true);
    (void)quiet;
    std::span<const std::uint8_t> bytes(data, size);
    check(glint::decodeTga(bytes));
    check(glint::decodeJpeg(bytes));
    return 0;
}
