// The view a game is played in: it ticks its game flow after a short start delay, draws the
// playfield, and hands control back on Escape or Enter.
#include "play/GameView.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/App.h"
#include "app/MainWindow.h"
#include "render/Projection.h"

namespace glint {

GameView::GameView(MainWindow& window, App& app) : GameView(window, app, GameFlow::Options{}) {}

GameView::GameView(MainWindow& window, App& app, const GameFlow::Options& options)
    : View(window), app_(app), flow_(std::make_unique<GameFlow>(app, options)) {}

void GameView::update(int ms) {
    finished = flow_->m_is_game_over;
    if (finished) {
        window_.closeTop(false);
    } else if (startDelay > 0) {
        startDelay -= ms;
    } else {
        flow_->tick(ms);
        score = flow_->score;
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
    flow_->draw(std::min(static_cast<float>(picture.width()) / 800.0f,
                         static_cast<float>(picture.height()) / 600.0f));
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
