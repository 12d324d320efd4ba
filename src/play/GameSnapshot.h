// A whole game held as a value: taken from a GameFlow at any tick and put back later, so that the
// game goes on from there exactly as it would have (a search tries one way, then another).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "play/Hud.h"
#include "play/LevelReveal.h"
#include "play/LevelTransition.h"
#include "render/Sprite.h"
#include "world/LevelGrid.h"
#include "world/Random.h"

namespace glint {

class Actor;
class Enemy;
class GameFlow;

class GameSnapshot {
public:
    // Everything the game goes on from: the flow's counters and generator, its overlays, every
    // tile of the grid with its dig state, the lights, the player and each enemy.
    explicit GameSnapshot(const GameFlow& flow);
    ~GameSnapshot();
    GameSnapshot(GameSnapshot&&) noexcept;
    GameSnapshot& operator=(GameSnapshot&&) noexcept;

    // Puts the game back as it was when taken, into the flow it was taken from or one made with
    // the same app and options (the level file and whether enemies play are not part of it).
    // Enemies are added or removed to match; the app's settings are left as they are.
    void restore(GameFlow& flow) const;

private:
    // What an actor holds beyond its links to the app, the grid and the enemy list.
    struct Figure {
        int points = 0;
        Sprite sprite;
        int motion = 0;
        float speed = 0.0f;
        std::uint32_t fireCooldown = 0;
        int facing = 1;
        bool dead = false;
        bool started = false;
        float tolerance = 0.0f;
    };
    struct EnemyFigure {
        Figure figure;
        float depth = 0.0f;
        int aiState = 0;
        int holeTimeFull = 0;
        std::uint32_t holeTimer = 0;
        Cell holeCell;
        int exitDir = 0;
        std::unique_ptr<Tile> carried;
        std::uint32_t carryTimer = 0;
        Cell reservedCell;
        Vec3 targetPosition;
    };
    // Each value kept beside the live value it is taken from, listed once for taking and for
    // putting back, so that neither way can miss one: copy(live, kept) for every pair.
    template <typename Flow, typename Kept, typename Copy>
    static void eachCounter(Flow& flow, Kept& kept, Copy copy);
    template <typename Live, typename Kept, typename Copy>
    static void eachFigureValue(Live& actor, Kept& figure, Copy copy);
    template <typename Live, typename Kept, typename Copy>
    static void eachEnemyValue(Live& enemy, Kept& kept, Copy copy);

    // The flow's own counters.
    int score_ = 0;
    float alpha_ = 0.0f;
    bool gameOver_ = false;
    int levelCurrent_ = 0;
    int lastLevel_ = 0;
    int lives_ = 0;
    int livesAtLevelBegin_ = 0;
    int scoreAtLevelBegin_ = 0;
    bool customGame_ = false;
    int deadCountdown_ = 0;
    bool playerDead_ = false;
    std::uint32_t seed_ = 0;
    Random random_;
    std::optional<LevelReveal> reveal_;
    std::optional<LevelTransition> transition_;
    Hud hud_;

    // The grid: a copy of each cell's tile (none where empty), the lights by cell, and its
    // counters.
    std::vector<std::unique_ptr<Tile>> tiles_;
    std::vector<std::pair<std::size_t, Sprite>> lights_;
    bool levelComplete_ = false;
    int exitRow_ = -1;
    Vec3 playerStart_;
    std::vector<Vec3> enemyStarts_;
    int goldCount_ = 0;

    Figure player_;
    std::vector<EnemyFigure> enemies_;
    float enemyDepthCounter_ = 0.0f;
};

}  // namespace glint
