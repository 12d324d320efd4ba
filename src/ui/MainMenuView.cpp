// The main menu: the screen under everything else for the whole run. It starts, keeps and
// resumes the game, opens every dialog, switches the display mode and holds the saved game.
#include "ui/MainMenuView.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <utility>

#include "app/App.h"
#include "app/MainWindow.h"
#include "pack/ParamTable.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "play/GameView.h"
#include "render/PictureBand.h"
#include "ui/CustomGameDialog.h"
#include "ui/DialogSupport.h"
#include "ui/GameOverDialog.h"
#include "ui/HelpDialog.h"
#include "ui/NewGameDialog.h"
#include "ui/OptionsDialog.h"
#include "ui/QuitDialog.h"
#include "ui/TopSevenDialog.h"

namespace glint {

namespace {

// "2026-12-09 04:40:12", local time: when a replay was made.
std::string localDateTime() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    return std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) != 0 ? text : "";
}

}  // namespace

namespace {

struct ButtonPlace {
    UiTexture picture;
    const char* keyX;  // null: the maker logo's fixed place
    const char* keyY;
};

// In creation order, one per MainMenuView::ButtonIndex.
constexpr ButtonPlace kButtons[] = {
    {UiTexture::NewGame1Button, "m_glint1_game_btnx", "m_glint1_game_btny"},
    {UiTexture::NewGame2Button, "m_glint2_game_btnx", "m_glint2_game_btny"},
    {UiTexture::ContinueButton, "m_continue_single_game_btnx", "m_continue_single_game_btny"},
    {UiTexture::QuitButton, "m_quit_game_btnx", "m_quit_game_btny"},
    {UiTexture::HelpButton, "m_help_btnx", "m_help_btny"},
    {UiTexture::Top7Button1, "m_mm_top7_1_btnx", "m_mm_top7_1_btny"},
    {UiTexture::Top7Button2, "m_mm_top7_2_btnx", "m_mm_top7_2_btny"},
    {UiTexture::OptionsButton, "m_options_btnx", "m_options_btny"},
    {UiTexture::MakerLogo, nullptr, nullptr},
    {UiTexture::PlayCustomButton, "m_play_custom_btnx", "m_play_custom_btny"},
    {UiTexture::FullScreenButton, "m_mm_fullscreen_btnx", "m_mm_fullscreen_btny"},
    {UiTexture::MinimizeButton, "m_mini_btnx", "m_mini_btny"},
};

}  // namespace

MainMenuView::MainMenuView(MainWindow& window, App& app) : View(window), app_(app) {
    const ParamTable& menu = app.menuTable;
    for (std::size_t i = 0; i < buttons_.size(); ++i) {
        const ButtonPlace& place = kButtons[i];
        buttons_[i] = std::make_unique<Button>(this, &app.catalogue->texture(place.picture));
        if (place.keyX != nullptr) {
            buttons_[i]->setPosition(static_cast<float>(menuInt(menu, place.keyX)),
                                     static_cast<float>(menuInt(menu, place.keyY)));
        } else {
            buttons_[i]->setPosition(225.0f, 470.0f);
        }
        addWidget(buttons_[i].get());
    }
    buttons_[kContinue]->visible = false;
}

MainMenuView::~MainMenuView() = default;

template <typename T>
void MainMenuView::open(std::unique_ptr<T>& slot, std::unique_ptr<T> dialog) {
    // One dialog of each kind at a time, however fast the clicks come.
    if (slot) {
        return;
    }
    slot = std::move(dialog);
    window_.pushDialog(slot.get());
}

platform::Point MainMenuView::toScreen(int x, int y) const {
    return window_.toLogical(x, y, app_.camera.width, app_.camera.height);
}

void MainMenuView::setUpScreen() {
    window_.applyViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, app_.camera.width, app_.camera.height, 0.0, -50.0, 50.0);
    glMatrixMode(GL_MODELVIEW);
    glClearColor(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
}

void MainMenuView::activate() {
    if (window_.platformWindow().exists()) {
        setUpScreen();
    }
    draggable = !window_.fullScreen;
    View::activate();
    if (watching_) {
        // Back from a replay (ended, or left with Escape): where it was chosen.
        watching_.reset();
        const int table = std::exchange(returnToTable_, -1);
        if (table >= 0) {
            openTopSeven(table);
        }
        return;
    }
    if (game_ && game_->finished) {
        const int score = game_->finalScore();
        // The table of the set this game was played in, whatever the menu was asked since.
        const int set = game_->flow().levelSet();
        Replay replay = game_->record();
        replay.finalScore = score;
        replay.scoreSet = set;
        replay.levelsReached = game_->flow().m_level_current;
        replay.date = localDateTime();
        finishedReplay_ = replays().add(replay);
        game_.reset();
        app_.files.remove(UserFile::SavedGame);  // an ended game is not offered again
        auto dialog = std::make_unique<GameOverDialog>(window_, app_, score, set);
        dialog->setReferenceSize(app_.camera.width, app_.camera.height);
        dialog->dimBackdrop = true;
        dialog->drawBackground = false;
        open(gameOver_, std::move(dialog));
    }
}

