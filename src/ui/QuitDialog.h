// The question asked before the program ends: OK to quit, Cancel to stay.
#pragma once

#include "app/Dialog.h"
#include "ui/Widgets.h"

namespace glint {

class App;

class QuitDialog : public Dialog {
public:
    // Places the OK and Cancel buttons from the menu table. The owner places the panel itself
    // ("m_qd_" keys) and ends the program on result 0.
    QuitDialog(MainWindow& window, App& app);

    void draw() override;
    // OK: result 0, Cancel: result 1; either closes the dialog.
    void onCommand(Widget* widget) override;

    Button& okButton() { return ok_; }
    Button& cancelButton() { return cancel_; }

private:
    App& app_;
    Button ok_;
    Button cancel_;
};

}  // namespace glint
