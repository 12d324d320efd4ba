// The controls of menus and dialogs: buttons, check boxes, radio buttons and their groups, edit
// boxes and key readers, each drawn from a picture of one band per state.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "ui/Widget.h"

namespace glint {

class Font;
class KeyboardInput;
class Texture;

// What every control shares: its picture, where it stands and how large it is, its state.
class Control : public Widget {
public:
    Control(View* owner, const Texture* texture, int bands, float width, float height)
        : Widget(owner), width(width), height(height), texture_(texture), bands_(bands) {}

    // Sets the top-left corner (z becomes 0).
    void setPosition(float left, float top) {
        x = left;
        y = top;
        z = 0.0f;
    }
    // Inclusive on all four edges, after truncating the rectangle to whole units.
    bool hit(int px, int py) const;
    std::uint64_t look() const override;
    void setFocused(bool value) override { focused_ = value; }
    bool focused() const override { return focused_; }
    Centre centre() const override { return {x + width / 2.0f, y + height / 2.0f}; }

    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float width;
    float height;
    int state = 1;

protected:
    // The focus is drawn only while the owner receives input, so a menu under a dialog shows
    // no focus of its own.
    bool showsFocus() const;
    // The band drawn: the state, or the hovered band of it while focused.
    virtual int shownState() const { return state; }
    // Draws the band of the shown state; the size follows the picture.
    void drawPicture();

    const Texture* texture_;
    int bands_;
    bool focused_ = false;
};

// Fires its command on the press. States: 1 normal, 2 hovered, 3 pressed.
class Button : public Control {
public:
    Button(View* owner, const Texture* texture) : Control(owner, texture, 3, 130.0f, 60.0f) {}
    bool onMouseMove(int px, int py, std::uint64_t flags) override;
    bool onLButtonDown(int px, int py, std::uint64_t flags) override;
    bool onLButtonUp(int px, int py, std::uint64_t flags) override;
    void reset() override { state = 1; }
    void draw() override;
    std::uint64_t look() const override { return mix(Control::look(), visible); }
    bool canFocus() const override { return visible; }
    // The command, as the press of a click.
    void trigger() override;

    bool visible = true;

protected:
    int shownState() const override { return state == 1 && showsFocus() ? 2 : state; }
};

// Toggles on the release. States: 1 off, 2 off hovered, 3 on, 4 on hovered.
class CheckBox : public Control {
public:
    CheckBox(View* owner, const Texture* texture);
    bool onMouseMove(int px, int py, std::uint64_t flags) override;
    bool onLButtonDown(int px, int py, std::uint64_t flags) override;
    bool onLButtonUp(int px, int py, std::uint64_t flags) override;
    void draw() override { drawPicture(); }
    bool canFocus() const override { return true; }
    // Toggles and fires the command, as a click does.
    void trigger() override;

    bool on() const { return state >= 3; }
    void setOn(bool value) { state = value ? 3 : 1; }

protected:
    int shownState() const override {
        return (state == 1 || state == 3) && showsFocus() ? state + 1 : state;
    }
};

// As a check box, but a click only turns it on; nothing while invisible.
class RadioButton : public CheckBox {
public:
    using CheckBox::CheckBox;
    bool onMouseMove(int px, int py, std::uint64_t flags) override;
    bool onLButtonDown(int px, int py, std::uint64_t flags) override;
    bool onLButtonUp(int px, int py, std::uint64_t flags) override;
    void draw() override;
    virtual void setChecked(bool checked) { state = checked ? 3 : 1; }
    std::uint64_t look() const override { return mix(CheckBox::look(), visible); }
    bool canFocus() const override { return visible; }
    // Turns it on and fires the command, as a click does; one that is on stays on.
    void trigger() override;

