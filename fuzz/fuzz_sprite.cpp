// Any bytes as a sprite description file, loaded through the data pack of our content (its
// pictures, or loose files), then animated: groups and frames stay at least 1, the frame size
// follows the picture, and the current frame and group always lie inside the sheet.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "render/Sprite.h"

using namespace glint;

namespace {

void check(const Sprite& sprite) {
    if (sprite.groups < 1 || sprite.frames < 1 || sprite.frame < 0 ||
        sprite.frame >= sprite.frames || sprite.group < 0 || sprite.group >= sprite.groups ||
        !std::isfinite(sprite.frameWidth) || !std::isfinite(sprite.frameHeight) ||
        sprite.frameWidth < 0.0f || sprite.frameHeight < 0.0f) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    App& app = fuzz::headlessApp();
    Sprite sprite;
    sprite.load(app.pack, std::span<const std::uint8_t>(data, size), false, true);
    check(sprite);
    // As tiles, lights and figures use a sheet: a group, a frame, a frame time, both directions.
    Sprite copy(sprite);
    copy.setGroup(sprite.groups - 1);
    copy.setFrame(sprite.frames - 1);
    copy.setFrameTime(size % 200);
    for (int step = 0; step < 64; ++step) {
        copy.reverse = step >= 32;
        copy.animate(30);
        check(copy);
    }
    return 0;
}
