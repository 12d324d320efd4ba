// Animated sprites: one frame of a sheet (a grid of equal frames, rows are animation groups)
// drawn as a rectangle on the logical screen.
#include "render/Sprite.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "pack/DataPack.h"
#include "pack/ParamTable.h"
#include "render/JpegTexture.h"
#include "render/TgaTexture.h"

namespace glint {

Sprite::~Sprite() {
    if (ownedTexture_) {
        ownedTexture_->release();
    }
}

Sprite::Sprite(const Sprite& other)
    : position(other.position),
      groups(other.groups),
      frames(other.frames),
      frameWidth(other.frameWidth),
      frameHeight(other.frameHeight),
      frame(other.frame),
      group(other.group),
      visible(other.visible),
      blended(other.blended),
      flipV(other.flipV),
      reverse(other.reverse),
      elapsed(other.elapsed),
      frameTime(other.frameTime),
      texture_(other.texture_) {}

Sprite& Sprite::operator=(const Sprite& other) {
    if (this == &other) {
        return *this;
    }
    // A sprite that owned its sheet gives it up: after the assignment it shares other's.
    if (ownedTexture_) {
        ownedTexture_->release();
        ownedTexture_.reset();
    }
    position = other.position;
    groups = other.groups;
    frames = other.frames;
    frameWidth = other.frameWidth;
    frameHeight = other.frameHeight;
    frame = other.frame;
    group = other.group;
    visible = other.visible;
    blended = other.blended;
    flipV = other.flipV;
    reverse = other.reverse;
    elapsed = other.elapsed;
    frameTime = other.frameTime;
    texture_ = other.texture_;
    return *this;
}

bool Sprite::load(const DataPack& pack, std::span<const std::uint8_t> spriteFile, bool repeat,
                  bool mipmap) {
    if (ownedTexture_) {
        ownedTexture_->release();
    }
    ParamTable table;
    table.loadFromBuffer(spriteFile, true);
    const std::string fileName = table.get("file_name", "0");
    groups = std::clamp(table.getInt("groups", "1"), 1, kMaxCells);
    frames = std::clamp(table.getInt("frames", "1"), 1, kMaxCells);

    PackData picture = pack.readEntry(fileName);
    const char last = fileName.empty() ? '\0' : fileName.back();
    const bool isTga = last == 'a' || last == 'A';
    // A texture object of the other kind cannot take this picture: start a new one.
    if (ownedTexture_ && (dynamic_cast<TgaTexture*>(ownedTexture_.get()) != nullptr) != isTga) {
        ownedTexture_.reset();
    }
    if (!ownedTexture_) {
        if (isTga) {
            ownedTexture_ = std::make_unique<TgaTexture>();
        } else {
            ownedTexture_ = std::make_unique<JpegTexture>();
        }
    }
    if (isTga) {
        ownedTexture_->loadFromMemory(picture.data, repeat, mipmap);
    } else {
        // A JPEG sheet without an alpha picture is drawn opaque.
        const std::string alphaName = table.get("file_alpha", "");
        if (!alphaName.empty()) {
            PackData alpha = pack.readEntry(alphaName);
            ownedTexture_->loadPairFromMemory(picture.data, alpha.data, mipmap);
        } else {
            ownedTexture_->loadFromMemory(picture.data, repeat, mipmap);
        }
    }
    texture_ = ownedTexture_.get();
    frameWidth =
        static_cast<float>(static_cast<unsigned>(texture_->width) / static_cast<unsigned>(frames));
    frameHeight =
        static_cast<float>(static_cast<unsigned>(texture_->height) / static_cast<unsigned>(groups));
    frame = 0;
    group = 0;
    return true;
}

void Sprite::draw(bool bindTexture) const {
    if (!visible) {
        return;
    }
    glPushMatrix();
    if (bindTexture && texture_ != nullptr) {
        glBindTexture(GL_TEXTURE_2D, texture_->name);
    }
    if (blended) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
        glDisable(GL_ALPHA_TEST);
    }
    glEnable(GL_TEXTURE_2D);
    const float s0 = static_cast<float>(frame) / static_cast<float>(frames);
    const float s1 = static_cast<float>(frame + 1) / static_cast<float>(frames);
    float tTop = static_cast<float>(group) / static_cast<float>(groups);
    float tBottom = static_cast<float>(group + 1) / static_cast<float>(groups);
    if (flipV) {
        std::swap(tTop, tBottom);
    }
    const float halfW = frameWidth / 2.0f;
    const float halfH = frameHeight / 2.0f;
    const Vec3& p = position;
    glBegin(GL_QUADS);
    glTexCoord2f(s0, tTop);
    glVertex3f(p.x - halfW, p.y - halfH, p.z);
    glTexCoord2f(s1, tTop);
    glVertex3f(p.x + halfW, p.y - halfH, p.z);
    glTexCoord2f(s1, tBottom);
    glVertex3f(p.x + halfW, p.y + halfH, p.z);
    glTexCoord2f(s0, tBottom);
    glVertex3f(p.x - halfW, p.y + halfH, p.z);
    glEnd();
    if (blended) {
        glDisable(GL_BLEND);
    }
    glPopMatrix();
}

void Sprite::animate(std::uint32_t ms) {
    const std::uint32_t step = std::max<std::uint32_t>(frameTime, 1);
    const std::uint32_t cycle = step * static_cast<std::uint32_t>(frames);
    if (!reverse) {
        elapsed += ms;
    } else if (elapsed > ms) {
        elapsed -= ms;
    } else {
        elapsed = cycle - ms;
    }
    const std::uint32_t column = elapsed / step;
    if (column >= static_cast<std::uint32_t>(frames)) {
        frame = 0;
        elapsed -= cycle;
    } else {
        frame = static_cast<int>(column);
    }
}

void Sprite::setGroup(int row) {
    group = row >= 0 && row < groups ? row : 0;
}

void Sprite::setFrame(int column) {
    if (column >= 0 && column < frames) {
        frame = column;
        elapsed = static_cast<std::uint32_t>(column) * frameTime;
    } else {
        frame = 0;
        elapsed = 0;
    }
}

}  // namespace glint
