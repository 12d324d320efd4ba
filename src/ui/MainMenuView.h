// The main menu: the screen under everything else for the whole run. It starts, keeps and
// resumes the game, opens every dialog, switches the display mode and holds the saved game.
#pragma once

#include <array>
#include <memory>

#include <string>

#include "app/View.h"
#include "replay/ReplayShelf.h"
#include "ui/Widgets.h"

namespace glint {

class App;
class ParamTable;
class CustomGameDialog;
class GameOverDialog;
class GameView;
class HelpDialog;
class NewGameDialog;
class OptionsDialog;
class QuitDialog;
class TopSevenDialog;

class MainMenuView : public View {
public:
    static constexpr const char* kTitle = "FILCH AND DASH v1.1";

    MainMenuView(MainWindow& window, App& app);
    ~MainMenuView() override;

    void draw() override;
    // Sets up the screen, and shows the end of a game that has just come back finished.
    void activate() override;
    // Escape asks to quit; Enter minimizes (leaving full screen first).
    void onKeyDown(int key) override;
    void onMouseMove(int x, int y, std::uint64_t flags) override;
    void onLButtonUp(int x, int y, std::uint64_t flags) override;
    void onLButtonDown(int x, int y, std::uint64_t flags) override;
    void onCommand(Widget* widget) override;
    void onDialogClosed(int result, View* dialog) override;
    void onCloseRequest() override;

    // At exit: the game in progress kept for the next start (with its progress only when
    // autosave is on, or when the settings could not be read and nobody knows). Without a game
    // no saved game remains.
    void saveGame();
    // Takes the saved game, if there is one, as the current game (not shown). The file stays
    // until a newer save replaces it, so a crash never loses it; a game that ends, or that a
    // new game replaces, is no longer offered. A damaged file is not offered.
    void loadGame();
    // Switches between full screen and the window, as the full-screen button does.
    void toggleFullScreen();

    // Plays a recorded game in the game view under a caption; when it ends (or Escape ends it)
    // the Top 7 of returnToTable (0 or 1) opens again, or the menu shows when it is -1.
    void watch(const Replay& replay, const std::string& caption, int returnToTable);
    // The replays folder beside the other user files.
    ReplayShelf replays() const;

    GameView* currentGame() const { return game_.get(); }
    GameView* watchedGame() const { return watching_.get(); }
    int levelSet() const { return levelSet_; }
    Button& button(int index) { return *buttons_[static_cast<std::size_t>(index)]; }

    // The buttons, in their order.
    enum ButtonIndex {
        kNewGame1,
        kNewGame2,
        kContinue,
        kQuit,
        kHelp,
        kTop7Set1,
        kTop7Set2,
        kOptions,
        kMakerLogo,
        kCustomGame,
        kFullScreen,
        kMinimize,
        kButtonCount
    };

private:
    platform::Point toScreen(int x, int y) const;
    void setUpScreen();
    void startGame(bool custom);
    // Makes game_ the current game, kept on disk at every level start while autosave is on.
    void adopt(std::unique_ptr<GameView> game);
    // The current game's state at the beginning of its level, as the saved game holds it.
    ParamTable savedGame(bool withProgress) const;
    void openTopSeven(int table);
    template <typename T>
    void open(std::unique_ptr<T>& slot, std::unique_ptr<T> dialog);

    App& app_;
    std::unique_ptr<GameView> game_;
    int levelSet_ = 0;
    // The set of the new-game button last pressed, while "Start New Game?" asks.
    int requestedSet_ = 0;
    std::array<std::unique_ptr<Button>, kButtonCount> buttons_;
    std::unique_ptr<NewGameDialog> newGame_;
    std::unique_ptr<QuitDialog> quit_;
    std::unique_ptr<HelpDialog> help_;
    std::unique_ptr<TopSevenDialog> topSeven_;
    std::unique_ptr<OptionsDialog> options_;
    std::unique_ptr<CustomGameDialog> customGame_;
    std::unique_ptr<GameOverDialog> gameOver_;
    // A replay being watched, and the table to return to.
    std::unique_ptr<GameView> watching_;
    int returnToTable_ = -1;
    // The replay of the game that has just ended, until its name is known.
    std::string finishedReplay_;
};

}  // namespace glint
