// A whole game held as a value, taken from a GameFlow and put back into it.
#include "play/GameSnapshot.h"

#include "play/GameFlow.h"
#include "world/Actor.h"
#include "world/Enemy.h"

namespace glint {

namespace {

std::unique_ptr<Tile> cloneOf(const Tile* tile) {
    return tile != nullptr ? tile->clone() : nullptr;
}

}  // namespace

GameSnapshot::Figure GameSnapshot::figureOf(const Actor& actor) {
    return Figure{actor.points, actor.sprite, actor.motion,  actor.speed,    actor.fireCooldown,
                  actor.facing, actor.dead,   actor.started, actor.tolerance};
}

void GameSnapshot::putFigure(const Figure& figure, Actor& actor) {
    actor.points = figure.points;
    actor.sprite = figure.sprite;
    actor.motion = figure.motion;
    actor.speed = figure.speed;
    actor.fireCooldown = figure.fireCooldown;
    actor.facing = figure.facing;
    actor.dead = figure.dead;
    actor.started = figure.started;
    actor.tolerance = figure.tolerance;
}

GameSnapshot::GameSnapshot(const GameFlow& flow)
    : score_(flow.score),
      alpha_(flow.m_alpha),
      gameOver_(flow.m_is_game_over),
      levelCurrent_(flow.m_level_current),
      lastLevel_(flow.lastLevel),
      lives_(flow.lives),
      livesAtLevelBegin_(flow.m_lifes_count_at_level_begin),
      scoreAtLevelBegin_(flow.m_score_at_level_begin),
      customGame_(flow.m_custom_game),
      deadCountdown_(flow.deadCountdown),
      playerDead_(flow.playerDead),
      seed_(flow.seed_),
      random_(flow.random_),
      hud_(flow.hud_) {
    if (flow.reveal_) {
        reveal_ = *flow.reveal_;
    }
    if (flow.transition_) {
        transition_ = *flow.transition_;
    }

    const LevelGrid& grid = *flow.grid_;
    tiles_.reserve(grid.tiles_.size());
    for (std::size_t i = 0; i < grid.tiles_.size(); ++i) {
        tiles_.push_back(cloneOf(grid.tiles_[i].get()));
        if (grid.lights_[i]) {
            lights_.emplace_back(i, *grid.lights_[i]);
        }
    }
    levelComplete_ = grid.levelComplete;
    exitRow_ = grid.exitRow;
    playerStart_ = grid.playerStart;
    enemyStarts_ = grid.enemyStarts;
    goldCount_ = grid.goldCount;

    player_ = figureOf(*flow.player_);
    for (const auto& enemy : flow.enemies_) {
        enemies_.push_back(EnemyFigure{
            figureOf(*enemy), enemy->depth, enemy->aiState, enemy->holeTimeFull, enemy->holeTimer,
            enemy->holeCell, enemy->exitDir, cloneOf(enemy->carried.get()), enemy->carryTimer,
            enemy->reservedCell, enemy->targetPosition_});
    }
}

GameSnapshot::~GameSnapshot() = default;
GameSnapshot::GameSnapshot(GameSnapshot&&) noexcept = default;
GameSnapshot& GameSnapshot::operator=(GameSnapshot&&) noexcept = default;

void GameSnapshot::restore(GameFlow& flow) const {
    flow.score = score_;
    flow.m_alpha = alpha_;
    flow.m_is_game_over = gameOver_;
    flow.m_level_current = levelCurrent_;
    flow.lastLevel = lastLevel_;
    flow.lives = lives_;
    flow.m_lifes_count_at_level_begin = livesAtLevelBegin_;
    flow.m_score_at_level_begin = scoreAtLevelBegin_;
    flow.m_custom_game = customGame_;
    flow.deadCountdown = deadCountdown_;
    flow.playerDead = playerDead_;
    flow.seed_ = seed_;
    flow.random_ = random_;
    flow.reveal_ = reveal_ ? std::make_unique<LevelReveal>(*reveal_) : nullptr;
    flow.transition_ = transition_ ? std::make_unique<LevelTransition>(*transition_) : nullptr;
    flow.hud_ = hud_;

    LevelGrid& grid = *flow.grid_;
    for (std::size_t i = 0; i < tiles_.size(); ++i) {
        const Tile* saved = tiles_[i].get();
        std::unique_ptr<Tile>& tile = grid.tiles_[i];
        // Most tiles are still of the class they were: they take the saved state over.
        if (saved == nullptr || tile == nullptr || !tile->takeOver(*saved)) {
            tile = cloneOf(saved);
        }
    }
    // The lights, in cell order as they were taken.
    auto saved = lights_.begin();
    for (std::size_t i = 0; i < grid.lights_.size(); ++i) {
        std::unique_ptr<Sprite>& light = grid.lights_[i];
        if (saved == lights_.end() || saved->first != i) {
            light.reset();
        } else if (light) {
            *light = (saved++)->second;
        } else {
            light = std::make_unique<Sprite>((saved++)->second);
        }
    }
    grid.levelComplete = levelComplete_;
    grid.exitRow = exitRow_;
    grid.playerStart = playerStart_;
    grid.enemyStarts = enemyStarts_;
    grid.goldCount = goldCount_;

    putFigure(player_, *flow.player_);
    EnemyList& enemies = flow.enemies_;
    while (enemies.size() > enemies_.size()) {
        enemies.pop_back();
    }
    while (enemies.size() < enemies_.size()) {
        enemies.push_back(std::make_unique<Enemy>(flow.app_, grid, *flow.player_, enemies));
    }
    for (std::size_t i = 0; i < enemies_.size(); ++i) {
        const EnemyFigure& from = enemies_[i];
        Enemy& enemy = *enemies[i];
        putFigure(from.figure, enemy);
        enemy.depth = from.depth;
        enemy.aiState = from.aiState;
        enemy.holeTimeFull = from.holeTimeFull;
        enemy.holeTimer = from.holeTimer;
        enemy.holeCell = from.holeCell;
        enemy.exitDir = from.exitDir;
        enemy.carried = cloneOf(from.carried.get());
        enemy.carryTimer = from.carryTimer;
        enemy.reservedCell = from.reservedCell;
        enemy.targetPosition_ = from.targetPosition;
    }
}

}  // namespace glint
