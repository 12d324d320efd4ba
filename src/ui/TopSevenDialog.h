// One level set's seven best scores, over the whole screen.
#pragma once

#include "app/Dialog.h"
#include "ui/Widgets.h"

namespace glint {

class App;
class HighScoreTable;

class TopSevenDialog : public Dialog {
public:
    // Shows table t (0 or 1; anything else counts as 0). The dialog covers the whole logical
    // screen from (0, 0): it takes the reference size from the App itself and reads no
    // placement keys.
    TopSevenDialog(MainWindow& window, App& app, int table);

    void draw() override;
    // The close button gives result 0; Escape and Enter act as in every dialog.
    void onCommand(Widget* widget) override;

    const HighScoreTable& table() const { return table_; }
    Button& closeButton() { return close_; }

private:
    App& app_;
    const HighScoreTable& table_;
    Button close_;
};

}  // namespace glint
