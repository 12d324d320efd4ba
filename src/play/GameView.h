// The view a game is played in: it ticks its game flow after a short start delay, draws the
// playfield, and hands control back on Escape or Enter.
#pragma once

#include <functional>
#include <memory>

#include "app/View.h"
#include "play/GameFlow.h"
#include "play/ReplayPlayer.h"
#include "replay/Replay.h"

namespace glint {

class App;
class ParamTable;

class GameView : public View {
public:
    static constexpr int kStartDelayMs = 100;

    // A new game of the current level set, at level 1, recorded as it is played.
    GameView(MainWindow& window, App& app);
    GameView(MainWindow& window, App& app, const GameFlow::Options& options);
    // A recorded game played again, under a caption; the player's settings are left as they
    // were. Nothing of it is meant for a table or the saved game: it only ends (finished stays
    // false) when its ticks run out or the game is over.
    GameView(MainWindow& window, App& app, const Replay& replay, std::string caption);

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
    bool playsGame() const override { return true; }

    void saveGame(ParamTable& table) { flow_->save(table); }
    // Restores a saved game; its record starts from that state.
    void loadGame(const ParamTable& table);
    int finalScore() const { return score; }
    // Rebuilds the playfield's tiles with the current skin.
    void reskin() { flow_->grid()->reskin(); }
    void startCustomGame();

    // The game as played so far: its set-up and the actions of every tick, the ticks it
    // waited (in the menu, or for its start delay) included.
    const Replay& record() const { return record_; }
    bool watching() const { return player_ != nullptr; }
    // A replay being watched has played all of its ticks (or its game is over).
    bool watched() const { return watched_; }
    // While held, a replay plays this many ticks a step.
    static constexpr int kFastForward = 4;

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

    void playTick(int ms);
    void watchTick(int ms);

    App& app_;
    std::unique_ptr<GameFlow> ownFlow_;
    GameFlow* flow_;
    int levelStartsSeen_ = 0;
    Replay record_;
    // While a replay is watched: record_ is the replay, played by player_, whose game flow_
    // points into.
    std::unique_ptr<ReplayPlayer> player_;
    bool watched_ = false;
    std::string caption_;
    std::uint64_t lastStep_ = 0;
};

}  // namespace glint
