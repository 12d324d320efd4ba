// Pictures as OpenGL textures: the kinds, their uploads, and the switch for headless runs.
#include "render/Texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <optional>
#include <vector>

#include "pack/FileIo.h"
#include "render/Image.h"
#include "render/JpegTexture.h"
#include "render/TgaTexture.h"

namespace glint {

namespace {

bool uploads = false;

// Files read whole for the loaders; far larger than any picture we ship.
constexpr std::uint64_t kMaxPictureFileBytes = 64ull << 20;

void deleteTexture(std::uint32_t& name) {
    if (name != 0) {
        GLuint n = name;
        glDeleteTextures(1, &n);
        name = 0;
    }
}

// Replaces the object's GL texture by the given pixels with the given sampling.
void upload(std::uint32_t& name, const std::uint8_t* pixels, int width, int height, GLenum format,
            GLint internalFormat, bool mipmap, GLint wrap, GLint minFilter) {
    deleteTexture(name);
    GLuint n = 0;
    glGenTextures(1, &n);
    name = n;
    glBindTexture(GL_TEXTURE_2D, n);
    // Rows are tightly packed: a 24-bit row need not be a multiple of four bytes.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    if (mipmap) {
        gluBuild2DMipmaps(GL_TEXTURE_2D, internalFormat, width, height, format, GL_UNSIGNED_BYTE,
                          pixels);
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, GL_UNSIGNED_BYTE,
                     pixels);
    }
}

// Uploads as upload() does and remembers the sampling chosen.
void uploadTo(Texture& texture, const std::uint8_t* pixels, GLenum format, GLint internalFormat,
              bool mipmap, GLint wrap, GLint minFilter) {
    upload(texture.name, pixels, texture.width, texture.height, format, internalFormat, mipmap,
           wrap, minFilter);
    noteUpload(texture, minFilter, wrap);
}

std::optional<Bytes> readPicture(const std::string& path) {
    return readWholeFile(path, kMaxPictureFileBytes);
}

}  // namespace

void noteUpload(Texture& texture, std::int32_t minFilter, std::int32_t wrap) {
    texture.dropCellCopies();
    texture.minFilter_ = minFilter;
    texture.wrap_ = wrap;
    texture.sampling_ = Texture::Sampling::AsLoaded;
}

void Texture::setSampling(Sampling sampling) {
    if (name == 0 || sampling == sampling_) {
        return;
    }
    // Only the nearest-level filter samples exactly the full-size level at own size and up; a
    // filter that blends two levels would look different.
    if (minFilter_ == GL_LINEAR_MIPMAP_NEAREST) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                        sampling == Sampling::AsLoaded ? minFilter_ : GL_LINEAR);
    }
    if (wrap_ == GL_CLAMP) {
        const GLint wrap = sampling == Sampling::FullSizeInside || sampling == Sampling::CellPixels
                               ? GL_CLAMP_TO_EDGE
                               : GL_CLAMP;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, wrap);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, wrap);
    }
    sampling_ = sampling;
}

const Texture::CellCopy* Texture::cellCopy(int frames, int groups, int cell) {
    for (const CellCopy& copy : cellCopies_) {
        if (copy.frames == frames && copy.groups == groups && copy.cell == cell) {
            return copy.name != 0 ? &copy : nullptr;
        }
    }
    CellCopy& copy = cellCopies_.emplace_back(CellCopy{0, 0, 0, frames, groups, cell});
    // At full size both filters this game loads with sample the full-size level linearly.
    if (name == 0 || (minFilter_ != GL_LINEAR && minFilter_ != GL_LINEAR_MIPMAP_NEAREST)) {
        return nullptr;
    }
    glBindTexture(GL_TEXTURE_2D, name);
    // The full-size level as uploaded: a mipmapped picture of other sizes was rescaled.
    Image sheet;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &sheet.width);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &sheet.height);
    if (sheet.width <= 0 || sheet.height <= 0) {
        return nullptr;
    }
    sheet.components = 4;
    sheet.pixels.resize(static_cast<std::size_t>(sheet.width) *
                        static_cast<std::size_t>(sheet.height) * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, sheet.pixels.data());
    std::optional<Image> cells = resampleCells(sheet, frames, groups, cell);
    if (!cells) {
        return nullptr;
    }
    upload(copy.name, cells->pixels.data(), cells->width, cells->height, GL_RGBA, 4, false,
           GL_CLAMP_TO_EDGE, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    copy.width = cells->width;
    copy.height = cells->height;
    glBindTexture(GL_TEXTURE_2D, name);
    return &copy;
}

