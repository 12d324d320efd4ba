// Pictures as OpenGL textures: the base every texture kind shares, and the switch that says
// whether a GL context exists to upload into.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace glint {

class Texture {
public:
    Texture() = default;
    virtual ~Texture() { dropCellCopies(); }
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

    // How a picture is sampled, for drawings known to show the same pixels either way but
    // cheaper on a software renderer. Applies to the texture bound now.
    enum class Sampling {
        AsLoaded,
        // Drawn no smaller than its own size: a picture mipmapped with the nearest level chosen
        // samples its full-size level then anyway, so it skips the choice per pixel.
        FullSize,
        // As FullSize, and every pixel samples at least half a texel inside the picture: a
        // picture clamped to its border colour then never reaches the border, so clamping to
        // the edge texels instead changes nothing.
        FullSizeInside,
        // As FullSizeInside, and drawn at one pixel a unit with cell edges on whole pixels
        // (SpriteBatch checks both and falls back to FullSizeInside where they do not hold):
        // a cell sheet is then drawn from its cell copy.
        CellPixels,
    };
    void setSampling(Sampling sampling);

    // This sheet (`frames` columns, `groups` bands) with every frame resampled once to `cell` x
    // `cell` pixels, as linear sampling shows it drawn at that size (see resampleCells). Drawn
    // texel for pixel with nearest sampling it shows the same picture, to within a level of
    // rounding, at about two thirds of the cost on a software renderer. Null when the sheet
    // has no GL texture, is not sampled linearly at full size, or cannot be resampled so. Made
    // on first use, kept until the picture changes.
    struct CellCopy {
        std::uint32_t name = 0;
        int width = 0;
        int height = 0;
        int frames = 0;
        int groups = 0;
        int cell = 0;
    };
    const CellCopy* cellCopy(int frames, int groups, int cell);

protected:
    // The filter and wrap of the last upload (0 before one), and the sampling set since.
    std::int32_t minFilter_ = 0;
    std::int32_t wrap_ = 0;
    Sampling sampling_ = Sampling::AsLoaded;
    // The cell copies made of the current picture (a sheet drawn at one size has one); a copy
    // that could not be made is remembered with name 0, so that it is not tried every frame.
    std::vector<CellCopy> cellCopies_;
    void dropCellCopies();

    friend void noteUpload(Texture& texture, std::int32_t minFilter, std::int32_t wrap);
};

}  // namespace glint
