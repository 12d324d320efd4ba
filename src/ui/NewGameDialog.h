// "Start New Game?": asked when a new game would replace the one in progress.
#pragma once

#include "app/Dialog.h"
#include "ui/Widgets.h"

namespace glint {

class App;

class NewGameDialog : public Dialog {
public:
    NewGameDialog(MainWindow& window, App& app);
    void draw() override;
    void onCommand(Widget* widget) override;

private:
    App& app_;
    Button ok_;
    Button cancel_;
};

}  // namespace glint
