// The view a game is played in: it ticks its game flow after a short start delay, draws the
// playfield, and hands control back on Escape or Enter.
#pragma once

#include <functional>
#include <memory>

#include "app/View.h"
#include "play/GameFlow.h"

namespace glint {

class App;
class ParamTable;

class GameView : public View {
public:
    static constexpr int kStartDelayMs = 100;

    // A new game of the current level set, at level 1.
    GameView(MainWindow& window, App& app);
    GameView(MainWindow& window, App& app, const GameFlow::Options& options);

    void update(int ms) override;
    void draw() override;
    // Every return to the game waits 100 ms before it goes on.
    void activate() override { startDelay = kStartDelayMs; }
    // Escape leaves the game (kept as it is); Enter minimizes the window and leaves it too.
    void onKeyDown(int key) override;
    // Only Back means anything here (as Escape does): in a game the directions and the buttons
    // are the game's own.
    void onNavigate(Navigation navigation) override;
    void onLButtonUp(int x, int y, std::uint64_t flags) override;
    void onRButtonUp(int x, int y, std::uint64_t flags) override;
    void onCloseRequest() override;
    // The playfield moves (figures, lights, holes, overlays): it is drawn every step.
    bool wantsRedraw() const override { return true; }

    void saveGame(ParamTable& table) { flow_->save(table); }
    void loadGame(const ParamTable& table) { flow_->load(table); }
    int finalScore() const { return score; }
    // Rebuilds the playfield's tiles with the current skin.
    void reskin() { flow_->grid()->reskin(); }
    void startCustomGame() { flow_->startCustomGame(); }

    GameFlow& flow() { return *flow_; }

    // Called from update when a level of the game has just begun (also the first time the game
    // is updated): the moment the menu keeps the game safe on disk.
    std::function<void()> onLevelStart;

    bool finished = false;
    int startDelay = 0;
    int score = 0;

private:
    // Window pixels to the 800 x 600 logical screen once the start delay is over; until then
    // mouse positions pass unchanged.
    platform::Point toScreen(int x, int y) const;

    App& app_;
    std::unique_ptr<GameFlow> flow_;
    int levelStartsSeen_ = 0;
};

}  // namespace glint
