// The base of every control a view holds: it ignores every event until a control overrides it.
#pragma once

#include <cstdint>

namespace glint {

class View;

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

    View* owner() const { return owner_; }

protected:
    View* owner_;
};

}  // namespace glint
