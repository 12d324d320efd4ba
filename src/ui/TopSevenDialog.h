// One level set's seven best scores, over the whole screen.
#pragma once

#include <array>
#include <memory>

#include "app/Dialog.h"
#include "ui/Widgets.h"

namespace glint {

class App;
class HighScoreTable;

// An entry of the table whose game can be watched: pointed at, it lights up; pressed, it
// fires its command. States: 1 normal, 2 hovered.
class ScoreRow : public Control {
public:
    ScoreRow(View* owner, int entry) : Control(owner, nullptr, 1, 680.0f, 56.0f), entry(entry) {}
    bool onMouseMove(int px, int py, std::uint64_t flags) override;
    bool onLButtonDown(int px, int py, std::uint64_t flags) override;
    void reset() override { state = 1; }
    void draw() override;
    bool canFocus() const override { return true; }
    void trigger() override;

    const int entry;
};

class TopSevenDialog : public Dialog {
public:
    // The result of a dialog closed to watch the replay of watchedEntry().
    static constexpr int kWatch = 2;

    // Shows table t (0 or 1; anything else counts as 0). The dialog covers the whole logical
    // screen from (0, 0): it takes the reference size from the App itself and reads no
    // placement keys.
    TopSevenDialog(MainWindow& window, App& app, int table);

    void draw() override;
    // The close button gives result 0; Escape and Enter act as in every dialog.
    void onCommand(Widget* widget) override;

    const HighScoreTable& table() const { return table_; }
    Button& closeButton() { return close_; }
    // Which entries have a replay to watch (the rows a click plays), set by the owner.
    void offerReplays(const std::array<bool, 7>& watchable);
    int watchedEntry() const { return watched_; }
    int tableIndex() const { return tableIndex_; }

private:
    App& app_;
    int tableIndex_;
    const HighScoreTable& table_;
    Button close_;
    std::array<std::unique_ptr<ScoreRow>, 7> rows_;
    int watched_ = -1;
};

}  // namespace glint
