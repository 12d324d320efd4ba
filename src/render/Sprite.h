// Animated sprites: one frame of a sheet (a grid of equal frames, rows are animation groups)
// drawn as a rectangle on the logical screen.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "render/Texture.h"
#include "render/Vec3.h"

namespace glint {

class DataPack;

class Sprite {
public:
    static constexpr int kMaxCells = 16384;

    Sprite() = default;
    ~Sprite();
    // A copy shares the sheet's texture and never owns it: copies are what tiles and figures
    // carry, and they never outlive the catalogue's sprite.
    Sprite(const Sprite& other);
    Sprite& operator=(const Sprite& other);

    // Loads the sheet a sprite file names ("file_name", "file_alpha", "groups", "frames"),
    // reading its pictures through the pack. A name ending in 'a' or 'A' is a TGA, anything else
    // a JPEG (with the alpha picture when "file_alpha" is given). Groups or frames below 1 count
    // as 1, above kMaxCells (the widest texture's pixels) as kMaxCells, so that a whole cycle of
    // frames always fits the animation clock. The frame size follows the picture's size; a picture
    // that fails to load leaves the sprite usable with the size it had. Always returns true.
    bool load(const DataPack& pack, std::span<const std::uint8_t> spriteFile, bool repeat,
              bool mipmap);

    // Draws the current frame centred on position (nothing when not visible).
    void draw(bool bindTexture) const;
    // Advances the animation of the current group by ms (backwards when reverse is set).
    void animate(std::uint32_t ms);

    // Out-of-range values select 0.
    void setGroup(int row);
    void setFrame(int column);
    void setSize(float width, float height) {
        frameWidth = width;
        frameHeight = height;
    }
    // A frame time of 0 would stop the clock; it counts as 1 ms.
    void setFrameTime(std::uint32_t ms) { frameTime = ms == 0 ? 1 : ms; }
    void setVisible(bool shown) { visible = shown; }

    bool ownsTexture() const { return ownedTexture_ != nullptr; }
    // The sheet's texture (shared by copies); null before a load.
    Texture* texture() const { return texture_; }

    Vec3 position;
    int groups = 1;
    int frames = 1;
    float frameWidth = 0.0f;
    float frameHeight = 0.0f;
    int frame = 0;
    int group = 0;
    bool visible = true;
    bool blended = false;
    bool flipV = false;
    bool reverse = false;
    std::uint32_t elapsed = 0;
    std::uint32_t frameTime = 50;

private:
    std::unique_ptr<Texture> ownedTexture_;
    Texture* texture_ = nullptr;
};

}  // namespace glint