void MainMenuView::draw() {
    // Before the widgets draw and note what they showed, so that the picture noted as on
    // screen is the one drawn.
    buttons_[kContinue]->visible = game_ != nullptr;
    // The window may have changed its size since (a desktop answers a full-screen request late).
    window_.applyViewport();
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Upright, behind everything.
    drawPictureBand(app_.catalogue->picture(LargePicture::Menu), 1, 1, 0.0f, 0.0f,
                    static_cast<float>(app_.camera.width), static_cast<float>(app_.camera.height),
                    -10.0f);
    drawShadowedText(app_.catalogue->font(), kTitle, 40.0f, 10.0f, 50.0f);
    View::draw();
}

void MainMenuView::onKeyDown(int key) {
    if (key == app_.backKey) {
        onCommand(buttons_[kQuit].get());
    } else if (key == app_.minimizeKey) {
        window_.minimizeWindow();  // leaves full screen first
    }
    View::onKeyDown(key);
}

void MainMenuView::onMouseMove(int x, int y, std::uint64_t flags) {
    const platform::Point p = toScreen(x, y);
    View::onMouseMove(p.x, p.y, flags);
}

void MainMenuView::onLButtonUp(int x, int y, std::uint64_t flags) {
    const platform::Point p = toScreen(x, y);
    View::onLButtonUp(p.x, p.y, flags);
}

void MainMenuView::onLButtonDown(int x, int y, std::uint64_t flags) {
    const platform::Point p = toScreen(x, y);
    View::onLButtonDown(p.x, p.y, flags);
}

void MainMenuView::adopt(std::unique_ptr<GameView> game) {
    game_ = std::move(game);
    levelSet_ = game_->flow().levelSet();
    game_->onLevelStart = [this] {
        if (app_.autosave) {
            app_.files.write(UserFile::SavedGame, savedGame(true));
        }
    };
}

void MainMenuView::startGame(bool custom) {
    game_.reset();
    auto game = std::make_unique<GameView>(window_, app_);
    if (custom) {
        game->startCustomGame();
    }
    adopt(std::move(game));
    if (!app_.autosave) {
        // The game this one replaces is not offered again; with autosave on, the new game's
        // first level start replaces it on disk.
        app_.files.remove(UserFile::SavedGame);
    }
    window_.pushView(game_.get());
}

void MainMenuView::onCommand(Widget* widget) {
    View::onCommand(widget);
    auto placed = [this](auto dialog, const char* prefix) {
        placeDialog(*dialog, app_, prefix);
        return dialog;
    };
    if (widget == buttons_[kNewGame1].get() || widget == buttons_[kNewGame2].get()) {
        // Only a game that really starts changes the set: a cancelled "Start New Game?" leaves
        // the waiting game's set alone.
        requestedSet_ = widget == buttons_[kNewGame1].get() ? 0 : 1;
        if (game_) {
            open(newGame_, placed(std::make_unique<NewGameDialog>(window_, app_), "nd"));
        } else {
            app_.settings.m_level_set = requestedSet_;
            startGame(false);
        }
    } else if (widget == buttons_[kContinue].get()) {
        if (game_) {
            window_.pushView(game_.get());
        }
    } else if (widget == buttons_[kQuit].get()) {
        open(quit_, placed(std::make_unique<QuitDialog>(window_, app_), "qd"));
    } else if (widget == buttons_[kHelp].get()) {
        open(help_, placed(std::make_unique<HelpDialog>(window_, app_), "hd"));
    } else if (widget == buttons_[kOptions].get()) {
        open(options_, placed(std::make_unique<OptionsDialog>(window_, app_), "od"));
    } else if (widget == buttons_[kCustomGame].get()) {
        open(customGame_, placed(std::make_unique<CustomGameDialog>(window_, app_), "cgd"));
    } else if (widget == buttons_[kTop7Set1].get() || widget == buttons_[kTop7Set2].get()) {
        openTopSeven(widget == buttons_[kTop7Set1].get() ? 0 : 1);
    } else if (widget == buttons_[kFullScreen].get()) {
        toggleFullScreen();
    } else if (widget == buttons_[kMinimize].get()) {
        window_.minimizeWindow();
    } else if (widget == buttons_[kMakerLogo].get()) {
        if (!app_.makerPageAddress.empty()) {
            platform::openUrl(app_.makerPageAddress);
        }
    }
}

