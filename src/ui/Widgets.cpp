// The controls of menus and dialogs: buttons, check boxes, radio buttons and their groups, edit
// boxes and key readers, each drawn from a picture of one band per state.
#include "ui/Widgets.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>

#include "app/View.h"
#include "input/KeyNames.h"
#include "input/KeyboardInput.h"
#include "pack/ParamTable.h"
#include "platform/Messages.h"
#include "platform/System.h"
#include "render/Font.h"
#include "render/PictureBand.h"
#include "render/Texture.h"

namespace glint {

namespace {

// What Up and Down step through in a text box, from 'A' on; one step down from 'A' is a space.
constexpr std::string_view kTextCharacters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789 ";
constexpr std::string_view kDigits = "0123456789";

}  // namespace

bool Control::showsFocus() const {
    return focused_ && (owner_ == nullptr || owner_->isTarget());
}

bool Control::hit(int px, int py) const {
    return px >= static_cast<int>(x) && px <= static_cast<int>(x + width) &&
           py >= static_cast<int>(y) && py <= static_cast<int>(y + height);
}

std::uint64_t Control::look() const {
    auto bits = [](float v) {
        std::uint32_t b = 0;
        std::memcpy(&b, &v, sizeof b);
        return static_cast<std::uint64_t>(b);
    };
    return mix(mix(mix(mix(static_cast<std::uint64_t>(state), bits(x)), bits(y)), bits(z)),
               focused_);
}

std::uint64_t EditBox::look() const {
    std::uint64_t look = mix(Control::look(), enabled);
    look = mix(look, caretShown);
    look = mix(look, static_cast<std::uint64_t>(caretPos));
    return mix(look, std::hash<std::string>{}(text_));
}

void Control::drawPicture() {
    if (texture_ == nullptr) {
        return;
    }
    width = static_cast<float>(texture_->width);
    height = static_cast<float>(texture_->height) / static_cast<float>(bands_);
    drawPictureBand(*texture_, shownState(), bands_, x, y, width, height, z);
}

bool Button::onMouseMove(int px, int py, std::uint64_t) {
    if (visible && hit(px, py)) {
        state = 2;
        return true;
    }
    state = 1;
    return false;
}

bool Button::onLButtonDown(int px, int py, std::uint64_t) {
    if (!visible || !hit(px, py)) {
        return false;
    }
    state = 3;
    // Commands fire on the press.
    if (owner_ != nullptr) {
        owner_->onCommand(this);
    }
    return true;
}

bool Button::onLButtonUp(int, int, std::uint64_t) {
    if (visible && state == 3) {
        state = 2;
        return true;
    }
    return false;
}

void Button::trigger() {
    if (visible && owner_ != nullptr) {
        owner_->onCommand(this);
    }
}

void Button::draw() {
    if (visible) {
        drawPicture();
    }
}

CheckBox::CheckBox(View* owner, const Texture* texture) : Control(owner, texture, 4, 50.0f, 50.0f) {
    setPosition(200.0f, 40.0f);
}

bool CheckBox::onMouseMove(int px, int py, std::uint64_t) {
    if (hit(px, py)) {
        state = state == 1 ? 2 : state == 3 ? 4 : state;
        return true;
    }
    state = state == 2 ? 1 : state == 4 ? 3 : state;
    return false;
}

bool CheckBox::onLButtonDown(int px, int py, std::uint64_t) {
    return hit(px, py);
}

bool CheckBox::onLButtonUp(int, int, std::uint64_t) {
    // The hovered state says the pointer is on the box: no new hit test.
    if (state != 2 && state != 4) {
        return false;
    }
    state = state == 2 ? 4 : 2;
    if (owner_ != nullptr) {
        owner_->onCommand(this);
    }
    return true;
}

void CheckBox::trigger() {
    state = state <= 2 ? state + 2 : state - 2;
    if (owner_ != nullptr) {
        owner_->onCommand(this);
    }
}

bool RadioButton::onMouseMove(int px, int py, std::uint64_t flags) {
    return visible && CheckBox::onMouseMove(px, py, flags);
}

bool RadioButton::onLButtonDown(int px, int py, std::uint64_t flags) {
    return visible && CheckBox::onLButtonDown(px, py, flags);
}

bool RadioButton::onLButtonUp(int, int, std::uint64_t) {
    if (!visible || state != 2) {
        return false;  // a radio that is on stays on
    }
    state = 4;
    if (owner_ != nullptr) {
        owner_->onCommand(this);
    }
    return true;
}

void RadioButton::trigger() {
    if (!visible || state >= 3) {
        return;  // a radio that is on stays on
    }
    state += 2;
    if (owner_ != nullptr) {
        owner_->onCommand(this);
    }
}

void RadioButton::draw() {
    if (visible) {
        drawPicture();
    }
}

void RadioGroup::select(RadioButton* chosen) {
    for (RadioButton* radio : members_) {
        if (radio != chosen) {
            radio->setChecked(false);
        }
    }
}

int RadioGroup::indexOfChecked() const {
    for (std::size_t i = 0; i < members_.size(); ++i) {
        if (members_[i]->state > 2) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

EditBox::EditBox(View* owner, const Font* font, float textSize, const Texture* texture)
    : Control(owner, texture, 2, 130.0f, 60.0f), textSize(textSize), font_(font) {}

bool EditBox::onMouseMove(int px, int py, std::uint64_t) {
    return enabled && hit(px, py);
}

bool EditBox::onLButtonDown(int px, int py, std::uint64_t) {
    if (!enabled) {
        return false;
    }
    // A click elsewhere takes the focus away.
    state = hit(px, py) ? 2 : 1;
    return state == 2;
}

bool EditBox::onLButtonUp(int px, int py, std::uint64_t flags) {
    return onLButtonDown(px, py, flags);
}

void EditBox::onChar(int c, int) {
    if (!enabled || state != 2 || c < 32 || c > 126) {
        return;
    }
    if (numericOnly) {
        if (c < '0' || c > '9') {
            return;
        }
        if (rangeCheck) {
            const int candidate = ParamTable::toInt(text_ + static_cast<char>(c));
            if (candidate < minimum || candidate > maximum) {
                return;
            }
        }
    }
    insert(std::string(1, static_cast<char>(c)));
}

void EditBox::insert(const std::string& value) {
    const std::size_t caret =
        std::min(static_cast<std::size_t>(std::max(caretPos, 0)), text_.size());
    text_ = text_.substr(0, caret) + value + text_.substr(caret);
    if (text_.size() > kCapacity) {
        text_.resize(kCapacity);
    }
    caretPos = static_cast<int>(caret + value.size());
    const std::size_t limit = static_cast<std::size_t>(std::max(maxLength, 0));
    if (text_.size() > limit) {
        text_.resize(limit);
    }
    caretPos = std::min(caretPos, maxLength);
}

void EditBox::paste(const std::string& clipboard) {
    std::string cleaned = clipboard.substr(0, kMaxPaste);
    for (char& c : cleaned) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 32 || u >= 127) {
            c = ' ';
        }
    }
    insert(cleaned);
}

void EditBox::setText(const std::string& value) {
    text_ = value.substr(0, static_cast<std::size_t>(std::max(maxLength, 0)));
    caretPos = static_cast<int>(text_.size());
}

void EditBox::onKeyDown(int key) {
    if (!enabled || state != 2) {
        return;
    }
    namespace vk = platform::vk;
    const int length = static_cast<int>(text_.size());
    switch (key) {
        case vk::kBack:
            if (caretPos > 0) {
                --caretPos;
                text_.erase(static_cast<std::size_t>(caretPos), 1);
            }
            break;
        case vk::kDelete:
            if (caretPos < length) {
                text_.erase(static_cast<std::size_t>(caretPos), 1);
            }
            break;
        case vk::kHome:
            caretPos = 0;
            break;
        case vk::kEnd:
            caretPos = length;
            break;
        case vk::kLeft:
            if (caretPos >= 1) {
                --caretPos;
            }
            break;
        case vk::kRight:
            if (caretPos < length) {
                ++caretPos;
            }
            break;
        case 'V':
            if (platform::isKeyHeld(platform::HeldKey::Control)) {
                paste(platform::clipboardText(kMaxPaste));
            }
            break;
        case vk::kInsert:
            if (platform::isKeyHeld(platform::HeldKey::Shift)) {
                paste(platform::clipboardText(kMaxPaste));
            }
            break;
        default:
            return;
    }
    caretShown = true;
}

void EditBox::setFocused(bool value) {
    state = value ? 2 : 1;
    if (value) {
        caretShown = true;
        blinkAccumulator = 0;
    }
}

bool EditBox::accepts(const std::string& candidate) const {
    if (numericOnly && rangeCheck) {
        const int value = ParamTable::toInt(candidate);
        return value >= minimum && value <= maximum;
    }
    return true;
}

bool EditBox::cycleCharacter(std::size_t index, int step) {
    const std::string_view order = numericOnly ? kDigits : kTextCharacters;
    const int count = static_cast<int>(order.size());
    const bool adding = index >= text_.size();
    if (adding && text_.size() >= static_cast<std::size_t>(std::max(maxLength, 0))) {
        return false;
    }
    // A new character, or one the order does not hold, starts at the first of the order.
    int from = -1;
    if (!adding) {
        const std::size_t found = order.find(text_[index]);
        from = found == std::string_view::npos ? -1 : static_cast<int>(found);
    }
    if (adding || from < 0) {
        step = 1;
    }
    for (int tried = 1; tried <= count; ++tried) {
        const int at = ((from + step * tried) % count + count) % count;
        std::string candidate = text_;
        if (adding) {
            candidate += order[static_cast<std::size_t>(at)];
        } else {
            candidate[index] = order[static_cast<std::size_t>(at)];
        }
        if (accepts(candidate)) {
            text_ = candidate;
            return true;
        }
    }
    return false;
}

bool EditBox::onNavigate(Navigation navigation) {
    if (!enabled) {
        return false;
    }
    const std::size_t length = text_.size();
    caretPos = std::clamp(caretPos, 0, static_cast<int>(length));
    const std::size_t caret = static_cast<std::size_t>(caretPos);
    switch (navigation) {
        case Navigation::Up:
            cycleCharacter(caret, 1);
            break;
        case Navigation::Down:
            cycleCharacter(caret, -1);
            break;
        case Navigation::Right:
            if (caret < length) {
                ++caretPos;
            } else {
                cycleCharacter(caret, 1);  // appended under the caret
            }
            break;
        case Navigation::Left:
            if (caretPos > 0) {
                --caretPos;
            }
            break;
        default:
            return false;
    }
    caretShown = true;
    blinkAccumulator = 0;
    return true;
}

void EditBox::update(int ms) {
    blinkAccumulator += ms;
    if (blinkAccumulator > blinkPeriod) {
        caretShown = !caretShown;
        blinkAccumulator = 0;
    }
}

void EditBox::draw() {
    if (!enabled) {
        return;
    }
    if (texture_ != nullptr) {
        drawPicture();
    }
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, 0.5f);
    const float* colour = textColour;
    if (caretShown && state == 2 && font_ != nullptr) {
        const float left =
            x + textOffset +
            font_->textWidth(text_.substr(0, static_cast<std::size_t>(caretPos)), textSize);
        glDisable(GL_TEXTURE_2D);
        glColor4f(colour[0], colour[1], colour[2], colour[3]);
        glBegin(GL_QUADS);
        glVertex3f(left, y + 10.0f, 20.0f);
        glVertex3f(left + 3.0f, y + 10.0f, 20.0f);
        glVertex3f(left + 3.0f, y + height - 10.0f, 20.0f);
        glVertex3f(left, y + height - 10.0f, 20.0f);
        glEnd();
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    if (font_ != nullptr) {
        font_->drawText(text_, textSize, x + textOffset, y + height - (height - textSize) / 2,
                        20.0f, colour[0], colour[1], colour[2], colour[3]);
    }
    glPopMatrix();
}

KeyReader::KeyReader(View* owner, const Font* font, float textSize, const Texture* texture,
                     KeyboardInput& keyboard)
    : Control(owner, texture, 2, 130.0f, 60.0f),
      textSize(textSize),
      font_(font),
      keyboard_(keyboard) {}

void KeyReader::setFocused(bool value) {
    focused_ = value;
    if (!value) {
        state = 1;
    }
}

void KeyReader::setKeyCode(int code) {
    keyCode_ = code;
    name_ = glint::keyName(code);
}

bool KeyReader::onLButtonDown(int px, int py, std::uint64_t) {
    state = hit(px, py) ? 2 : 1;
    return state == 2;
}

void KeyReader::onKeyDown(int) {
    if (state == 2) {
        keyboard_.poll();
        // With no key held (or no keyboard to read) the old key stays.
        if (const int code = keyboard_.firstKeyDown(); code >= 0) {
            setKeyCode(code);
        }
    }
    state = 1;
}

void KeyReader::draw() {
    drawPicture();
    if (showsFocus()) {
        // The picture has no hovered band: a yellow frame around it, as the texts are yellow.
        constexpr float kGap = 2.0f;
        constexpr float kThickness = 3.0f;
        const float left = x - kGap - kThickness;
        const float top = y - kGap - kThickness;
        const float right = x + width + kGap + kThickness;
        const float bottom = y + height + kGap + kThickness;
        const float depth = z + 20.0f;
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, 0.5f);
        glDisable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 0.0f, 1.0f);
        glBegin(GL_QUADS);
        auto bar = [depth](float l, float t, float r, float b) {
            glVertex3f(l, t, depth);
            glVertex3f(r, t, depth);
            glVertex3f(r, b, depth);
            glVertex3f(l, b, depth);
        };
        bar(left, top, right, top + kThickness);
        bar(left, bottom - kThickness, right, bottom);
        bar(left, top, left + kThickness, bottom);
        bar(right - kThickness, top, right, bottom);
        glEnd();
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        glPopMatrix();
    }
    if (font_ != nullptr) {
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, 0.5f);
        font_->drawText(name_, textSize, x + textOffset, y + height - (height - textSize) / 2,
                        20.0f, 0.0f, 0.0f, 0.0f, 1.0f);
        glPopMatrix();
    }
}

}  // namespace glint
