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

// Taking: the live value into the kept one; putting back: the other way.
constexpr auto kTake = [](const auto& live, auto& kept) { kept = live; };
constexpr auto kPutBack = [](auto& live, const auto& kept) { live = kept; };

}  // namespace

template <typename Flow, typename Kept, typename Copy>
void GameSnapshot::eachCounter(Flow& flow, Kept& kept, Copy copy) {
    copy(flow.score, kept.score_);
    copy(flow.m_alpha, kept.alpha_);
    copy(flow.m_is_game_over, kept.gameOver_);
    copy(flow.m_level_current, kept.levelCurrent_);
    copy(flow.lastLevel, kept.lastLevel_);
    copy(flow.lives, kept.lives_);
    copy(flow.m_lifes_count_at_level_begin, kept.livesAtLevelBegin_);
    copy(flow.m_score_at_level_begin, kept.scoreAtLevelBegin_);
    copy(flow.m_custom_game, kept.customGame_);
    copy(flow.deadCountdown, kept.deadCountdown_);
    copy(flow.playerDead, kept.playerDead_);
    copy(flow.seed_, kept.seed_);
    copy(flow.random_, kept.random_);
    copy(flow.hud_, kept.hud_);
    copy(flow.grid_->levelComplete, kept.levelComplete_);
    copy(flow.grid_->exitRow, kept.exitRow_);
    copy(flow.grid_->playerStart, kept.playerStart_);
    copy(flow.grid_->enemyStarts, kept.enemyStarts_);
    copy(flow.grid_->goldCount, kept.goldCount_);
}

template <typename Live, typename Kept, typename Copy>
void GameSnapshot::eachFigureValue(Live& actor, Kept& figure, Copy copy) {
    copy(actor.points, figure.points);
    copy(actor.sprite, figure.sprite);
    copy(actor.motion, figure.motion);
    copy(actor.speed, figure.speed);
    copy(actor.fireCooldown, figure.fireCooldown);
    copy(actor.facing, figure.facing);
    copy(actor.dead, figure.dead);
    copy(actor.started, figure.started);
    copy(actor.tolerance, figure.tolerance);
}

template <typename Live, typename Kept, typename Copy>
void GameSnapshot::eachEnemyValue(Live& enemy, Kept& kept, Copy copy) {
    eachFigureValue(enemy, kept.figure, copy);
    copy(enemy.depth, kept.depth);
    copy(enemy.aiState, kept.aiState);
    copy(enemy.holeTimeFull, kept.holeTimeFull);
    copy(enemy.holeTimer, kept.holeTimer);
    copy(enemy.holeCell, kept.holeCell);
    copy(enemy.exitDir, kept.exitDir);
    copy(enemy.carryTimer, kept.carryTimer);
    copy(enemy.reservedCell, kept.reservedCell);
    copy(enemy.targetPosition_, kept.targetPosition);
}

GameSnapshot::GameSnapshot(const GameFlow& flow) {
    eachCounter(flow, *this, kTake);
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

    eachFigureValue(*flow.player_, player_, kTake);
    enemyDepthCounter_ = flow.enemyDepthCounter_;
    for (const auto& enemy : flow.enemies_) {
        EnemyFigure& kept = enemies_.emplace_back();
        eachEnemyValue(*enemy, kept, kTake);
        kept.carried = cloneOf(enemy->carried.get());
    }
}

GameSnapshot::~GameSnapshot() = default;
GameSnapshot::GameSnapshot(GameSnapshot&&) noexcept = default;
GameSnapshot& GameSnapshot::operator=(GameSnapshot&&) noexcept = default;

void GameSnapshot::restore(GameFlow& flow) const {
    eachCounter(flow, *this, kPutBack);
    flow.reveal_ = reveal_ ? std::make_unique<LevelReveal>(*reveal_) : nullptr;
    flow.transition_ = transition_ ? std::make_unique<LevelTransition>(*transition_) : nullptr;

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
    eachFigureValue(*flow.player_, player_, kPutBack);
    EnemyList& enemies = flow.enemies_;
    while (enemies.size() > enemies_.size()) {
        enemies.pop_back();
    }
    while (enemies.size() < enemies_.size()) {
        enemies.push_back(std::make_unique<Enemy>(flow.app_, grid, *flow.player_, enemies,
                                                  flow.enemyDepthCounter_));
    }
    // The count the game's next enemy takes its depth from, as it was.
    flow.enemyDepthCounter_ = enemyDepthCounter_;
    for (std::size_t i = 0; i < enemies_.size(); ++i) {
        eachEnemyValue(*enemies[i], enemies_[i], kPutBack);
        enemies[i]->carried = cloneOf(enemies_[i].carried.get());
    }
}

}  // namespace glint
