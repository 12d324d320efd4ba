// The application object: what lives for the whole run, the start-up and shutdown order, the
// message handling and the 30 ms frame step.
#include "app/App.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/FileLocations.h"
#include "app/MainWindow.h"
#include "app/View.h"
#include "app/WindowPlacement.h"
#include "platform/FrameTimer.h"
#include "platform/System.h"
#include "replay/Replay.h"
#include "ui/IntroView.h"
#include "ui/MainMenuView.h"

namespace glint {

namespace {

App* theApp = nullptr;
std::atomic<bool> inFrame{false};

// Milliseconds of a clock that has been running since the machine started, so that two runs of
// the program get different seeds.
unsigned bootMilliseconds() {
    using namespace std::chrono;
    return static_cast<unsigned>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

App* app() {
    return theApp;
}

std::atomic<bool>& inFrameFlag() {
    return inFrame;
}

App::App(const std::string& packPath) {
    theApp = this;
    std::srand(bootMilliseconds());
    catalogue = std::make_unique<AssetCatalogue>(pack);
    pack.open(packPath);  // without it, every read falls back to loose files
    ParamTable param;
    param.loadFromBuffer(pack.readEntry(kParamTablePath).data, true);
    menuTable.loadFromBuffer(pack.readEntry(kMenuTablePath).data, true);
    catalogue->setSkinCount(param.getInt("m_skins_count"));
    settings.loadRules(pack);
    // The maker logo opens this project's own README, found beside the build directory or
    // where an installation keeps its documents.
    std::error_code ec;
    const std::string executable = platform::executableDirectory();
    for (const char* candidate :
         {"../README.md", "README.md", "../share/doc/glint-seeker/README.md"}) {
        const std::filesystem::path readme = std::filesystem::path(executable) / candidate;
        if (!executable.empty() && std::filesystem::exists(readme, ec)) {
            makerPageAddress = "file://" + std::filesystem::weakly_canonical(readme, ec).string();
            break;
        }
    }
}

App::~App() {
    if (theApp == this) {
        theApp = nullptr;
    }
}

int App::run() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && *value != '\0' && std::string_view(value) != "0";
    };
    keepFrameStats_ = set("GLINT_FRAME_STATS");
    drawEveryStep_ = set("GLINT_DRAW_EVERY_STEP");
    loadSettings();
    mainWindow = std::make_unique<MainWindow>(this);
    mainWindow->fullScreenMode = fullScreenMode == 1 ? MainWindow::FullScreenMode::Desktop
                                                     : MainWindow::FullScreenMode::ChangeMode;
    const platform::Rect desktop = platform::desktopBounds();
    storedX_ = windowX;
    storedY_ = windowY;
    WindowGeometry g =
        placeWindow(WindowGeometry{windowX, windowY, windowWidth, windowHeight}, desktop);
    // The stored size stays the unscaled one; the window is that size times the scale.
    windowWidth = g.width;
    windowHeight = g.height;
    const int scale =
        fittingScale(scaleForRun > 0 ? scaleForRun : windowScale, g.width, g.height, desktop);
    if (scale > 1) {
        g = placeWindow(WindowGeometry{windowX, windowY, windowWidth * scale, windowHeight * scale},
                        desktop);
    }
    windowX = g.x;
    windowY = g.y;
    openedX_ = g.x;
    openedY_ = g.y;
    if (!mainWindow->create(kTitle, g.x, g.y, g.width, g.height)) {
        std::fprintf(stderr, "glint: %s\n", mainWindow->error().c_str());
        mainWindow.reset();
        return 1;
    }

    // The intro picture stays on screen while everything else loads.
    auto intro = std::make_unique<IntroView>(*mainWindow, *this);
    mainWindow->pushView(intro.get());
    mainWindow->drawFrame();
    mainWindow->present();

    catalogue->load();
    sound.init();  // no device: the game runs silent
    for (const char* path : SoundEffects::kFiles) {
        sound.loadWav(path);
    }
    sound.setEnabled(soundOn);

    auto menu = std::make_unique<MainMenuView>(*mainWindow, *this);
    mainWindow->pushView(menu.get());
    menu->loadGame();
    mainWindow->removeView(intro.get());
    intro.reset();
    if (startFullScreen) {
        menu->toggleFullScreen();
    }
    if (!replayFile.empty()) {
        std::string why;
        if (std::optional<Replay> replay = Replay::load(replayFile, why)) {
            const std::string name = replay->name.empty() ? "no name" : replay->name;
            menu->watch(*replay, "Replay: " + name + ", " + std::to_string(replay->finalScore), -1);
        } else {
            std::fprintf(stderr, "glint: %s: %s\n", replayFile.c_str(), why.c_str());
        }
    }

    platform::Message message;
    int exitCode = 0;
    while (platform::getMessage(message, exitCode)) {
        handleMessage(message);
    }