void MainMenuView::toggleFullScreen() {
    if (window_.fullScreen) {
        window_.leaveFullScreen();
        draggable = true;
    } else if (window_.enterFullScreen(app_.camera.width, app_.camera.height)) {
        draggable = false;
    }
    if (window_.platformWindow().exists()) {
        setUpScreen();
    }
}

void MainMenuView::onDialogClosed(int result, View* dialog) {
    if (dialog == quit_.get()) {
        quit_.reset();
        if (result == 0) {
            onCloseRequest();
        }
    } else if (dialog == newGame_.get()) {
        newGame_.reset();
        if (result == 0) {
            app_.settings.m_level_set = requestedSet_;
            startGame(false);
        }
    } else if (dialog == customGame_.get()) {
        customGame_.reset();
        if (result == 0) {
            startGame(true);
        }
    } else if (dialog == options_.get()) {
        options_.reset();
        if (game_) {
            game_->reskin();
        }
    } else if (dialog == help_.get()) {
        help_.reset();
    } else if (dialog == topSeven_.get()) {
        const int table = topSeven_->tableIndex();
        const int entry = topSeven_->watchedEntry();
        topSeven_.reset();
        if (result == TopSevenDialog::kWatch && entry >= 0 &&
            entry < static_cast<int>(app_.settings.highScores[table].entries().size())) {
            const HighScoreTable::Entry& e = app_.settings.highScores[table].entries()[entry];
            std::string why;
            const std::optional<std::string> path = replays().find(table, e.name, e.score);
            std::optional<Replay> replay = path ? Replay::load(*path, why) : std::nullopt;
            if (replay) {
                watch(*replay, "Replay: " + e.name + ", " + std::to_string(e.score), table);
            } else {
                std::fprintf(stderr, "glint: no replay of %s's %d\n", e.name.c_str(), e.score);
                openTopSeven(table);
            }
        }
    } else if (dialog == gameOver_.get()) {
        // The replay of the game just ended carries the name its score was entered under;
        // replays of scores no longer in a table make room.
        if (!finishedReplay_.empty() && gameOver_->nameEntry() && !gameOver_->name().empty()) {
            replays().setName(finishedReplay_, gameOver_->name());
        }
        finishedReplay_.clear();
        replays().prune(app_.settings.highScores);
        gameOver_.reset();
    }
}

void MainMenuView::onCloseRequest() {
    App::quit();
}

ReplayShelf MainMenuView::replays() const {
    return ReplayShelf(app_.files.directory(UserFile::SavedGame) + "/replays");
}

void MainMenuView::openTopSeven(int table) {
    auto dialog = std::make_unique<TopSevenDialog>(window_, app_, table);
    dialog->setReferenceSize(app_.camera.width, app_.camera.height);
    std::array<bool, 7> watchable{};
    const std::vector<bool> found =
        replays().watchable(table, app_.settings.highScores[table == 1 ? 1 : 0].entries());
    std::copy_n(found.begin(), std::min(found.size(), watchable.size()), watchable.begin());
    dialog->offerReplays(watchable);
    open(topSeven_, std::move(dialog));
}

void MainMenuView::watch(const Replay& replay, const std::string& caption, int returnToTable) {
    watching_ = std::make_unique<GameView>(window_, app_, replay, caption);
    returnToTable_ = returnToTable;
    window_.pushView(watching_.get());
}

ParamTable MainMenuView::savedGame(bool withProgress) const {
    ParamTable table;
    table.set("m_game_kind", game_->flow().levelSet() != 0 ? "1" : "0");
    if (withProgress) {
        game_->saveGame(table);
    }
    return table;
}

void MainMenuView::saveGame() {
    if (!game_) {
        app_.files.remove(UserFile::SavedGame);
        return;
    }
    // Writing only the level set would throw away a game whose progress the file may hold.
    app_.files.write(UserFile::SavedGame, savedGame(app_.autosave || app_.settingsDamaged));
}

void MainMenuView::loadGame() {
    ParamTable table;
    if (app_.files.read(UserFile::SavedGame, table) != UserFiles::Read::Read) {
        return;
    }
    app_.settings.m_level_set = table.getInt("m_game_kind") != 0 ? 1 : 0;
    auto game = std::make_unique<GameView>(window_, app_);
    game->loadGame(table);
    adopt(std::move(game));
}

}  // namespace glint
