// The controls of menus and dialogs: hits, states, commands, and what edit boxes and key
// readers accept.
#include "ui/Widgets.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/MainWindow.h"
#include "app/View.h"
#include "input/KeyboardInput.h"
#include "platform/Messages.h"

namespace glint {
namespace {

// A view that records which widgets fired.
class CommandLog : public View {
public:
    CommandLog() : View(window_) {}
    void onCommand(Widget* widget) override { fired.push_back(widget); }
    std::vector<Widget*> fired;

private:
    static MainWindow window_;
};
MainWindow CommandLog::window_{nullptr};

TEST(Widgets, ARectangleIsHitOnAllFourEdges) {
    CommandLog view;
    Button button(&view, nullptr);
    button.setPosition(10.5f, 20.0f);  // 130 x 60: x 10..140, y 20..80 after truncation
    EXPECT_TRUE(button.hit(10, 20));
    EXPECT_TRUE(button.hit(140, 80));
    EXPECT_FALSE(button.hit(141, 50));
    EXPECT_FALSE(button.hit(50, 81));
    EXPECT_FALSE(button.hit(9, 50));
}

TEST(Widgets, AButtonFiresOnThePressAndShowsItsStates) {
    CommandLog view;
    Button button(&view, nullptr);
    EXPECT_TRUE(button.onMouseMove(5, 5, 0));
    EXPECT_EQ(button.state, 2);
    EXPECT_TRUE(button.onLButtonDown(5, 5, 0));
    EXPECT_EQ(button.state, 3);
    EXPECT_EQ(view.fired, std::vector<Widget*>{&button});
    EXPECT_TRUE(button.onLButtonUp(5, 5, 0));
    EXPECT_EQ(button.state, 2);
    button.visible = false;
    EXPECT_FALSE(button.onLButtonDown(5, 5, 0));
    EXPECT_EQ(view.fired.size(), 1u);
}

TEST(Widgets, ACheckBoxTogglesOnTheReleaseOncePerClick) {
    CommandLog view;
    CheckBox box(&view, nullptr);  // at (200, 40), 50 x 50
    box.onMouseMove(210, 50, 0);
    box.onLButtonDown(210, 50, 0);
    EXPECT_TRUE(box.onLButtonUp(210, 50, 0));
    EXPECT_TRUE(box.on());
    EXPECT_EQ(view.fired.size(), 1u);
    // Moving off before the release leaves it as it is.
    box.onLButtonDown(210, 50, 0);
    box.onMouseMove(0, 0, 0);
    EXPECT_FALSE(box.onLButtonUp(0, 0, 0));
    EXPECT_TRUE(box.on());
    EXPECT_EQ(view.fired.size(), 1u);
}

TEST(Widgets, ARadioButtonThatIsOnStaysOnAndTheGroupKeepsOneOn) {
    CommandLog view;
    RadioButton a(&view, nullptr);
    RadioButton b(&view, nullptr);
    b.setPosition(300.0f, 40.0f);
    RadioGroup group;
    group.add(&a);
    group.add(&b);
    a.setChecked(true);
    group.select(&a);
    a.onMouseMove(210, 50, 0);
    EXPECT_FALSE(a.onLButtonUp(210, 50, 0));
    EXPECT_TRUE(a.on());
    b.onMouseMove(310, 50, 0);
    EXPECT_TRUE(b.onLButtonUp(310, 50, 0));
    group.select(&b);
    EXPECT_FALSE(a.on());
    EXPECT_EQ(group.indexOfChecked(), 1);
    b.visible = false;
    EXPECT_FALSE(b.onMouseMove(310, 50, 0));
}

// A box at the origin, focused by a click.
void focus(EditBox& box) {
    box.onLButtonDown(5, 5, 0);
}

TEST(Widgets, ANumericBoxKeepsItsValueInRange) {
    CommandLog view;
    EditBox box(&view, nullptr, 25.0f, nullptr);
    focus(box);
    box.numericOnly = true;
    box.rangeCheck = true;
    box.minimum = 1;
    box.maximum = 75;
    box.setText("7");
    box.onChar('5', 1);
    EXPECT_EQ(box.text(), "75");
    box.setText("7");
    box.onChar('6', 1);
    EXPECT_EQ(box.text(), "7");
    box.onChar('x', 1);
    EXPECT_EQ(box.text(), "7");
    box.setText("0");
    box.onChar('5', 1);
    EXPECT_EQ(box.text(), "05");
}

TEST(Widgets, TypingNeedsFocusAndStopsAtTheLength) {
    CommandLog view;
    EditBox box(&view, nullptr, 25.0f, nullptr);
    box.onChar('a', 1);
    EXPECT_EQ(box.text(), "");
    box.onLButtonDown(5, 5, 0);
    for (char c : std::string("abcdefghijkl")) {
        box.onChar(c, 1);
    }
    EXPECT_EQ(box.text(), "abcdefghij");
    EXPECT_EQ(box.caretPos, 10);
    box.onChar(10, 1);
    box.onChar(200, 1);
    EXPECT_EQ(box.text(), "abcdefghij");
    // A click elsewhere takes the focus away.
    box.onLButtonDown(500, 500, 0);
    box.onKeyDown(platform::vk::kBack);
    EXPECT_EQ(box.text(), "abcdefghij");
}

TEST(Widgets, EditingKeysMoveTheCaretAndRemoveCharacters) {
    CommandLog view;
    EditBox box(&view, nullptr, 25.0f, nullptr);
    focus(box);
    box.setText("abcd");
    box.onKeyDown(platform::vk::kLeft);
    box.onKeyDown(platform::vk::kBack);
    EXPECT_EQ(box.text(), "abd");
    EXPECT_EQ(box.caretPos, 2);
    box.onKeyDown(platform::vk::kHome);
    box.onKeyDown(platform::vk::kDelete);
    EXPECT_EQ(box.text(), "bd");
    box.onKeyDown(platform::vk::kBack);  // nothing left of the caret
    EXPECT_EQ(box.text(), "bd");
    box.onChar('X', 1);
    EXPECT_EQ(box.text(), "Xbd");
    box.onKeyDown(platform::vk::kEnd);
    EXPECT_EQ(box.caretPos, 3);
    EXPECT_TRUE(box.caretShown);
}

TEST(Widgets, AControllerChangesTheCharacterUnderTheCaretAndMovesItOn) {
    CommandLog view;
    using N = Navigation;
    struct Case {
        const char* text;
        int caret;
        bool numeric;  // a level number, 1 to 75, two digits at most
        std::vector<N> moves;
        const char* expected;
        int expectedCaret;
    };
    const Case cases[] = {
        {"", 0, false, {N::Up, N::Up}, "B", 0},
        {"", 0, false, {N::Down}, "A", 0},  // a new character starts at 'A' either way
        {"A", 0, false, {N::Down}, " ", 0},
        {" ", 0, false, {N::Down}, "9", 0},
        {"z", 0, false, {N::Up}, "0", 0},
        {"9", 0, false, {N::Up, N::Up}, "A", 0},  // round through the space
        {"!", 0, false, {N::Down}, "A", 0},       // not in the cycle: back to its start
        {"Bo", 0, false, {N::Right, N::Right, N::Up}, "BoA", 2},
        {"Bo", 1, false, {N::Right, N::Right}, "BoA", 2},  // appended at the end
        {"Bo", 1, false, {N::Left, N::Left, N::Up}, "Co", 0},
        {"ABCDEFGHIJ", 10, false, {N::Right, N::Up}, "ABCDEFGHIJ", 10},  // full
        {"", 0, true, {N::Up}, "1", 0},                                  // "0" is out of range
        {"7", 1, true, {N::Up}, "70", 1},
        {"75", 1, true, {N::Up}, "70", 1},  // 76 to 79 are out of range
        {"75", 0, true, {N::Up}, "05", 0},  // 85 and 95 are
        {"1", 0, true, {N::Down}, "9", 0},
    };
    for (const Case& c : cases) {
        EditBox box(&view, nullptr, 25.0f, nullptr);
        box.numericOnly = box.rangeCheck = c.numeric;
        box.minimum = 1;
        box.maximum = 75;
        box.setText(c.text);
        box.caretPos = c.caret;
        box.setFocused(true);
        for (N move : c.moves) {
            EXPECT_TRUE(box.onNavigate(move));
        }
        EXPECT_EQ(box.text(), c.expected) << "from '" << c.text << "' caret " << c.caret;
        EXPECT_EQ(box.caretPos, c.expectedCaret) << "from '" << c.text << "'";
    }
}

TEST(Widgets, PastedTextIsCleanedAndCut) {
    CommandLog view;
    EditBox box(&view, nullptr, 25.0f, nullptr);
    focus(box);
    box.paste("a\tb");
    EXPECT_EQ(box.text(), "a b");
    box.setText("");
    box.paste("0123456789ABCDE");
    EXPECT_EQ(box.text(), "0123456789");
    EXPECT_EQ(box.caretPos, 10);
    box.maxLength = 100;
    box.setText("");
    box.paste(std::string("x\x7f\xe9\x01y", 5));
    EXPECT_EQ(box.text(), "x   y");
    box.maxLength = 5000;
    box.setText("");
    box.paste(std::string(100000, 'z'));  // never beyond the box's capacity
    EXPECT_EQ(box.text().size(), EditBox::kCapacity);
}

// A keyboard state we set by hand.
class FixedKeys : public platform::KeyStateSource {
public:
    bool readState(platform::KeyState& state) override {
        state = keys;
        return readable;
    }
    platform::KeyState keys{};
    bool readable = true;
};

TEST(Widgets, AKeyReaderTakesTheLowestKeyHeldOrKeepsItsKey) {
    CommandLog view;
    KeyboardInput keyboard;
    FixedKeys keys;
    keyboard.attach(keys);
    KeyReader reader(&view, nullptr, 25.0f, nullptr, keyboard);
    reader.setKeyCode(203);
    EXPECT_EQ(reader.keyName(), "LEFT ARROW");
    reader.onKeyDown('A');  // not waiting: nothing changes
    EXPECT_EQ(reader.keyCode(), 203);
    reader.onLButtonDown(5, 5, 0);
    EXPECT_EQ(reader.state, 2);
    reader.onKeyDown('A');  // waiting, but nothing is held
    EXPECT_EQ(reader.keyCode(), 203);
    EXPECT_EQ(reader.state, 1);
    keys.keys[44] = keys.keys[30] = platform::kKeyPressed;
    reader.onLButtonDown(5, 5, 0);
    reader.onKeyDown('Z');
    EXPECT_EQ(reader.keyCode(), 30);
    EXPECT_EQ(reader.keyName(), "A");
    keys.readable = false;
    reader.onLButtonDown(5, 5, 0);
    reader.onKeyDown('Z');
    EXPECT_EQ(reader.keyCode(), 30);
}

}  // namespace
}  // namespace glint
