// The base of every control a view holds: it ignores every event until a control overrides it.
#pragma once

#include <cstdint>

#include "app/View.h"

namespace glint {

class Widget {
public:
    explicit Widget(View* owner = nullptr) : owner_(owner) {}
    virtual ~Widget() = default;
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    // The three bool operations answer whether the widget claimed the event.
    virtual bool onMouseMove(int /*x*/, int /*y*/, std::uint64_t /*flags*/) { return false; }
    virtual bool onLButtonUp(int /*x*/, int /*y*/, std::uint64_t /*flags*/) { return false; }
    virtual void onRButtonUp(int /*x*/, int /*y*/, std::uint64_t /*flags*/) {}
    virtual bool onLButtonDown(int /*x*/, int /*y*/, std::uint64_t /*flags*/) { return false; }
    virtual void onKeyDown(int /*key*/) {}
    virtual void onChar(int /*character*/, int /*repeat*/) {}
    virtual void update(int /*ms*/) {}
    virtual void draw() {}
    virtual void reset() {}

    // The keyboard and controller focus (View::onNavigate). Only widgets that can take it now
    // (shown and enabled) are focused; a focused widget shows it in its picture.
    virtual bool canFocus() const { return false; }
    virtual void setFocused(bool /*focused*/) {}
    virtual bool focused() const { return false; }
    // Does what a click on the widget does.
    virtual void trigger() {}
    // A text box: Space types into it rather than activating it.
    virtual bool takesText() const { return false; }
    // Waiting for any key, Tab and Space included (a key reader).
    virtual bool takesEveryKey() const { return false; }
    // A focused widget may take a move of the focus for itself (true: taken).
    virtual bool onNavigate(Navigation /*navigation*/) { return false; }
    // Where the widget stands, for moves of the focus by direction.
    struct Centre {
        float x = 0.0f;
        float y = 0.0f;
    };
    virtual Centre centre() const { return {}; }

    // A summary of everything that decides the widget's picture (state, place, text, caret):
    // when it differs from the one noted at the last draw, the picture on screen is stale.
    virtual std::uint64_t look() const { return 0; }
    void noteDrawn() { drawnLook_ = look(); }
    bool changedSinceDrawn() const { return look() != drawnLook_; }

    View* owner() const { return owner_; }

protected:
    // Folds a value into a look.
    static std::uint64_t mix(std::uint64_t look, std::uint64_t value) {
        return (look ^ value) * 0x100000001b3ull + 0x9e3779b97f4a7c15ull;
    }

    View* owner_;

private:
    std::uint64_t drawnLook_ = ~0ull;
};

}  // namespace glint
