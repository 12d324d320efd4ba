// The level-start overlay: black blocks over the playfield, uncovered row by row.
#include "play/LevelReveal.h"

#include <GL/gl.h>

namespace glint {

void LevelReveal::step() {
    int turned = 0;
    for (int r = 0; r < kRows && turned < kBlocksPerStep && !done_; ++r) {
        for (int c = 0; c < kColumns && turned < kBlocksPerStep && !done_; ++c) {
            if (cells_[index(c, r)]) {
                cells_[index(c, r)] = false;
                ++turned;
                done_ = r == kRows - 1 && c == kColumns - 1;
            }
        }
    }
}

void LevelReveal::draw() const {
    glDisable(GL_TEXTURE_2D);
    glPointSize(25.0f);
    glColor3f(0.0f, 0.0f, 0.0f);
    glBegin(GL_POINTS);
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            if (cells_[index(c, r)]) {
                glVertex3f(12.5f + 25.0f * static_cast<float>(c),
                           12.5f + 25.0f * static_cast<float>(r), 5.0f);
            }
        }
    }
    glEnd();
    glPointSize(1.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
}

}  // namespace glint
