// The choice of a single level to play: a chosen level of a level set, or a random one.
#pragma once

#include "app/Dialog.h"
#include "ui/Widgets.h"

namespace glint {

class App;

class CustomGameDialog : public Dialog {
public:
    CustomGameDialog(MainWindow& window, App& app);
    void draw() override;
    void onCommand(Widget* widget) override;

    EditBox& levelBox() { return level_; }
    RadioButton& customRadio() { return custom_; }
    RadioButton& randomRadio() { return random_; }
    RadioButton& set1Radio() { return set1_; }
    RadioButton& set2Radio() { return set2_; }
    Button& okButton() { return ok_; }
    Button& cancelButton() { return cancel_; }

private:
    // The set choice and the level box only matter for a chosen level.
    void showChoices(bool chosenLevel);

    App& app_;
    Button ok_;
    Button cancel_;
    EditBox level_;
    RadioButton custom_;
    RadioButton random_;
    RadioButton set1_;
    RadioButton set2_;
    RadioGroup type_;
    RadioGroup set_;
};

}  // namespace glint
