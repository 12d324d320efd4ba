// Dug bricks: opening, staying open, growing back.
#include "world/BrickTile.h"

#include "play/GameSettings.h"

namespace glint {

void BrickTile::trigger() {
    isOpen = true;
    sprite.blended = true;
    sprite.reverse = false;
    openTimer = static_cast<std::uint32_t>(settings_->m_time_exploded);
    phase = kOpening;
}

void BrickTile::tick() {
    openTimer = openTimer > 30 ? openTimer - 30 : 0;
    switch (phase) {
        case kOpening:
            sprite.animate(30);
            if (sprite.frame + 1 == sprite.frames) {
                phase = kOpen;
            }
            break;
        case kOpen:
            if (openTimer == 0) {
                phase = kClosing;
                sprite.reverse = true;
            }
            break;
        case kClosing:
            sprite.animate(30);
            // Solid again while the picture still shows a partly open hole.
            if (sprite.frame <= sprite.frames / 4) {
                isOpen = false;
            }
            if (sprite.frame == 0) {
                phase = kIntact;
                sprite.blended = false;
            }
            break;
        default:
            break;
    }
}

void BrickTile::takeStateFrom(const BrickTile& other) {
    isOpen = other.isOpen;
    openTimer = other.openTimer;
    phase = other.phase;
    sprite.setFrame(other.sprite.frame);
    // The time into the current frame too: a hole opens and closes by the frames, so a new
    // skin must not shift when it does.
    sprite.elapsed = other.sprite.elapsed;
    sprite.blended = other.sprite.blended;
    sprite.reverse = other.sprite.reverse;
}

}  // namespace glint
