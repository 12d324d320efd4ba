// The status line at the bottom of the playfield: score, lives and level.
#include "play/Hud.h"

#include <cstdio>

#include "render/Font.h"

namespace glint {

namespace {

std::string format(const char* pattern, int value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

}  // namespace

std::string Hud::scoreText() const {
    return format("Score: %7d", score_);
}
std::string Hud::livesText() const {
    return format("Lives: %3d", lives_);
}
std::string Hud::levelText() const {
    return format("Level: %3d", level_);
}

void Hud::draw(const Font& font) const {
    constexpr float kHeight = 24.0f;
    constexpr float kBaseline = 580.0f;
    constexpr float kDepth = 10.0f;
    font.drawText(scoreText(), kHeight, 50.0f, kBaseline, kDepth, 0.85f, 0.93f, 0.12f, 1.0f);
    font.drawText(livesText(), kHeight, 350.0f, kBaseline, kDepth, 0.80f, 0.93f, 0.17f, 1.0f);
    font.drawText(levelText(), kHeight, 600.0f, kBaseline, kDepth, 0.80f, 0.93f, 0.17f, 1.0f);
}

}  // namespace glint
