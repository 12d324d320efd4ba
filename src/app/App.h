// The application object: what lives for the whole run, the start-up and shutdown order, the
// message handling and the 30 ms frame step.
#pragma once

#include <atomic>
#include <memory>

#include "app/AssetCatalogue.h"
#include "app/CommandLine.h"
#include "app/FrameStats.h"
#include "app/UserFiles.h"
#include "audio/SoundEffects.h"
#include "input/KeyboardInput.h"
#include "pack/DataPack.h"
#include "pack/ParamTable.h"
#include "platform/Gamepads.h"
#include "platform/Messages.h"
#include "play/GameSettings.h"
#include "play/PlayerControls.h"
#include "render/Camera.h"

namespace glint {

class MainWindow;
class View;

class App {
public:
    static constexpr int kFrameMs = 30;
    static constexpr const char* kTitle = "Glint Seeker";
    static constexpr const char* kPackPath = "data/data.pk";
    static constexpr const char* kMenuTablePath = "mui/menu.txt";
    static constexpr const char* kParamTablePath = "dat/param.txt";

    // Seeds the random generator, opens the data pack and reads the tables and rules. A headless
    // run (the simulation) names its own archive and loads the catalogue without a GL context.
    explicit App(const std::string& packPath = kPackPath);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    // The entry: opens the window, runs the message loop until the program quits, and shuts
    // down in order. Returns the exit status (1 when no window could be opened).
    int run();

    // An older settings file, deleted once the settings have been read.
    static constexpr const char* kOldSettingsName = "d.cfg";
    // Removes what interrupted saves left behind, then reads the settings (window, sound,
    // autosave, skin, keys, custom game), and the two high-score tables whether or not the
    // settings could be read, so that stored scores are never replaced by empty tables at exit.
    // Values that cannot be used are put right.
    void loadSettings();
    // Takes the values of a settings table that has been read.
    void applySettings(const ParamTable& table);
    // Writes the settings and both high-score tables; the window's position is the last one it
    // had while not minimized.
    void saveSettings();

    // One message from the queue, as the window procedure handles it.
    void handleMessage(const platform::Message& message);
    // One fixed step: update the top view or dialog by 30 ms, draw, show.
    void frameStep();

    // Asks the program to end, as a view does that quits: a close the program posts itself.
    static void quit();

    int windowWidth = 800;
    int windowHeight = 600;
    int windowX = 0;
    int windowY = 0;
    // The window opens at this multiple of its width and height ("m_window_scale", 1 to 8).
    int windowScale = 1;
    // How full screen is made ("m_fullscreen_mode": 0 changes the display's mode, 1 covers the
    // desktop).
    int fullScreenMode = 0;
    // For this run only, from the command line: a scale (0: the stored one), full screen from
    // the start. Neither is saved.
    int scaleForRun = 0;
    bool startFullScreen = false;
    Camera camera;
    DataPack pack;
    ParamTable menuTable;
    std::unique_ptr<AssetCatalogue> catalogue;
    KeyboardInput keyboard;
    // Game controllers, read by the controls once the window exists.
    platform::Gamepads gamepads;
    // What the player holds in each game tick, from the keyboard and the controllers.
    PlayerControls controls;
    int backKey = platform::vk::kEscape;
    int minimizeKey = platform::vk::kReturn;
    bool autosave = false;
    // The settings file was there but could not be read: whether autosave was on is unknown.
    bool settingsDamaged = false;
    SoundEffects sound;
    bool soundOn = true;
    GameSettings settings;
    // The player's settings, saved game and high scores on disk.
    UserFiles files;
    // The page the maker logo opens: this project's own README.
    std::string makerPageAddress;
    std::unique_ptr<MainWindow> mainWindow;
    // A replay to play once the menu is up (glint --replay FILE).
    std::string replayFile;

private:
    // A controller's button pressed while view is on top: in play only the menu button (back
    // to the menu); in the menus the directions move the focus, accept or the menu button
    // activates it, cancel acts as Escape.
    void navigate(View& view, int input);

    // Where the window was opened, and the stored position it was placed from.
    int openedX_ = 0;
    int openedY_ = 0;
    int storedX_ = 0;
    int storedY_ = 0;
    // Kept and printed at exit when GLINT_FRAME_STATS is set.
    bool keepFrameStats_ = false;
    // GLINT_DRAW_EVERY_STEP: draw even a picture that cannot have changed (to compare).
    bool drawEveryStep_ = false;
    FrameStats frameStats_;
};

// The one application object, while it exists.
App* app();

// Set from the moment the frame timer posts a step until that step has run, so that the timer
// posts no further step meanwhile.
std::atomic<bool>& inFrameFlag();

// Reads the command line, finds the content and the user files' directories, starts the
// platform, runs the application and stops the platform: what main does.
int runProgram(int argc, char** argv);

}  // namespace glint
