// One game: the succession of levels of a level set, the score, lives and extra lives, the
// level-start reveal, the death, end-of-level and game-over transitions, and the end of the game.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "pack/FileIo.h"
#include "persist/HighScoreTable.h"
#include "play/Hud.h"
#include "play/LevelReveal.h"
#include "play/LevelTransition.h"
#include "play/PlayerControls.h"
#include "render/SpriteBatch.h"
#include "world/Actor.h"
#include "world/Enemy.h"
#include "world/LevelGrid.h"
#include "world/Random.h"

namespace glint {

class App;
class ParamTable;

class GameFlow {
public:
    static constexpr int kFirstLevel = 1;
    static constexpr int kLevelsPerSet = 75;
    static constexpr int kStartLives = 3;
    static constexpr int kLevelBonus = 1500;
    // Scores and lives stay within these, however they were reached or restored.
    static constexpr int kMaxScore = HighScoreTable::kMaxScore;
    static constexpr int kMaxLives = 999;

    // How a game is set up beyond the game settings (the simulation uses these).
    struct Options {
        // Every level built is this file, and the game is that one level.
        const Bytes* levelFile = nullptr;
        bool enemies = true;
        // What the game's own generator starts from; without it, the millisecond clock.
        std::optional<std::uint32_t> seed;
    };

    // A new game of the level set in the game settings, at level 1. The game keeps that set (or
    // a custom game's) for its whole life, whatever the settings say later.
    explicit GameFlow(App& app) : GameFlow(app, Options{}) {}
    GameFlow(App& app, const Options& options);
    ~GameFlow();
    GameFlow(const GameFlow&) = delete;
    GameFlow& operator=(const GameFlow&) = delete;

    // Builds level n (1 when outside 1 to 75) of the current level set with its player and
    // enemies, covered by a new reveal. The death countdown does not carry over.
    void loadLevel(int level);
    // One game tick of ms (30): tilt keys, points, grid, then the reveal, the transition, the
    // death countdown or play, then completion and extra lives.
    void tick(int ms);
    // The same tick with the actions held given (a replay), instead of read from the player's
    // keyboard and controllers.
    void tick(int ms, Actions actions);
    // windowWidth, windowHeight: the window's size in pixels, over which the 800 x 600 logical
    // screen is stretched.
    void draw(int windowWidth = 800, int windowHeight = 600) const;

    // A single chosen or random level, from the custom-game choice in the game settings.
    void startCustomGame();
    // The game's state in the saved-game table ("gf_" keys), and back: a restored game restarts
    // its level with the score and lives that level began with.
    void save(ParamTable& table);
    void load(const ParamTable& table);

    // What the game is doing, in the order the tick tests it.
    enum class State { Reveal, Transition, Dying, Playing, Over };
    State state() const;

    int score = 0;
    float m_alpha = 0.0f;
    bool m_is_game_over = false;
    int m_level_current = 0;
    int lastLevel = kLevelsPerSet;
    int lives = kStartLives;
    int m_lifes_count_at_level_begin = 0;
    int m_score_at_level_begin = 0;
    bool m_custom_game = false;
    int deadCountdown = 0;
    bool playerDead = false;

    LevelGrid* grid() const { return grid_.get(); }
    Actor* player() const { return player_.get(); }
    const EnemyList& enemies() const { return enemies_; }
    const LevelReveal* reveal() const { return reveal_.get(); }
    const LevelTransition* transition() const { return transition_.get(); }
    const Hud& hud() const { return hud_; }
    // The seed the game's generator started from: with it and the keys held in each tick, a
    // game plays again exactly.
    std::uint32_t seed() const { return seed_; }
    // How many times a level was built (the first level, each next level, each restart after a
    // death): a change means a level has just begun.
    int levelStarts() const { return levelStarts_; }
    // The level set this game is played in: its score belongs to that set's table.
    int levelSet() const { return levelSet_; }
    Random& random() { return random_; }

private:
    // Takes and puts back the whole state, for searches that try one way and then another.
    friend class GameSnapshot;

    void collect(int& points);
    void updateHud();
    void startTransition(const char* message);
    void transitionTick(int ms);

    App& app_;
    std::uint32_t seed_;
    // Every draw of the game comes from here, never from the program's shared generator, so
    // that nothing done in the menu while the game waits changes what it draws.
    Random random_;
    int levelSet_;
    int levelStarts_ = 0;
    std::optional<Bytes> levelFile_;
    bool withEnemies_ = true;
    std::unique_ptr<LevelGrid> grid_;
    std::unique_ptr<Actor> player_;
    // Every enemy alive in this game counts here (see Enemy): declared before them, it
    // outlives them.
    float enemyDepthCounter_ = 0.0f;
    EnemyList enemies_;
    std::unique_ptr<LevelReveal> reveal_;
    std::unique_ptr<LevelTransition> transition_;
    Hud hud_;
    mutable SpriteBatch figures_;
};

}  // namespace glint
