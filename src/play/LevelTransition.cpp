// The end-of-level, death and game-over overlay: the picture freezes, an optional message stays
// for three seconds, then the screen dissolves into black for three seconds.
#include "play/LevelTransition.h"

#include <GL/gl.h>

#include "render/Font.h"
#include "world/Random.h"

namespace glint {

LevelTransition::LevelTransition() : cells_(static_cast<std::size_t>(kColumns * kRows), true) {}

void LevelTransition::setMessage(const std::string& text) {
    message_ = text;
    duration_ += kDissolveMs;
}

void LevelTransition::step(int ms, Random& random) {
    elapsed_ += ms;
    if (elapsed_ > duration_) {
        done_ = true;
    }
    if (message_.empty() || elapsed_ > kDissolveMs) {
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kColumns; ++c) {
                if (cells_[index(c, r)] && random.next() % 9 == 0) {
                    cells_[index(c, r)] = false;
                }
            }
        }
    }
}

void LevelTransition::draw(const Font& font) const {
    if (!message_.empty()) {
        font.drawText(message_, 50.0f, 270.0f, 270.0f, 10.0f, 1.0f, 1.0f, 1.0f, 1.0f);
    }
    glDisable(GL_TEXTURE_2D);
    glPointSize(5.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_POINTS);
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (!cells_[index(c, r)]) {
                glVertex3f(2.5f + 5.0f * static_cast<float>(c), 2.5f + 5.0f * static_cast<float>(r),
                           2.0f);
            }
        }
    }
    glEnd();
    glPointSize(1.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
}

}  // namespace glint
