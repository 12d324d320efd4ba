// The end of a game: the final score and, when it makes the level set's Top 7, the player's
// name for the table.
#pragma once

#include <string>

#include "app/Dialog.h"
#include "ui/Widgets.h"

namespace glint {

class App;
class HighScoreTable;

class GameOverDialog : public Dialog {
public:
    static constexpr const char* kAnonymous = "Anonymous";
    static constexpr int kMaxNameLength = 15;

    // A game of the level set (0 or 1; anything else counts as 0) ended with the score. The
    // name box is usable only when the score qualifies for that set's table. The dialog covers
    // the whole logical screen: it takes the reference size from the App, turns its full-screen
    // dimmer on and its panel background off itself; the owner only opens it. A usable name box
    // opens focused, so the player types at once.
    GameOverDialog(MainWindow& window, App& app, int score, int levelSet);

    void draw() override;
    // Escape and Enter both close as the close button does (result 0, the score entered);
    // every key then goes on to the name box.
    void onKeyDown(int key) override;
    void onCommand(Widget* widget) override;

    int score() const { return score_; }
    // Whether the score qualifies, and so whether the player may type a name.
    bool nameEntry() const { return nameEntry_; }
    // The name the score was entered under, empty until the dialog has closed.
    const std::string& name() const { return name_; }
    Button& closeButton() { return close_; }
    EditBox& nameBox() { return nameBox_; }

private:
    // Enters the score (once, whatever number of close requests arrive) and closes with result 0.
    void close();

    App& app_;
    int score_;
    HighScoreTable& table_;
    bool nameEntry_;
    bool closed_ = false;
    std::string name_;
    Button close_;
    EditBox nameBox_;
};

}  // namespace glint
