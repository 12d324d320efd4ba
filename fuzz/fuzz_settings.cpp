// Any bytes as the settings table, applied as the game applies a settings file it has read:
// the window is then placed on several desktops, the bindings and the skin are used by the
// options dialog and by a game. Bindings stay real keys, the skin one that exists, and a placed
// window has a usable size and lies on a known desktop.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "app/MainWindow.h"
#include "app/WindowPlacement.h"
#include "play/GameFlow.h"
#include "ui/OptionsDialog.h"

using namespace glint;

namespace {

bool isKey(int code) {
    return code >= 1 && code <= 255;
}

void checkPlacement(const App& app, const platform::Rect& desktop) {
    const WindowGeometry g = placeWindow(
        WindowGeometry{app.windowX, app.windowY, app.windowWidth, app.windowHeight}, desktop);
    if (g.width < 320 || g.width > 16384 || g.height < 320 || g.height > 16384) {
        std::abort();
    }
    if (desktop.width() > 0 && desktop.height() > 0 &&
        (static_cast<long long>(g.x) + g.width <= desktop.left || g.x >= desktop.right ||
         static_cast<long long>(g.y) + g.height <= desktop.top || g.y >= desktop.bottom)) {
        std::abort();  // not a pixel of the window on the desktop
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    App& app = fuzz::freshApp();
    app.applySettings(fuzz::tableOf(data, size));

    const GameSettings& s = app.settings;
    if (!isKey(s.m_left_key) || !isKey(s.m_right_key) || !isKey(s.m_up_key) ||
        !isKey(s.m_down_key) || !isKey(s.m_fire_key) || !isKey(s.m_die_key) ||
        (s.m_custom_type_game != 0 && s.m_custom_type_game != 1) ||
        (s.m_custom_kind_game != 0 && s.m_custom_kind_game != 1) || s.m_custom_level_num < 1 ||
        s.m_custom_level_num > 75 || app.catalogue->currentSkin() < 0 ||
        app.catalogue->currentSkin() >= app.catalogue->skinCount()) {
        std::abort();
    }
    for (const platform::Rect& desktop :
         {platform::Rect{0, 0, 1920, 1080}, platform::Rect{1920, 0, 3200, 1024},
          platform::Rect{-1280, -200, 0, 824}, platform::Rect{}}) {
        checkPlacement(app, desktop);
    }

    // The options dialog shows the bindings and the skin, and stores them back on closing.
    MainWindow window(nullptr);
    {
        OptionsDialog options(window, app);
        options.onCommand(&options.skinUpButton());
        options.onCommand(&options.skinDownButton());
        options.onCommand(&options.closeButton());
    }
    // A game in that skin, every bound key held in turn, then drawn again in the next skin.
    GameFlow::Options gameOptions;
    gameOptions.seed = 1;
    gameOptions.enemies = false;
    GameFlow flow(app, gameOptions);
    std::uint8_t keys[64];
    for (std::size_t t = 0; t < sizeof keys; ++t) {
        keys[t] = static_cast<std::uint8_t>(1u << (t % 8));
    }
    fuzz::play(flow, {}, 141);
    fuzz::play(flow, keys, sizeof keys);
    app.catalogue->setCurrentSkin(app.catalogue->currentSkin() + 1);
    flow.grid()->reskin();
    return 0;
}
