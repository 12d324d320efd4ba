// One game: the succession of levels of a level set, the score, lives and extra lives, the
// level-start reveal, the death, end-of-level and game-over transitions, and the end of the game.
#include "play/GameFlow.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstdio>

#include "app/App.h"
#include "input/KeyNames.h"
#include "pack/ParamTable.h"
#include "render/Projection.h"

namespace glint {

namespace {

constexpr const char* kGameOver = "Game Over";

// How the cells' sheets (frames of 32 texels drawn 25 units wide) may be sampled in a window
// of this size: at their full size when a cell is at least 25 pixels (no smaller level is ever
// chosen), and also clamped to their edge texels when, besides, cells lie on whole pixels and
// are at most 32 pixels (every pixel centre then samples at least half a texel inside).
Texture::Sampling cellSampling(int windowWidth, int windowHeight) {
    const float scaleX = static_cast<float>(windowWidth) / 800.0f;
    const float scaleY = static_cast<float>(windowHeight) / 600.0f;
    if (std::min(scaleX, scaleY) < 1.0f) {
        return Texture::Sampling::AsLoaded;
    }
    auto inside = [](int pixels, int units) {
        return (pixels * 25) % units == 0 && pixels * 25 <= units * 32;
    };
    if (!inside(windowWidth, 800) || !inside(windowHeight, 600)) {
        return Texture::Sampling::FullSize;
    }
    // One pixel a unit: the cells are drawn from their cell copies.
    return windowWidth == 800 && windowHeight == 600 ? Texture::Sampling::CellPixels
                                                     : Texture::Sampling::FullSizeInside;
}

// The playfield's 32 x 22 cells span (0, 0) to (800, 550): the tilt turns it about its middle.
constexpr float kPlayfieldCentreX = 400.0f;
constexpr float kPlayfieldCentreY = 275.0f;
// Depth either way of the tilted playfield's drawing: more than its half height (plus the
// sprites' own depths) reaches at any angle.
constexpr double kTiltDepth = 400.0;

// Adds without leaving 0 to kMaxScore.
int addScore(int score, int points) {
    const long long sum = static_cast<long long>(score) + points;
    return static_cast<int>(std::clamp<long long>(sum, 0, GameFlow::kMaxScore));
}

std::uint32_t clockMilliseconds() {
    using namespace std::chrono;
    return static_cast<std::uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

std::string formatFloat(float value) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", static_cast<double>(value));
    return text;
}

}  // namespace

GameFlow::GameFlow(App& app, const Options& options)
    : app_(app),
      seed_(options.seed.value_or(clockMilliseconds())),
      random_(seed_),
      levelSet_(app.settings.m_level_set),
      withEnemies_(options.enemies) {
    if (options.levelFile != nullptr) {
        levelFile_ = *options.levelFile;
        lastLevel = kFirstLevel;
    }
    m_level_current = kFirstLevel;
    loadLevel(m_level_current);
}

GameFlow::~GameFlow() {
    // Enemies refer to the player and the grid: they go first.
    enemies_.clear();
}

void GameFlow::loadLevel(int level) {
    enemies_.clear();
    player_.reset();
    grid_.reset();
    if (level < kFirstLevel || level > kLevelsPerSet) {
        level = kFirstLevel;
    }
    m_level_current = level;
    // A death pending from the level just left must not carry into this one.
    playerDead = false;
    deadCountdown = 0;

    grid_ = std::make_unique<LevelGrid>(app_, random_);
    if (levelFile_) {
        grid_->buildFromBytes(*levelFile_);
    } else {
        grid_->buildLevel(levelSet_, level);
    }
    player_ = std::make_unique<Actor>(app_, *grid_, enemies_);
    for (const Vec3& start : withEnemies_ ? grid_->enemyStarts : std::vector<Vec3>{}) {
        auto enemy = std::make_unique<Enemy>(app_, *grid_, *player_, enemies_, enemyDepthCounter_);
        enemy->placeAt(start);
        enemies_.push_back(std::move(enemy));
    }
    reveal_ = std::make_unique<LevelReveal>();
    updateHud();
    m_lifes_count_at_level_begin = lives;
    m_score_at_level_begin = score;
    ++levelStarts_;
}

void GameFlow::collect(int& points) {
    score = addScore(score, points);
    points = 0;
}

void GameFlow::updateHud() {
    hud_.setScore(score);
    hud_.setLives(lives);
    hud_.setLevel(m_level_current);
}

void GameFlow::startTransition(const char* message) {
    // A transition that is still there (the death countdown ended in this tick too) goes first.
    transition_.reset();
    transition_ = std::make_unique<LevelTransition>();
    if (message != nullptr) {
        transition_->setMessage(message);
    }
}

void GameFlow::tick(int ms) {
    tick(ms, app_.controls.poll(app_.keyboard, app_.settings, ms));
}

void GameFlow::tick(int ms, Actions actions) {
    PlayerControls& controls = app_.controls;
    controls.hold(actions);
    if (controls.isHeld(action::kTiltBack)) {
        m_alpha -= 1.0f;
    }
    if (controls.isHeld(action::kTiltForward)) {
        m_alpha += 1.0f;
    }
    const int perLife = app_.settings.m_lives_per_score;
    const int before = score / perLife;
    collect(player_->points);
    grid_->tick();

    if (reveal_) {
        reveal_->step();
        if (reveal_->done()) {
            reveal_.reset();
        }
        return;
    }
    if (transition_) {
        transitionTick(ms);
        return;
    }
    if (playerDead) {
        deadCountdown = deadCountdown > ms ? deadCountdown - ms : 0;
        if (deadCountdown == 0) {
            playerDead = false;
            m_level_current -= 1;
            lives -= 1;
            startTransition(lives < 0 ? kGameOver : nullptr);
        }
    } else {
        player_->tick(ms);
        if (player_->dead) {
            playerDead = true;
            deadCountdown = app_.settings.m_player_dead_time;
        }
        for (auto& enemy : enemies_) {
            enemy->tick(ms);
            collect(enemy->points);
        }
        updateHud();
    }

    const bool carrying = std::any_of(enemies_.begin(), enemies_.end(),
                                      [](const auto& enemy) { return enemy->carriesGold(); });
    if (grid_->levelComplete && !carrying) {
        score = addScore(score, kLevelBonus);
        startTransition(m_level_current + 1 > lastLevel ? kGameOver : nullptr);
    }
    // At most one life per tick, however many multiples the points crossed.
    if (before != score / perLife) {
        lives = std::min(lives + 1, kMaxLives);
    }
}

void GameFlow::transitionTick(int ms) {
    transition_->step(ms, random_);
    if (!transition_->done()) {
        return;
    }
    m_level_current += 1;
    transition_.reset();
    if (m_level_current > lastLevel || lives < 0) {
        m_is_game_over = true;
        return;
    }
    loadLevel(m_level_current);
}

GameFlow::State GameFlow::state() const {
    if (m_is_game_over) {
        return State::Over;
    }
    if (reveal_) {
        return State::Reveal;
    }
    if (transition_) {
        return State::Transition;
    }
    return playerDead ? State::Dying : State::Playing;
}

void GameFlow::startCustomGame() {
    m_custom_game = true;
    GameSettings& settings = app_.settings;
    int level = 1;
    if (settings.m_custom_type_game != 0) {
        levelSet_ = random_.next() % 2;
        level = random_.next() % kLevelsPerSet + 1;
    } else {
        levelSet_ = settings.m_custom_kind_game;
        level = settings.m_custom_level_num;
    }
    settings.m_level_set = levelSet_;
    lastLevel = level;
    loadLevel(level);
}

void GameFlow::save(ParamTable& table) {
    table.set("gf_m_score_at_level_begin", ParamTable::fromInt(m_score_at_level_begin));
    table.set("gf_m_lifes_count_at_level_begin", ParamTable::fromInt(m_lifes_count_at_level_begin));
    table.set("gf_m_alpha", formatFloat(m_alpha));
    table.set("gf_m_is_game_over", m_is_game_over ? "1" : "0");
    table.set("gf_m_level_current", ParamTable::fromInt(m_level_current));
    table.set("gf_m_custom_game", m_custom_game ? "1" : "0");
    hud_.setLevel(m_level_current);
}

void GameFlow::load(const ParamTable& table) {
    // A damaged file must not give a negative or absurd score or number of lives.
    score = std::clamp(table.getInt("gf_m_score_at_level_begin"), 0, kMaxScore);
    m_alpha = ParamTable::toFloat(table.get("gf_m_alpha", "0"));
    lives = std::clamp(table.getInt("gf_m_lifes_count_at_level_begin"), 0, kMaxLives);
    m_is_game_over = table.getInt("gf_m_is_game_over") == 1;
    m_level_current = table.getInt("gf_m_level_current");
    m_custom_game = table.getInt("gf_m_custom_game") == 1;
    loadLevel(m_level_current);
}

void GameFlow::draw(int windowWidth, int windowHeight) const {
    // Tilted, the playfield turns about its own centre line, and its depth reaches up to half
    // its height either way: the screen's depth range of -50 to 50 would clip most of it away.
    // So it is drawn in a deeper range of its own, and the overlays above it start from a clean
    // depth buffer, as on an untilted playfield.
    const bool tilted = std::fmod(m_alpha, 360.0f) != 0.0f;
    if (tilted) {
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        glLoadIdentity();
        glOrtho(0.0, 800.0, 600.0, 0.0, -kTiltDepth, kTiltDepth);
        glMatrixMode(GL_MODELVIEW);
    }
    const Camera& camera = app_.camera;
    glPushMatrix();
    applyCamera(camera);
    glPushMatrix();
    glTranslatef(kPlayfieldCentreX, kPlayfieldCentreY, 0.0f);
    glRotatef(m_alpha, 1.0f, 0.0f, 0.0f);
    glTranslatef(-kPlayfieldCentreX, -kPlayfieldCentreY, 0.0f);
    if (!m_is_game_over) {
        grid_->draw(!tilted,
                    tilted ? Texture::Sampling::AsLoaded : cellSampling(windowWidth, windowHeight));
        // All enemies share the figure's sheet and tint: one draw, in their order.
        for (const auto& enemy : enemies_) {
            figures_.add(enemy->sprite);
        }
        glColor3f(Enemy::kTint[0], Enemy::kTint[1], Enemy::kTint[2]);
        figures_.draw();
        glColor3f(1.0f, 1.0f, 1.0f);
        player_->draw();
    }
    glPopMatrix();
    glPopMatrix();
    if (tilted) {
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glClear(GL_DEPTH_BUFFER_BIT);
    }
    if (reveal_) {
        reveal_->draw();
    }
    const Font& font = app_.catalogue->font();
    if (transition_) {
        transition_->draw(font);
    }
    hud_.draw(font);
}

}  // namespace glint
