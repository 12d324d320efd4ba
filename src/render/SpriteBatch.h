// Many sprites of a few sheets drawn together: each sheet's frames go to the renderer in one
// vertex-array draw instead of one quad call each, which is most of a frame's cost on a
// software renderer.
#pragma once

#include <vector>

#include "render/Sprite.h"

namespace glint {

class SpriteBatch {
public:
    // Adds the sprite's current frame (nothing when it is not visible), exactly as
    // Sprite::draw would draw it. Sprites of one sheet and one blend flag are drawn together,
    // in the order they were added; sheets in the order they first appeared. So the sprites of
    // one batch must not overlap across sheets (tiles of a level never do).
    void add(const Sprite& sprite);
    // Draws and forgets everything added, in the current colour and matrices, each sheet
    // sampled as given (see Texture::Sampling: the caller knows how large the sprites are on
    // screen). Leaves blending off and texturing on, as Sprite::draw does.
    void draw(Texture::Sampling sampling = Texture::Sampling::AsLoaded);
    bool empty() const;

private:
    struct Run {
        Texture* texture = nullptr;
        bool blended = false;
        std::vector<float> vertices;  // x, y, z, s, t per corner, four corners a frame
        // The sheet's layout and the side of every frame added, in whole units, with its edges
        // on whole units; 0 when they differ or are not whole (no cell copy is drawn then).
        int frames = 0;
        int groups = 0;
        int cell = 0;
    };
    // Kept from draw to draw with their storage; a run with nothing added is skipped.
    std::vector<Run> runs_;
};

// The four corners of a sprite's current frame: x, y, z, s, t each, in the order Sprite::draw
// sends them (top left, top right, bottom right, bottom left).
void appendFrameCorners(const Sprite& sprite, std::vector<float>& vertices);

}  // namespace glint