    bool visible = true;
};

class RadioGroup {
public:
    void add(RadioButton* radio) { members_.push_back(radio); }
    // Turns every other member off.
    void select(RadioButton* chosen);
    // The first member that is on, or -1.
    int indexOfChecked() const;

private:
    std::vector<RadioButton*> members_;
};

// One line of text, focused by a click, with a blinking caret. States: 1 unfocused, 2 focused.
class EditBox : public Control {
public:
    static constexpr std::size_t kCapacity = 1023;
    // How much clipboard text is looked at, at most.
    static constexpr std::size_t kMaxPaste = 4096;

    EditBox(View* owner, const Font* font, float textSize, const Texture* texture);

    bool onMouseMove(int px, int py, std::uint64_t flags) override;
    bool onLButtonDown(int px, int py, std::uint64_t flags) override;
    bool onLButtonUp(int px, int py, std::uint64_t flags) override;
    void onChar(int character, int repeat) override;
    void onKeyDown(int key) override;
    void update(int ms) override;
    void draw() override;
    std::uint64_t look() const override;
    bool canFocus() const override { return enabled; }
    // The focus is the box's own: focused, it takes typing, with the caret shown at once.
    void setFocused(bool value) override;
    bool focused() const override { return state == 2; }
    bool takesText() const override { return true; }
    // For a controller: Up and Down change the character under the caret, cycling through
    // what the box accepts (A-Z, a-z, 0-9 and space for text; the digits that keep the value
    // in range for a numeric box); with the caret at the end they add the first such character
    // there. Right moves the caret on, and at the end appends that first character; Left moves
    // it back. All four are taken, so the focus leaves a box by Next, Previous or Activate.
    bool onNavigate(Navigation navigation) override;

    // Sets the text (cut to maxLength) with the caret after it.
    void setText(const std::string& value);
    const std::string& text() const { return text_; }
    // Inserts at the caret, keeping at most maxLength characters.
    void insert(const std::string& value);
    // Inserts clipboard text with control bytes, DEL and bytes from 128 up turned to spaces.
    void paste(const std::string& clipboard);

    int maxLength = 10;
    int caretPos = 0;
    bool enabled = true;
    bool numericOnly = false;
    bool rangeCheck = false;
    int minimum = 0;
    int maximum = 0;
    bool caretShown = false;
    int blinkPeriod = 500;
    int blinkAccumulator = 0;
    float textColour[4] = {1.0f, 1.0f, 0.0f, 1.0f};
    float textOffset = 7.0f;
    float textSize;

private:
    // Whether the text would be accepted as typed (digits and range of a numeric box).
    bool accepts(const std::string& text) const;
    // The character at index (replacing it, or added at the end) moved by step through what
    // the box accepts; false when nothing fits.
    bool cycleCharacter(std::size_t index, int step);

    std::string text_;
    const Font* font_;
};

// Shows a key's name; clicked, it waits for a key and takes the lowest one held.
// States: 1 idle, 2 waiting.
class KeyReader : public Control {
public:
    KeyReader(View* owner, const Font* font, float textSize, const Texture* texture,
              KeyboardInput& keyboard);
    bool onMouseMove(int px, int py, std::uint64_t) override { return hit(px, py); }
    bool onLButtonUp(int px, int py, std::uint64_t) override { return hit(px, py); }
    bool onLButtonDown(int px, int py, std::uint64_t flags) override;
    void onKeyDown(int key) override;
    void draw() override;
    std::uint64_t look() const override {
        return mix(Control::look(), static_cast<std::uint64_t>(keyCode_));
    }
    bool canFocus() const override { return true; }
    // Losing the focus stops a wait for a key.
    void setFocused(bool value) override;
    // Starts waiting for a key, as a click does.
    void trigger() override { state = 2; }
    bool takesEveryKey() const override { return state == 2; }

    void setKeyCode(int code);
    int keyCode() const { return keyCode_; }
    const std::string& keyName() const { return name_; }

    float textOffset = 30.0f;
    float textSize;

private:
    const Font* font_;
    KeyboardInput& keyboard_;
    int keyCode_ = 0;
    std::string name_;
};

}  // namespace glint
