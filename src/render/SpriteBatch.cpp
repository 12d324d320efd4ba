// Many sprites of a few sheets drawn together, one vertex-array draw per sheet.
#include "render/SpriteBatch.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
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

namespace {

bool whole(float v) {
    return v == std::floor(v);
}

// The side of the sprite's square frame when it and its edges are whole units, else 0.
int wholeCell(const Sprite& sprite) {
    const float side = sprite.frameWidth;
    if (side != sprite.frameHeight || side < 1.0f || side > 1024.0f || !whole(side) ||
        !whole(sprite.position.x - side / 2.0f) || !whole(sprite.position.y - side / 2.0f)) {
        return 0;
    }
    return static_cast<int>(side);
}

// Whether the current matrices and viewport put one unit on one pixel, upright or upside down,
// and whole units on whole pixels: then a cell copy's texels fall on pixels one for one.
bool unitsOnWholePixels() {
    GLfloat modelview[16];
    GLfloat projection[16];
    GLint viewport[4];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    double m[16];
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            double sum = 0.0;
            for (int k = 0; k < 4; ++k) {
                sum += static_cast<double>(projection[k * 4 + row]) *
                       static_cast<double>(modelview[column * 4 + k]);
            }
            m[column * 4 + row] = sum;
        }
    }
    constexpr double kSlack = 1e-4;
    auto near = [](double a, double b) { return std::abs(a - b) < kSlack; };
    auto onWhole = [&](double v) { return near(v, std::round(v)); };
    const double halfWidth = viewport[2] / 2.0;
    const double halfHeight = viewport[3] / 2.0;
    // No perspective, no turn: x depends on x alone, y on y alone, neither on depth.
    return near(m[3], 0.0) && near(m[7], 0.0) && near(m[11], 0.0) && near(m[15], 1.0) &&
           near(m[4], 0.0) && near(m[8], 0.0) && near(m[1], 0.0) && near(m[9], 0.0) &&
           near(std::abs(m[0] * halfWidth), 1.0) && near(std::abs(m[5] * halfHeight), 1.0) &&
           onWhole(viewport[0] + (m[12] + 1.0) * halfWidth) &&
           onWhole(viewport[1] + (m[13] + 1.0) * halfHeight);
}

}  // namespace

void SpriteBatch::add(const Sprite& sprite) {
    if (!sprite.visible) {
        return;
    }
    auto run = std::find_if(runs_.begin(), runs_.end(), [&](const Run& r) {
        return r.texture == sprite.texture() && r.blended == sprite.blended;
    });
    const int cell = wholeCell(sprite);
    if (run == runs_.end()) {
        run = runs_.insert(runs_.end(), Run{sprite.texture(), sprite.blended, {}, 0, 0, 0});
    }
    if (run->vertices.empty()) {
        run->frames = sprite.frames;
        run->groups = sprite.groups;
        run->cell = cell;
    } else if (run->frames != sprite.frames || run->groups != sprite.groups || run->cell != cell) {
        run->cell = 0;
    }
    appendFrameCorners(sprite, run->vertices);
}

void SpriteBatch::draw(Texture::Sampling sampling) {
    if (empty()) {
        return;
    }
    constexpr GLsizei kStride = 5 * sizeof(float);
    const bool cellPixels = sampling == Texture::Sampling::CellPixels && unitsOnWholePixels();
    bool textureScaled = false;
    glEnable(GL_TEXTURE_2D);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    for (Run& run : runs_) {
        if (run.vertices.empty()) {
            continue;
        }
        const Texture::CellCopy* copy =
            cellPixels && run.texture != nullptr && run.cell > 0
                ? run.texture->cellCopy(run.frames, run.groups, run.cell)
                : nullptr;
        if (copy != nullptr) {
            // The copy holds the same frames at cell pitch: the sheet's coordinates, scaled.
            glBindTexture(GL_TEXTURE_2D, copy->name);
            glMatrixMode(GL_TEXTURE);
            glLoadIdentity();
            glScalef(
                static_cast<float>(copy->frames * copy->cell) / static_cast<float>(copy->width),
                static_cast<float>(copy->groups * copy->cell) / static_cast<float>(copy->height),
                1.0f);
            glMatrixMode(GL_MODELVIEW);
            textureScaled = true;
        } else if (run.texture != nullptr) {
            if (textureScaled) {
                glMatrixMode(GL_TEXTURE);
                glLoadIdentity();
                glMatrixMode(GL_MODELVIEW);
                textureScaled = false;
            }
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
    if (textureScaled) {
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
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
