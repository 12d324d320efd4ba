// Figures on the grid: the shared motion rules (walking, ropes, ladders, falling) and the
// player's control by the keyboard.
#include "world/Actor.h"

#include <cmath>

#include "app/App.h"
#include "world/Enemy.h"

namespace glint {

namespace {

constexpr int kSoundGold = 1;
constexpr int kSoundCaught = 2;
constexpr std::uint32_t kFireCooldownMs = 500;

// A cell a figure may stand in without being held up: empty, gold, a brick (dug or not), a trap
// brick, or a hidden ladder.
bool letsFall(const Tile* tile) {
    return tile == nullptr || tile->kind == TileKind::Gold || tile->kind == TileKind::Brick ||
           tile->kind == TileKind::TrapBrick || tile->kind == TileKind::HiddenLadder;
}

// A cell below that does not hold a figure up (a dug brick is handled by the callers).
bool fallsInto(const Tile* tile) {
    return tile == nullptr || tile->kind == TileKind::Gold || tile->kind == TileKind::Rope ||
           tile->kind == TileKind::HiddenLadder || tile->kind == TileKind::TrapBrick;
}

bool isDugBrick(const Tile* tile) {
    return isKind(tile, TileKind::Brick) && tile->isPassable();
}

}  // namespace

Actor::Actor(App& app, LevelGrid& grid, const EnemyList& enemies)
    : sprite(app.catalogue->playerSprite()), app_(app), grid_(grid), enemies_(enemies) {
    const float size = app.settings.m_cell_size + 5.0f;
    sprite.setSize(size, size);
    sprite.blended = true;
    sprite.flipV = true;
    sprite.setFrameTime(20);
    sprite.position = Vec3{grid.playerStart.x + 3.0f, grid.playerStart.y, 2.0f};
}

void Actor::draw() const {
    sprite.draw(true);
}

bool Actor::isCellFreeOfEnemies(int column, int row, const Actor* self) const {
    for (const auto& enemy : enemies_) {
        if (enemy.get() != self && enemy->reservedCell == Cell{column, row}) {
            return false;
        }
    }
    return true;
}

void Actor::startFallIfUnsupported(int c, int r) {
    const Tile* below = grid_.tileAt(c, r + 1);
    if (letsFall(grid_.tileAt(c, r)) && isCellFreeOfEnemies(c, r + 1, this) &&
        (fallsInto(below) || isDugBrick(below))) {
        setMotion(kFalling, 3);
    }
}

namespace {

// What differs between walking right and walking left.
struct Side {
    int step;  // +1 right, -1 left
    int walk;
    int walkGroup;
    int rope;
    int ropeGroup;
    int oppositeWalk;
    int oppositeRope;
};
constexpr Side kRight{1, kWalkingRight, 1, kRopeRight, 6, kWalkingLeft, kRopeLeft};
constexpr Side kLeft{-1, kWalkingLeft, 2, kRopeLeft, 7, kWalkingRight, kRopeRight};

}  // namespace

void Actor::moveRight() {
    moveSideways(kRight.step);
}

void Actor::moveLeft() {
    moveSideways(kLeft.step);
}

void Actor::moveSideways(int step) {
    const Side& side = step > 0 ? kRight : kLeft;
    const Cell here = cell();
    const Vec3 centre = grid_.cellCentre(here.column, here.row);
    Vec3& p = sprite.position;
    if (grid_.isNearCellCentre(p, tolerance)) {
        startFallIfUnsupported(here.column, here.row);
        if (motion == kFalling) {
            p.x = centre.x;
            return;
        }
        if (blocks(grid_.tileAt(here.column + side.step, here.row))) {
            setMotion(kStanding, 0);
        } else if (isKind(grid_.tileAt(here.column, here.row), TileKind::Rope)) {
            setMotion(side.rope, side.ropeGroup);
        } else {
            setMotion(side.walk, side.walkGroup);
        }
    } else {
        // Between cells a figure keeps going: walls are only tested at a centre.
        if (motion == kStanding || motion == side.oppositeWalk) {
            setMotion(side.walk, side.walkGroup);
        }
        if (motion == side.oppositeRope) {
            setMotion(side.rope, side.ropeGroup);
        }
    }
    const float direction = static_cast<float>(side.step);
    if (motion == side.walk || motion == side.rope) {
        p.x += direction * speed;
        p.y = centre.y;
        sprite.animate(30);
        facing = side.step;
    } else if (motion == kStanding) {
        // Short of the centre: step towards it, the last step snapping onto it.
        if ((centre.x - p.x) * direction >= speed) {
            p.x += direction * speed;
            motion = side.walk;
        } else {
            p.x = centre.x;
        }
    }
}

void Actor::moveUp() {
    const Cell here = cell();
    const Vec3 centre = grid_.cellCentre(here.column, here.row);
    Vec3& p = sprite.position;
    if (grid_.isNearCellCentre(p, tolerance)) {
        startFallIfUnsupported(here.column, here.row);
        if (motion == kFalling) {
            return;
        }
        // Above row 0 lies the solid outside of the grid: nobody climbs off the top.
        if (isKind(grid_.tileAt(here.column, here.row), TileKind::Ladder) &&
            !blocks(grid_.tileAt(here.column, here.row - 1))) {
            setMotion(kClimbingUp, 4);
        } else {
            motion = kStanding;
        }
    } else if (motion == kClimbingDown) {
        motion = kClimbingUp;
    }
    switch (motion) {
        case kClimbingUp:
            p.y -= speed / 2;
            p.x = centre.x;
            sprite.animate(30);
            break;
        case kStanding:
            p.y = centre.y;
            break;
        default:
            break;
    }
}

void Actor::moveDown() {
    const Cell here = cell();
    const Vec3 centre = grid_.cellCentre(here.column, here.row);
    Vec3& p = sprite.position;
    const Tile* tile = grid_.tileAt(here.column, here.row);
    const Tile* below = grid_.tileAt(here.column, here.row + 1);
    if (grid_.isNearCellCentre(p, tolerance)) {
        startFallIfUnsupported(here.column, here.row);
        if (motion != kFalling) {
            if (isKind(tile, TileKind::Ladder)) {
                if (blocks(below)) {
                    motion = kStanding;
                } else {
                    setMotion(kClimbingDown, 5);
                }
            } else if (isKind(tile, TileKind::Rope)) {
                if (blocks(below)) {
                    motion = kStanding;
                } else if (isKind(below, TileKind::Ladder)) {
                    setMotion(kClimbingDown, 5);
                } else {
                    setMotion(kFalling, 3);  // lets go of the rope
                }
            } else if (isKind(below, TileKind::Ladder)) {
                setMotion(kClimbingDown, 5);
            } else {
                motion = kStanding;
            }
        }
    } else {
        if (motion == kClimbingUp) {
            setMotion(kClimbingDown, 3);
        }
        if (isKind(tile, TileKind::Rope)) {
            if (blocks(below)) {
                motion = kStanding;
            } else if (isKind(below, TileKind::Ladder)) {
                setMotion(kClimbingDown, 5);
            } else {
                motion = kFalling;
            }
        }
    }
    switch (motion) {
        case kClimbingDown:
        case kFalling:
            p.y += speed / 2;
            sprite.animate(30);
            p.x = centre.x;
            break;
        case kStanding:
            p.y = centre.y;
            break;
        default:
            break;
    }
}

void Actor::fallStep() {
    const Cell here = cell();
    const Vec3 centre = grid_.cellCentre(here.column, here.row);
    Vec3& p = sprite.position;
    const Tile* tile = grid_.tileAt(here.column, here.row);
    if (letsFall(tile)) {
        const Tile* below = grid_.tileAt(here.column, here.row + 1);
        const bool intoHole =
            isDugBrick(below) && isCellFreeOfEnemies(here.column, here.row + 1, this);
        motion = fallsInto(below) || intoHole ? kFalling : kStanding;
    }
    // A rope is caught at or above its centre line.
    if (isKind(tile, TileKind::Rope) && centre.y >= p.y) {
        motion = kStanding;
    }
    if (motion == kFalling) {
        p.y += speed;
    } else if (motion == kStanding) {
        if (centre.y - p.y >= speed) {
            p.y += speed;
            motion = kFalling;
        } else {
            p.y = centre.y;
        }
    }
}

void Actor::tick(int ms) {
    const PlayerControls& controls = app_.controls;
    if (motion == kFalling) {
        fallStep();
        sprite.animate(static_cast<std::uint32_t>(ms));
    } else {
        bool acted = true;
        if (controls.isHeld(action::kDown)) {
            moveDown();
        } else if (controls.isHeld(action::kLeft)) {
            moveLeft();
        } else if (controls.isHeld(action::kRight)) {
            moveRight();
        } else if (controls.isHeld(action::kUp)) {
            moveUp();
        } else {
            acted = false;
        }
        started = started || acted;
    }

    const Cell here = cell();
    if (const int gold = grid_.takeGold(here.column, here.row); gold != 0) {
        app_.sound.play(kSoundGold, true, false);
        points += gold;
    }
    grid_.checkExit(here.column, here.row);

    const Tile* tile = grid_.tileAt(here.column, here.row);
    if (tile != nullptr && !tile->isPassable()) {
        dead = true;  // a brick closed around the player
        sprite.setVisible(false);
    }

    const auto elapsed = static_cast<std::uint32_t>(ms);
    fireCooldown = fireCooldown < elapsed ? 0 : fireCooldown - elapsed;
    if (controls.isHeld(action::kDig) && fireCooldown == 0) {
        fireCooldown = kFireCooldownMs;
        const Vec3 at = sprite.position;
        if (grid_.dig(at, facing)) {
            retreatToCellCentre();
        }
    }
    if (controls.isHeld(action::kDie)) {
        dead = true;
    }
}

void Actor::retreatToCellCentre() {
    // A cell's width of steps always reaches a centre; going on would never end.
    const int maxSteps = static_cast<int>(std::ceil(grid_.cellSize / speed));
    for (int step = 0; step < maxSteps && !grid_.isNearCellCentre(sprite.position, tolerance);
         ++step) {
        sprite.position.x -= static_cast<float>(facing) * speed;
    }
    const Cell here = cell();
    startFallIfUnsupported(here.column, here.row);
}

void Actor::killPlayer() {
    app_.sound.play(kSoundCaught, false, false);
    dead = true;
}

}  // namespace glint
