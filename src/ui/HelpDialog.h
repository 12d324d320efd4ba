// The help panel: the word-wrapped help text with buttons to scroll it and to close.
#pragma once

#include "app/Dialog.h"
#include "ui/TextBox.h"
#include "ui/Widgets.h"

namespace glint {

class App;

class HelpDialog : public Dialog {
public:
    static constexpr const char* kTextPath = "mui/help.txt";

    // Reads and wraps the help text (none when it is missing) and places the close, up and down
    // buttons from the menu table. The owner places the panel itself ("m_hd_" keys).
    HelpDialog(MainWindow& window, App& app);

    void draw() override;
    // Close: result 0 and the dialog closes. Up and down scroll the text by its step.
    void onCommand(Widget* widget) override;

    TextBox& textBox() { return text_; }
    Button& closeButton() { return close_; }
    Button& upButton() { return up_; }
    Button& downButton() { return down_; }

private:
    App& app_;
    Button close_;
    Button up_;
    Button down_;
    TextBox text_;
};

}  // namespace glint
