// Figures on the grid: the shared motion rules (walking, ropes, ladders, falling) and the
// player's control by the keyboard.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "render/Sprite.h"
#include "world/LevelGrid.h"

namespace glint {

class App;
class Enemy;

using EnemyList = std::vector<std::unique_ptr<Enemy>>;

// Motion states, and the animation group each one shows.
enum Motion {
    kStanding = 0,
    kWalkingLeft = 1,
    kWalkingRight = 2,
    kClimbingUp = 3,
    kClimbingDown = 4,
    kRopeLeft = 5,
    kRopeRight = 6,
    kFalling = 7,
};

class Actor {
public:
    // A figure at the grid's player start (3 units right of the cell centre), drawn with the
    // figure sheet at 30 x 30 units. The enemy list is the game's; it is read, never changed.
    Actor(App& app, LevelGrid& grid, const EnemyList& enemies);
    virtual ~Actor() = default;
    Actor(const Actor&) = delete;
    Actor& operator=(const Actor&) = delete;

    virtual void draw() const;
    // The player's tick: keys, gold, exit, being crushed, digging, giving up.
    virtual void tick(int ms);
    virtual bool carriesGold() const { return false; }
    virtual void fallStep();
    virtual void moveRight();
    virtual void moveLeft();
    virtual void moveUp();
    virtual void moveDown();
    virtual void startFallIfUnsupported(int column, int row);

    // No enemy other than self has claimed the cell.
    bool isCellFreeOfEnemies(int column, int row, const Actor* self) const;
    // Backs off from a fresh hole to the cell centre behind, then falls if unsupported.
    void retreatToCellCentre();
    // Caught by an enemy.
    void killPlayer();

    Vec3& position() { return sprite.position; }
    const Vec3& position() const { return sprite.position; }

    int points = 0;
    Sprite sprite;
    int motion = kStanding;
    float speed = 4.0f;
    std::uint32_t fireCooldown = 0;
    int facing = 1;
    bool dead = false;
    bool started = false;
    float tolerance = 7.0f;

protected:
    void setMotion(int newMotion, int group) {
        motion = newMotion;
        sprite.setGroup(group);
    }
    Cell cell() const { return grid_.worldToCell(sprite.position); }
    // Walking or moving on a rope to one side: +1 right, -1 left.
    void moveSideways(int step);

    App& app_;
    LevelGrid& grid_;
    const EnemyList& enemies_;
};

}  // namespace glint
