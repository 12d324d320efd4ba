// Any bytes as the menu table: the main menu and every dialog are built from it without a
// window (the picture names, positions and sizes it gives), the mouse visits the places it
// names, and each dialog is clicked there, ticked and closed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "FuzzSupport.h"
#include "TestWindow.h"
#include "ui/DialogSupport.h"
#include "ui/GameOverDialog.h"
#include "ui/MainMenuView.h"
#include "ui/NewGameDialog.h"

using namespace glint;

namespace {

// Mouse positions arrive as 16-bit numbers in the window's messages.
int asMousePosition(int value) {
    return std::clamp(value, -32768, 32767);
}

void visit(View& view, const std::vector<platform::Point>& points, bool click) {
    for (const platform::Point& p : points) {
        view.onMouseMove(p.x, p.y, 0);
        if (click) {
            view.onLButtonDown(p.x, p.y, 0);
            view.onLButtonUp(p.x, p.y, 0);
        }
    }
}

// Shows a dialog the menu does not open by itself (it needs a game, or the end of one).
void exercise(TestWindow& window, Dialog& dialog, const std::vector<platform::Point>& points) {
    window.pushDialog(&dialog);
    visit(dialog, points, true);
    window.tick(App::kFrameMs);
    window.closeTop(false);
    window.tick(App::kFrameMs);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    App& app = fuzz::freshApp();
    app.menuTable = fuzz::tableOf(data, size);

    std::vector<platform::Point> points = {{0, 0}, {400, 300}, {799, 599}, {-1, -1}};
    for (const auto& [key, value] : app.menuTable) {
        if (points.size() >= 48) {
            break;
        }
        const int n = asMousePosition(ParamTable::toInt(value));
        points.push_back({n, n});
        points.push_back({asMousePosition(n + 1), asMousePosition(n + 20)});
    }

    TestWindow window;
    {
        MainMenuView menu(window, app);
        window.pushView(&menu);
        visit(menu, points, false);  // a click could leave for full screen or a web page
        for (int button : {MainMenuView::kQuit, MainMenuView::kHelp, MainMenuView::kOptions,
                           MainMenuView::kCustomGame, MainMenuView::kTop7Set1}) {
            menu.onCommand(&menu.button(button));
            if (View* dialog = window.target(); dialog != &menu && dialog != nullptr) {
                visit(*dialog, points, true);
            }
            window.tick(App::kFrameMs);
            if (window.target() != &menu) {
                window.closeTop(false);
                window.tick(App::kFrameMs);
            }
        }
        NewGameDialog newGame(window, app);
        placeDialog(newGame, app, "nd");
        exercise(window, newGame, points);
        GameOverDialog gameOver(window, app, 5000, 0);
        exercise(window, gameOver, points);
        window.removeView(&menu);
    }
    return 0;
}