void Texture::dropCellCopies() {
    for (CellCopy& copy : cellCopies_) {
        deleteTexture(copy.name);
    }
    cellCopies_.clear();
}

void Texture::setUploadEnabled(bool enabled) {
    uploads = enabled;
}
bool Texture::uploadEnabled() {
    return uploads;
}

bool Texture::loadPairFromFiles(const std::string&, const std::string&, bool) {
    return false;
}

bool Texture::loadPairFromMemory(std::span<const std::uint8_t>, std::span<const std::uint8_t>,
                                 bool) {
    return false;
}

TgaTexture::~TgaTexture() {
    release();
}

bool TgaTexture::loadFromFile(const std::string& path, bool repeat, bool mipmap) {
    std::optional<Bytes> bytes = readPicture(path);
    return bytes && loadFromMemory(*bytes, repeat, mipmap);
}

bool TgaTexture::loadFromMemory(std::span<const std::uint8_t> bytes, bool repeat, bool mipmap) {
    std::optional<Image> image = decodeTga(bytes);
    if (!image) {
        return false;
    }
    width = image->width;
    height = image->height;
    bitsPerPixel = image->components * 8;
    if (!uploads) {
        return true;
    }
    GLenum format = image->components == 4 ? GL_RGBA : GL_RGB;
    if (mipmap) {
        uploadTo(*this, image->pixels.data(), format, 4, true, repeat ? GL_REPEAT : GL_CLAMP,
                 GL_LINEAR_MIPMAP_NEAREST);
    } else {
        uploadTo(*this, image->pixels.data(), format, 4, false, GL_REPEAT, GL_LINEAR);
    }
    return true;
}

void TgaTexture::release() {
    dropCellCopies();
    deleteTexture(name);
}

JpegTexture::~JpegTexture() {
    release();
}

bool JpegTexture::loadPairFromFiles(const std::string& colourPath, const std::string& alphaPath,
                                    bool mipmap) {
    std::optional<Bytes> colour = readPicture(colourPath);
    std::optional<Bytes> alpha = readPicture(alphaPath);
    return colour && alpha && loadPairFromMemory(*colour, *alpha, mipmap);
}

bool JpegTexture::loadPairFromMemory(std::span<const std::uint8_t> colourBytes,
                                     std::span<const std::uint8_t> alphaBytes, bool mipmap) {
    std::optional<Image> colour = decodeJpeg(colourBytes);
    std::optional<Image> alpha = decodeJpeg(alphaBytes);
    if (!colour || !alpha || colour->width != alpha->width || colour->height != alpha->height ||
        colour->components != 3 || alpha->components != 1) {
        return false;
    }
    width = colour->width;
    height = colour->height;
    components = 4;
    if (!uploads) {
        return true;
    }
    const std::size_t count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<std::uint8_t> rgba(count * 4);
    for (std::size_t i = 0; i < count; ++i) {
        rgba[i * 4 + 0] = colour->pixels[i * 3 + 0];
        rgba[i * 4 + 1] = colour->pixels[i * 3 + 1];
        rgba[i * 4 + 2] = colour->pixels[i * 3 + 2];
        rgba[i * 4 + 3] = alpha->pixels[i];
    }
    uploadTo(*this, rgba.data(), GL_RGBA, 4, mipmap, GL_REPEAT,
             mipmap ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    return true;
}

bool JpegTexture::loadFromFile(const std::string& path, bool repeat, bool mipmap) {
    std::optional<Bytes> bytes = readPicture(path);
    return bytes && loadFromMemory(*bytes, repeat, mipmap);
}

bool JpegTexture::loadFromMemory(std::span<const std::uint8_t> bytes, bool repeat, bool mipmap) {
    std::optional<Image> image = decodeJpeg(bytes);
    if (!image || image->components != 3) {
        return false;
    }
    width = image->width;
    height = image->height;
    components = 3;
    if (!uploads) {
        return true;
    }
    GLint wrap = repeat ? GL_REPEAT : GL_CLAMP;
    uploadTo(*this, image->pixels.data(), GL_RGB, mipmap ? 3 : GL_RGB, mipmap, wrap,
             mipmap ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
    return true;
}

void JpegTexture::release() {
    dropCellCopies();
    deleteTexture(name);
}

}  // namespace glint
