// JPEG pictures as textures: a colour picture alone, or with a greyscale picture for alpha.
#pragma once

#include "render/Texture.h"

namespace glint {

class JpegTexture : public Texture {
public:
    ~JpegTexture() override;
    bool loadPairFromFiles(const std::string& colourPath, const std::string& alphaPath,
                           bool mipmap) override;
    bool loadPairFromMemory(std::span<const std::uint8_t> colour,
                            std::span<const std::uint8_t> alpha, bool mipmap) override;
    bool loadFromFile(const std::string& path, bool repeat, bool mipmap) override;
    // A single picture must have three components.
    bool loadFromMemory(std::span<const std::uint8_t> bytes, bool repeat, bool mipmap) override;
    void release() override;

    // 3 after a single load, 4 after a pair.
    int components = 0;
};

}  // namespace glint
