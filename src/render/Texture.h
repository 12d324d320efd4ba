// Pictures as OpenGL textures: the base every texture kind shares, and the switch that says
// whether a GL context exists to upload into.
#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace glint {

class Texture {
public:
    Texture() = default;
    virtual ~Texture() = default;
    Texture(const Texture&) = delete;
    Texture& operator=(const Texture&) = delete;

    // A colour JPEG with a greyscale JPEG for alpha; only JPEG textures load pairs.
    virtual bool loadPairFromFiles(const std::string& colourPath, const std::string& alphaPath,
                                   bool mipmap);
    virtual bool loadPairFromMemory(std::span<const std::uint8_t> colour,
                                    std::span<const std::uint8_t> alpha, bool mipmap);
    virtual bool loadFromFile(const std::string& path, bool repeat, bool mipmap) = 0;
    // On success the picture replaces the previous one; on failure the previous one stays.
    virtual bool loadFromMemory(std::span<const std::uint8_t> bytes, bool repeat, bool mipmap) = 0;
    // Deletes the GL texture, if any; the object stays and can load again.
    virtual void release() = 0;

    // The GL texture name, 0 for none (always 0 while uploads are off).
    std::uint32_t name = 0;
    // The picture's size in pixels, kept whether or not it was uploaded.
    int width = 0;
    int height = 0;

    // Without a GL context (a headless run) pictures are decoded for their sizes only.
    static void setUploadEnabled(bool enabled);
    static bool uploadEnabled();

    // A picture mipmapped with the nearest level chosen samples only its full-size level while
    // this is set: what it samples anyway while drawn at its own size or larger, only without
    // the level choice per pixel that a software renderer pays for. Applies to the texture
    // bound now; harmless for any other picture.
    void sampleFullSizeOnly(bool on);

protected:
    // The minifying filter of the last upload (0 before one), and whether sampleFullSizeOnly
    // has put GL_LINEAR in its place.
    std::int32_t minFilter_ = 0;
    bool fullSizeOnly_ = false;

    friend void noteUpload(Texture& texture, std::int32_t minFilter);
};

}  // namespace glint
