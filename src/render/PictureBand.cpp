// Widget pictures: a texture divided into equal horizontal bands, one band per widget state.
#include "render/PictureBand.h"

#include <GL/gl.h>

#include "render/Texture.h"

namespace glint {

void drawPictureBand(const Texture& texture, int band, int bands, float x, float y, float width,
                     float height, float z) {
    if (bands <= 0) {
        return;
    }
    // Texture row 0 is the picture's bottom, so band k's top edge is at k / bands.
    const float vTop = static_cast<float>(band) / static_cast<float>(bands);
    const float vBottom = static_cast<float>(band - 1) / static_cast<float>(bands);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glDisable(GL_ALPHA_TEST);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, vTop);
    glVertex3f(x, y, z);
    glTexCoord2f(1.0f, vTop);
    glVertex3f(x + width, y, z);
    glTexCoord2f(1.0f, vBottom);
    glVertex3f(x + width, y + height, z);
    glTexCoord2f(0.0f, vBottom);
    glVertex3f(x, y + height, z);
    glEnd();
    glDisable(GL_BLEND);
}

}  // namespace glint
