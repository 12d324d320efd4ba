// The view a game is played in: it ticks its game flow after a short start delay, draws the
// playfield, and hands control back on Escape or Enter.
#include "play/GameView.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/App.h"
#include "app/MainWindow.h"
#include "render/Font.h"
#include "render/Projection.h"

namespace glint {

GameView::GameView(MainWindow& window, App& app) : GameView(window, app, GameFlow::Options{}) {}

GameView::GameView(MainWindow& window, App& app, const GameFlow::Options& options)
    : View(window),
      app_(app),
      ownFlow_(std::make_unique<GameFlow>(app, options)),
      flow_(ownFlow_.get()) {
    record_.levelSet = flow_->levelSet();
    record_.seed = flow_->seed();
}

GameView::GameView(MainWindow& window, App& app, const Replay& replay, std::string caption)
    : View(window),
      app_(app),
      record_(replay),
      player_(std::make_unique<ReplayPlayer>(app, record_)),
      caption_(std::move(caption)) {
    flow_ = &player_->flow();
}

void GameView::startCustomGame() {
    record_.custom = true;
    record_.customType = app_.settings.m_custom_type_game;
    record_.customSet = app_.settings.m_custom_kind_game;
    record_.customLevel = app_.settings.m_custom_level_num;
    flow_->startCustomGame();
}

void GameView::loadGame(const ParamTable& table) {
    flow_->load(table);
    record_.resumedFrom = table;
}

void GameView::playTick(int ms) {
    // Steps in which the game was not updated (it waited in the menu, or the window was in
    // the background) are part of its record.
    const std::uint64_t step = window_.steps();
    for (std::uint64_t s = lastStep_ + 1; lastStep_ != 0 && s < step; ++s) {
        record_.addWaitingTick();
    }
    lastStep_ = step;
    if (startDelay > 0) {
        startDelay -= ms;
        record_.addWaitingTick();
        return;
    }
    const Actions actions = app_.controls.poll(app_.keyboard, app_.settings, ms);
    flow_->tick(ms, actions);
    record_.addGameTick(actions, flow_->score, flow_->lives);
    score = flow_->score;
}

void GameView::watchTick(int ms) {
    if (startDelay > 0) {
        startDelay -= ms;
        return;
    }
    // The player's right binding, held, plays the replay faster.
    const bool fast = (app_.controls.poll(app_.keyboard, app_.settings, ms) & action::kRight) != 0;
    for (int n = fast ? kFastForward : 1; n > 0; --n) {
        if (!player_->step(ms)) {
            watched_ = true;
            window_.closeTop(false);
            return;
        }
        score = flow_->score;
    }
}

void GameView::update(int ms) {
    if (player_) {
        watchTick(ms);
        View::update(ms);
        return;
    }
    finished = flow_->m_is_game_over;
    if (finished) {
        window_.closeTop(false);
    } else {
        playTick(ms);
    }
    if (flow_->levelStarts() != levelStartsSeen_ && !finished) {
        levelStartsSeen_ = flow_->levelStarts();
        if (onLevelStart) {
            onLevelStart();
        }
    }
    View::update(ms);
}

void GameView::draw() {
    window_.setUpProjection();
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_DEPTH_TEST);
    const platform::Rect picture = window_.pictureRect();
    flow_->draw(picture.width(), picture.height());
    if (player_) {
        // Above the playfield, in the logical screen.
        const Font& font = app_.catalogue->font();
        font.drawText(caption_, 30.0f, 12.0f, 32.0f, 45.0f, 0.0f, 0.0f, 0.0f, 1.0f);
        font.drawText(caption_, 30.0f, 10.0f, 30.0f, 46.0f, 1.0f, 1.0f, 0.0f, 1.0f);
    }
    View::draw();
}

void GameView::onKeyDown(int key) {
    if (key == app_.backKey) {
        window_.closeTop(false);
    } else if (key == app_.minimizeKey) {
        window_.minimizeWindow();
        window_.closeTop(false);
    }
    View::onKeyDown(key);
}

void GameView::onNavigate(Navigation navigation) {
    if (navigation == Navigation::Back) {
        onKeyDown(app_.backKey);
    }
}

platform::Point GameView::toScreen(int x, int y) const {
    return startDelay <= 0 ? window_.toLogical(x, y, 800, 600) : platform::Point{x, y};
}

void GameView::onLButtonUp(int x, int y, std::uint64_t flags) {
    const platform::Point p = toScreen(x, y);
    View::onLButtonUp(p.x, p.y, flags);
}

void GameView::onRButtonUp(int x, int y, std::uint64_t flags) {
    const platform::Point p = toScreen(x, y);
    View::onRButtonUp(p.x, p.y, flags);
}

void GameView::onCloseRequest() {
    App::quit();
}

}  // namespace glint
