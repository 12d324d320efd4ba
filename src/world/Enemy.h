// The enemies: deciding at each claimed cell where to head next, chasing and catching the
// player, taking and dropping gold, falling into holes, climbing out, and coming back from the
// top when a hole closes over them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "world/Actor.h"

namespace glint {

class GoldTile;

class Enemy : public Actor {
public:
    // What the enemy is doing; the move codes of its decisions are the same numbers.
    enum State {
        kDeciding = 0,
        kGoingRight = 1,
        kGoingLeft = 2,
        kGoingUp = 3,
        kGoingDown = 4,
        kTrapped = 5,
        kClimbingOut = 6,
        kDropping = 7,
    };

    // Created at depth 1.1 for the first enemy alive, 1.2 for the second, and so on. The count
    // is the game's own (depthCounter, which must outlive the enemy): the depth takes part in
    // catching the player, so a game alive beside this one (a replay watched while a game waits)
    // must not change it.
    Enemy(App& app, LevelGrid& grid, Actor& target, const EnemyList& enemies, float& depthCounter);
    ~Enemy() override;

    // Moves to a start cell (keeping its own depth).
    void placeAt(const Vec3& start);

    // Enemies are the figure's picture multiplied by this colour: magenta.
    static constexpr float kTint[3] = {1.0f, 0.0f, 1.0f};

    void draw() const override;
    void tick(int ms) override;
    bool carriesGold() const override { return carried != nullptr; }
    void fallStep() override;
    void moveRight() override;
    void moveLeft() override;
    void moveUp() override;
    void moveDown() override;
    void startFallIfUnsupported(int column, int row) override;

    // The moves open from a cell, in the order they are considered.
    std::vector<int> possibleMoves(int column, int row) const;
    // The first other enemy standing in the cell, if any.
    const Enemy* findEnemyAt(int column, int row) const;
    // Back to life in the highest row with more than two empty cells.
    void respawn();

    float depth = 0.0f;
    int aiState = kDeciding;
    int holeTimeFull = 0;
    std::uint32_t holeTimer = 0;
    Cell holeCell;
    int exitDir = 0;
    std::unique_ptr<Tile> carried;
    std::uint32_t carryTimer = 0;
    Cell reservedCell{-1, -1};

private:
    friend class GameSnapshot;

    enum class Heading { Right, Left, Up, Down };
    // At the claimed cell's centre: decide, then claim the next cell. False when it found
    // itself unsupported (its state is then 7).
    void decide(Heading heading, const Cell& here);
    // Walking or moving on a rope towards the claimed cell: +1 right, -1 left.
    void moveAlongRow(int step);
    int chooseMove(Heading heading, const std::vector<int>& moves, const Cell& here) const;
    void claimFor(int move);
    void climbOutStep();
    void goldStep();

    Actor& target_;
    float& depthCounter_;
    Vec3 targetPosition_;
};

}  // namespace glint
