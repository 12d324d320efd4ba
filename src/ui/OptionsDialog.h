// The options: autosave, sound, the skin with a preview of its tiles, and the six game keys.
#pragma once

#include <array>
#include <vector>

#include "app/Dialog.h"
#include "render/Sprite.h"
#include "ui/Widgets.h"

namespace glint {

class App;

class OptionsDialog : public Dialog {
public:
    OptionsDialog(MainWindow& window, App& app);
    // Nothing here is animated.
    void update(int) override {}
    void draw() override;
    void onCommand(Widget* widget) override;

    CheckBox& autosaveBox() { return autosave_; }
    CheckBox& soundBox() { return sound_; }
    Button& closeButton() { return close_; }
    Button& skinUpButton() { return skinUp_; }
    Button& skinDownButton() { return skinDown_; }
    // Left, right, up, down, fire, die.
    KeyReader& keyReader(int index) { return readers_[static_cast<std::size_t>(index)]; }

private:
    void rebuildPreview();

    App& app_;
    Button close_;
    CheckBox autosave_;
    Button skinUp_;
    Button skinDown_;
    CheckBox sound_;
    std::array<KeyReader, 6> readers_;
    std::vector<Sprite> preview_;
};

}  // namespace glint
