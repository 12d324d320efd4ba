// The end-of-level, death and game-over overlay: the picture freezes, an optional message stays
// for three seconds, then the screen dissolves into black for three seconds.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glint {

class Font;
class Random;

class LevelTransition {
public:
    static constexpr int kColumns = 160;
    static constexpr int kRows = 120;
    static constexpr int kDissolveMs = 3000;

    LevelTransition();

    // Shows a message for three seconds before the dissolve starts.
    void setMessage(const std::string& text);
    // Advances by ms; the dissolve blackens each covered cell with a chance of one in nine per
    // step (one random draw per cell still uncovered).
    void step(int ms, Random& random);
    void draw(const Font& font) const;

    const std::string& message() const { return message_; }
    bool done() const { return done_; }
    int duration() const { return duration_; }
    // Cells already dissolved into black.
    bool black(int column, int row) const { return !cells_[index(column, row)]; }

private:
    static std::size_t index(int column, int row) {
        return static_cast<std::size_t>(row + kRows * column);
    }

    std::string message_;
    int elapsed_ = 0;
    int duration_ = kDissolveMs;
    std::vector<bool> cells_;
    bool done_ = false;
};

}  // namespace glint