    if (keepFrameStats_) {
        std::fprintf(stderr, "glint: %s\n",
                     frameStats_.summary(mainWindow->skippedPeriods()).c_str());
    }
    menu->saveGame();
    mainWindow->removeView(menu.get());
    menu.reset();  // with every dialog it still owns
    saveSettings();
    mainWindow->platformWindow().hide();
    if (mainWindow->fullScreen) {
        mainWindow->leaveFullScreen();
    }
    // Textures and the sound device go while the GL context and the platform still exist.
    catalogue->unload();
    sound.shutdown();
    mainWindow->destroy();
    mainWindow.reset();
    return exitCode;
}

void App::loadSettings() {
    files.removeStaleTemporaries();
    ParamTable table;
    switch (files.read(UserFile::Settings, table)) {
        case UserFiles::Read::Read:
            std::remove((files.directory(UserFile::Settings) + "/" + kOldSettingsName).c_str());
            applySettings(table);
            break;
        case UserFiles::Read::Damaged:
            settingsDamaged = true;
            break;
        case UserFiles::Read::Missing:
            break;
    }
    for (int set = 0; set < 2; ++set) {
        if (files.read(UserFiles::scores(set), table) == UserFiles::Read::Read) {
            settings.highScores[static_cast<std::size_t>(set)].readFrom(table);
        }
    }
}

void App::applySettings(const ParamTable& table) {
    windowWidth = table.getInt("m_window_width");
    windowHeight = table.getInt("m_window_height");
    windowX = table.getInt("x");
    windowY = table.getInt("y");
    windowScale = std::clamp(table.getInt("m_window_scale", "1"), 1, CommandLine::kMaxScale);
    fullScreenMode = table.getInt("m_fullscreen_mode") == 1 ? 1 : 0;
    settings.loadKeys(table);
    settings.keepChoicesUsable();
    autosave = table.getInt("m_autosave") == 1;
    soundOn = table.getInt("m_sound", "1") == 1;
    catalogue->setCurrentSkin(table.getInt("m_current_skin"));
}

void App::saveSettings() {
    ParamTable table;
    table.set("m_window_width", ParamTable::fromInt(windowWidth));
    table.set("m_window_height", ParamTable::fromInt(windowHeight));
    platform::Rect at =
        mainWindow ? mainWindow->lastRestoredRect() : platform::Rect{windowX, windowY, 0, 0};
    // A window placed for a scale given on the command line, and not moved since, leaves the
    // stored position as it was: the next run may be at the stored scale again.
    if (scaleForRun > 0 && at.left == openedX_ && at.top == openedY_) {
        at.left = storedX_;
        at.top = storedY_;
    }
    table.set("x", ParamTable::fromInt(at.left));
    table.set("y", ParamTable::fromInt(at.top));
    table.set("m_window_scale", ParamTable::fromInt(windowScale));
    table.set("m_fullscreen_mode", ParamTable::fromInt(fullScreenMode));
    table.set("m_autosave", autosave ? "1" : "0");
    table.set("m_sound", soundOn ? "1" : "0");
    table.set("m_current_skin", ParamTable::fromInt(catalogue->currentSkin()));
    settings.saveKeys(table);
    files.write(UserFile::Settings, table);
    for (int set = 0; set < 2; ++set) {
        files.write(UserFiles::scores(set),
                    settings.highScores[static_cast<std::size_t>(set)].toTable());
    }
}

void App::handleMessage(const platform::Message& message) {
    using platform::MessageType;
    MainWindow& window = *mainWindow;
    View* top = window.target();
    const int x = platform::mouseX(message.lParam);
    const int y = platform::mouseY(message.lParam);
    // Anything the desktop or the player does may change the picture, except a mere move of
    // the pointer: that shows only through the widgets it hovers, which say so themselves.
    if (message.type != MessageType::Timer && message.type != MessageType::MouseMove) {
        window.invalidate();
    }
    switch (message.type) {
        case MessageType::Activate:
            window.active = message.wParam != 0;
            break;
        case MessageType::Size:
            // The flag follows what the desktop did, not what was asked of it: a desktop that
            // refuses to minimize leaves the window on screen, and it must go on being drawn.
            if (message.wParam == platform::kSizeMinimized) {
                window.minimized = true;
            } else if (message.wParam == platform::kSizeRestored && window.minimized) {
                if (View* current = window.currentView()) {
                    current->activate();
                }
                window.minimized = false;
            }
            break;
        case MessageType::ShowWindow:
        case MessageType::Paint:
            break;
        case MessageType::Close:
            // Alt+F4 asks the current view first. A close the program posted itself is its
            // answer, and ends the program even while F4 is still held.
            if (message.wParam == platform::kCloseFromSystem &&
                platform::isKeyHeld(platform::HeldKey::F4)) {
                window.requestClose();
            } else {
                window.platformWindow().hide();
                platform::postQuitMessage(0);
            }
            break;
        case MessageType::KeyDown:
            if (top != nullptr) {
                top->onKeyDown(static_cast<int>(message.wParam));
            }
            break;
        case MessageType::Char:
            if (top != nullptr) {
                top->onChar(static_cast<int>(message.wParam),
                            static_cast<int>(message.lParam & 0xffff));
            }
            break;
        case MessageType::Timer:
            if (message.wParam == platform::FrameTimer::kTimerId) {
                frameStep();
            }
            break;
        case MessageType::MouseMove:
            if (top != nullptr) {
                top->onMouseMove(x, y, message.wParam);
            }
            break;
        case MessageType::LButtonDown:
            if (top != nullptr) {
                top->onLButtonDown(x, y, message.wParam);
            }
            break;
        case MessageType::LButtonUp:
            if (top != nullptr) {
                top->onLButtonUp(x, y, message.wParam);
            }
            break;
        case MessageType::PadButtonDown:
            if (top != nullptr) {
                navigate(*top, static_cast<int>(message.wParam));
            }
            break;
        case MessageType::RButtonUp:
            if (top != nullptr) {
                top->onRButtonUp(x, y, message.wParam);
            }
            break;
    }
}

void App::navigate(View& view, int input) {
    namespace pad = platform::pad;
    if (view.playsGame()) {
        if (input == settings.m_pad_menu) {
            view.onNavigate(Navigation::Back);
        }
        return;
    }
    switch (input) {
        case pad::kDpadUp:
        case pad::kStickUp:
            view.onNavigate(Navigation::Up);
            return;
        case pad::kDpadDown:
        case pad::kStickDown:
            view.onNavigate(Navigation::Down);
            return;
        case pad::kDpadLeft:
        case pad::kStickLeft:
            view.onNavigate(Navigation::Left);
            return;
        case pad::kDpadRight:
        case pad::kStickRight:
            view.onNavigate(Navigation::Right);
            return;
        default:
            break;
    }
    if (input == settings.m_pad_accept || input == settings.m_pad_menu) {
        view.onNavigate(Navigation::Activate);
    } else if (input == settings.m_pad_cancel) {
        view.onNavigate(Navigation::Back);
    }
}

void App::frameStep() {
    inFrame.store(true, std::memory_order_release);
    const auto start = FrameStats::Clock::now();
    platform::driveVirtualPad();
    mainWindow->tick(kFrameMs);
    // A picture already on screen is not drawn again: on a software renderer every frame
    // costs, and a still menu would otherwise cost as much as a game.
    if (drawEveryStep_ || mainWindow->needsDraw()) {
        mainWindow->drawFrame();
        mainWindow->present();
    }
    if (keepFrameStats_) {
        frameStats_.record(start, FrameStats::Clock::now());
    }
    inFrame.store(false, std::memory_order_release);
}

void App::quit() {
    platform::postMessage(
        platform::Message{platform::MessageType::Close, platform::kCloseFromProgram, 0});
}

int runProgram(int argc, char** argv) {
    const CommandLine line =
        parseCommandLine(std::vector<std::string>(argv + std::min(argc, 1), argv + argc));
    if (!line.error.empty()) {
        std::fprintf(stderr, "glint: %s\n%s", line.error.c_str(), usageText().c_str());
        return 2;
    }
    if (line.help) {
        std::fputs(usageText().c_str(), stdout);
        return 0;
    }
    if (line.version) {
        std::printf("%s\n", versionText().c_str());
        return 0;
    }
    std::error_code ec;
    std::string dataDirectory;
    if (!line.dataDirectory.empty()) {
        // Named from where the player stands, before the program moves to its content.
        dataDirectory = std::filesystem::absolute(line.dataDirectory, ec).lexically_normal();
        if (ec) {
            dataDirectory = line.dataDirectory;
        }
        while (dataDirectory.size() > 1 && dataDirectory.back() == '/') {
            dataDirectory.pop_back();
        }
    }
    const FileLocations where =
        locateFiles(platform::executableDirectory(), dataDirectory,
                    [](const char* name) -> const char* { return std::getenv(name); });
    std::string replayFile;
    if (!line.replayFile.empty()) {
        replayFile = std::filesystem::absolute(line.replayFile, ec).string();
        if (ec) {
            replayFile = line.replayFile;
        }
    }
    // Started from a launcher or another directory, the program still finds its content.
    if (!where.contentRoot.empty()) {
        std::filesystem::current_path(where.contentRoot, ec);
    }
    std::string error;
    if (!platform::startVideo(error)) {
        std::fprintf(stderr, "glint: cannot start the display: %s\n", error.c_str());
        return 1;
    }
    if (!platform::startGamepads(error)) {
        // The keyboard still plays.
        std::fprintf(stderr, "glint: no game controllers: %s\n", error.c_str());
    }
    int status = 0;
    {
        App application;
        application.files = UserFiles(where.settingsDirectory, where.gameDirectory);
        application.scaleForRun = line.scale;
        application.startFullScreen = line.fullScreen;
        application.replayFile = replayFile;
        status = application.run();
    }
    platform::stopAll();
    return status;
}

}  // namespace glint
