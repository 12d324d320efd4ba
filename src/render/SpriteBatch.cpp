// Many sprites of a few sheets drawn together, one vertex-array draw per sheet.
#include "render/SpriteBatch.h"

#include <GL/gl.h>

#include <algorithm>
#include <utility>

namespace glint {

void appendFrameCorners(const Sprite& sprite, std::vector<float>& v) {
    const float s0 = static_cast<float>(sprite.frame) / static_cast<float>(sprite.frames);
    const float s1 = static_cast<float>(sprite.frame + 1) / static_cast<float>(sprite.frames);
    float tTop = static_cast<float>(sprite.group) / static_cast<float>(sprite.groups);
    float tBottom = static_cast<float>(sprite.group + 1) / static_cast<float>(sprite.groups);
    if (sprite.flipV) {
        std::swap(tTop, tBottom);
    }
    const float halfW = sprite.frameWidth / 2.0f;
    const float halfH = sprite.frameHeight / 2.0f;
    const Vec3& p = sprite.position;
    v.insert(v.end(), {p.x - halfW, p.y - halfH, p.z, s0, tTop,     //
                       p.x + halfW, p.y - halfH, p.z, s1, tTop,     //
                       p.x + halfW, p.y + halfH, p.z, s1, tBottom,  //
                       p.x - halfW, p.y + halfH, p.z, s0, tBottom});
}

void SpriteBatch::add(const Sprite& sprite) {
    if (!sprite.visible) {
        return;
    }
    auto run = std::find_if(runs_.begin(), runs_.end(), [&](const Run& r) {
        return r.texture == sprite.texture() && r.blended == sprite.blended;
    });
    if (run == runs_.end()) {
        run = runs_.insert(runs_.end(), Run{sprite.texture(), sprite.blended, {}});
    }
    appendFrameCorners(sprite, run->vertices);
}

void SpriteBatch::draw(Texture::Sampling sampling) {
    if (empty()) {
        return;
    }
    constexpr GLsizei kStride = 5 * sizeof(float);
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    for (Run& run : runs_) {
        if (run.vertices.empty()) {
            continue;
        }
        if (run.texture != nullptr) {
            glBindTexture(GL_TEXTURE_2D, run.texture->name);
            run.texture->setSampling(sampling);
        }
        if (run.blended) {
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glEnable(GL_BLEND);
            glDisable(GL_ALPHA_TEST);
        } else {
            glDisable(GL_BLEND);
        }
        glVertexPointer(3, GL_FLOAT, kStride, run.vertices.data());
        glTexCoordPointer(2, GL_FLOAT, kStride, run.vertices.data() + 3);
        glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(run.vertices.size() / 5));
        run.vertices.clear();  // keeps its storage for the next frame
    }
    glDisable(GL_BLEND);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

bool SpriteBatch::empty() const {
    return std::all_of(runs_.begin(), runs_.end(),
                       [](const Run& run) { return run.vertices.empty(); });
}

}  // namespace glint
