// Dug bricks: opening, staying open, growing back.
#pragma once

#include <cstdint>

#include "world/Tile.h"

namespace glint {

struct GameSettings;

class BrickTile : public ClonableTile<BrickTile> {
public:
    enum Phase { kOpening = 0, kOpen = 1, kClosing = 2, kIntact = 3 };

    explicit BrickTile(const GameSettings& settings)
        : ClonableTile(TileKind::Brick), settings_(&settings) {}

    // Passable while dug, until the closing picture comes down to a quarter of its frames.
    bool isPassable() const override { return isOpen; }
    // Starts a dig: open at once, the picture crumbling forward from the frame it shows.
    void trigger() override;
    // One game tick: the open timer runs down, the picture opens, waits, closes.
    void tick() override;

    // Takes over another brick's dig state and picture position (for a change of skin).
    void takeStateFrom(const BrickTile& other);

    bool isOpen = false;
    std::uint32_t openTimer = 0;
    int phase = kIntact;

private:
    const GameSettings* settings_;  // a pointer, so that one brick can take over another
};

}  // namespace glint
