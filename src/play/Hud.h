// The status line at the bottom of the playfield: score, lives and level.
#pragma once

#include <string>

namespace glint {

class Font;

class Hud {
public:
    void setScore(int n) { score_ = n; }
    // Lost lives never show below zero.
    void setLives(int n) { lives_ = n < 0 ? 0 : n; }
    void setLevel(int n) { level_ = n; }
    void tick(int /*ms*/) {}
    void draw(const Font& font) const;

    // The three texts as drawn ("Score: %7d", "Lives: %3d", "Level: %3d").
    std::string scoreText() const;
    std::string livesText() const;
    std::string levelText() const;

    int score() const { return score_; }
    int lives() const { return lives_; }
    int level() const { return level_; }

private:
    int score_ = 0;
    int lives_ = 0;
    int level_ = 0;
};

}  // namespace glint
