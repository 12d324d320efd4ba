// Uncompressed 24- and 32-bit TGA pictures as textures.
#pragma once

#include "render/Texture.h"

namespace glint {

class TgaTexture : public Texture {
public:
    ~TgaTexture() override;
    bool loadFromFile(const std::string& path, bool repeat, bool mipmap) override;
    bool loadFromMemory(std::span<const std::uint8_t> bytes, bool repeat, bool mipmap) override;
    void release() override;

    int bitsPerPixel = 0;
};

}  // namespace glint
