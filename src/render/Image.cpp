// Decoded pictures, ready for upload: the decoders run and are tested without a GL context.
#include "render/Image.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// libjpeg's header needs FILE and size_t declared first.
#include <jpeglib.h>

namespace glint {

namespace {

bool jpegMessagesSilenced = false;

void setWhy(std::string* why, const char* text) {
    if (why != nullptr) {
        *why = text;
    }
}

// The fatal-error exit jumps back into decodeJpegInto instead of ending the process.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void discardJpegMessage(j_common_ptr) {}

void onJpegError(j_common_ptr info) {
    auto* manager = reinterpret_cast<JpegErrorManager*>(info->err);
    // The library's own words go out through its usual channel, and back to the caller too.
    (*info->err->output_message)(info);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

// Decodes with plain C objects only: nothing here has a destructor that a jump could skip. The
// pixel buffer is the caller's (through out), so that it is freed whichever way this returns.
bool decodeJpegInto(const std::uint8_t* data, std::size_t size, unsigned char** out, int* width,
                    int* height, int* components, char* message) {
    jpeg_decompress_struct info;
    JpegErrorManager errors;
    info.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = onJpegError;
    if (jpegMessagesSilenced) {
        errors.pub.output_message = discardJpegMessage;  // warnings go the same way
    }
    errors.message[0] = '\0';
    if (setjmp(errors.jump) != 0) {
        std::strncpy(message, errors.message, JMSG_LENGTH_MAX);
        jpeg_destroy_decompress(&info);
        std::free(*out);
        *out = nullptr;
        return false;
    }
    jpeg_create_decompress(&info);
    // The memory source ends a truncated picture with an end marker, so decoding stops.
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    const std::uint64_t pixels = static_cast<std::uint64_t>(info.output_width) * info.output_height;
    if ((info.output_components != 1 && info.output_components != 3) || pixels == 0 ||
        pixels > kMaxJpegPixels) {
        std::strncpy(message, "unsupported JPEG size or colour layout", JMSG_LENGTH_MAX);
        jpeg_destroy_decompress(&info);
        return false;
    }
    const std::size_t rowBytes = static_cast<std::size_t>(info.output_width) *
                                 static_cast<std::size_t>(info.output_components);
    *out = static_cast<unsigned char*>(std::malloc(rowBytes * info.output_height));
    if (*out == nullptr) {
        std::strncpy(message, "out of memory", JMSG_LENGTH_MAX);
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        // Scanline k from the top becomes row height - 1 - k: row 0 is the bottom.
        JSAMPROW row = *out + rowBytes * (info.output_height - 1 - info.output_scanline);
        jpeg_read_scanlines(&info, &row, 1);
    }
    *width = static_cast<int>(info.output_width);
    *height = static_cast<int>(info.output_height);
    *components = info.output_components;
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

void setJpegMessagesSilenced(bool silenced) {
    jpegMessagesSilenced = silenced;
}

std::optional<Image> decodeTga(std::span<const std::uint8_t> bytes, std::string* why) {
    static const std::uint8_t kHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    if (bytes.size() < 18) {
        setWhy(why, "shorter than a TGA header");
        return std::nullopt;
    }
    if (std::memcmp(bytes.data(), kHeader, sizeof kHeader) != 0) {
        setWhy(why, "not an uncompressed true-colour TGA without colour map or origin");
        return std::nullopt;
    }
    Image image;
    image.width = bytes[12] | bytes[13] << 8;
    image.height = bytes[14] | bytes[15] << 8;
    const int bitsPerPixel = bytes[16];
    if (image.width == 0 || image.height == 0) {
        setWhy(why, "zero width or height");
        return std::nullopt;
    }
    if (bitsPerPixel != 24 && bitsPerPixel != 32) {
        setWhy(why, "not 24 or 32 bits per pixel");
        return std::nullopt;
    }
    image.components = bitsPerPixel / 8;
    const std::uint64_t size = static_cast<std::uint64_t>(image.width) * image.height *
                               static_cast<std::uint64_t>(image.components);
    if (size > bytes.size() - 18) {
        setWhy(why, "holds fewer pixels than its header claims");
        return std::nullopt;
    }
    image.pixels.assign(bytes.begin() + 18, bytes.begin() + 18 + static_cast<std::ptrdiff_t>(size));
    // Stored blue, green, red [, alpha].
    for (std::size_t i = 0; i < image.pixels.size();
         i += static_cast<std::size_t>(image.components)) {
        std::swap(image.pixels[i], image.pixels[i + 2]);
    }
    return image;
}

std::optional<Image> decodeJpeg(std::span<const std::uint8_t> bytes, std::string* why) {
    if (bytes.empty()) {
        setWhy(why, "empty");
        return std::nullopt;
    }
    unsigned char* pixels = nullptr;
    char message[JMSG_LENGTH_MAX] = {};
    Image image;
    if (!decodeJpegInto(bytes.data(), bytes.size(), &pixels, &image.width, &image.height,
                        &image.components, message)) {
        setWhy(why, message);
        return std::nullopt;
    }
    image.pixels.assign(
        pixels, pixels + static_cast<std::size_t>(image.width) * image.height * image.components);
    std::free(pixels);
    return image;
}

}  // namespace glint

namespace glint {

namespace {

int powerOfTwoAtLeast(int n) {
    int p = 1;
    while (p < n) {
        p *= 2;
    }
    return p;
}

// Where a pixel's centre samples, in texels from the sheet's first texel centre: pixel `i` of a
// cell `cell` pixels wide that shows `index` of `count` equal parts of an edge `texels` long.
double sampleAt(int index, int count, int i, int cell, int texels) {
    return (static_cast<double>(index) + (static_cast<double>(i) + 0.5) / cell) / count * texels -
           0.5;
}

}  // namespace

std::optional<Image> resampleCells(const Image& sheet, int frames, int groups, int cell) {
    constexpr int kMaxCell = 1024;
    if (sheet.components != 4 || sheet.width <= 0 || sheet.height <= 0 || frames <= 0 ||
        groups <= 0 || cell <= 0 || cell > kMaxCell || frames > kMaxCell || groups > kMaxCell ||
        sheet.pixels.size() !=
            static_cast<std::size_t>(sheet.width) * static_cast<std::size_t>(sheet.height) * 4) {
        return std::nullopt;
    }
    // The outermost samples decide whether every one stays between the edge texels' centres.
    const double first = std::min(sampleAt(0, frames, 0, cell, sheet.width),
                                  sampleAt(0, groups, 0, cell, sheet.height));
    if (first < 0.0 ||
        sampleAt(frames - 1, frames, cell - 1, cell, sheet.width) >
            static_cast<double>(sheet.width - 1) ||
        sampleAt(groups - 1, groups, cell - 1, cell, sheet.height) >
            static_cast<double>(sheet.height - 1)) {
        return std::nullopt;
    }
    Image out;
    out.width = powerOfTwoAtLeast(frames * cell);
    out.height = powerOfTwoAtLeast(groups * cell);
    out.components = 4;
    out.pixels.assign(
        static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height) * 4, 0);
    auto texel = [&](int x, int y) {
        return &sheet.pixels[(static_cast<std::size_t>(y) * static_cast<std::size_t>(sheet.width) +
                              static_cast<std::size_t>(x)) *
                             4];
    };
    for (int g = 0; g < groups; ++g) {
        for (int y = 0; y < cell; ++y) {
            const double v = sampleAt(g, groups, y, cell, sheet.height);
            const int y0 = static_cast<int>(v);
            const int y1 = std::min(y0 + 1, sheet.height - 1);
            const double wy = v - y0;
            for (int f = 0; f < frames; ++f) {
                for (int x = 0; x < cell; ++x) {
                    const double u = sampleAt(f, frames, x, cell, sheet.width);
                    const int x0 = static_cast<int>(u);
                    const int x1 = std::min(x0 + 1, sheet.width - 1);
                    const double wx = u - x0;
                    std::uint8_t* to = &out.pixels[(static_cast<std::size_t>(g * cell + y) *
                                                        static_cast<std::size_t>(out.width) +
                                                    static_cast<std::size_t>(f * cell + x)) *
                                                   4];
                    for (int k = 0; k < 4; ++k) {
                        const double top = texel(x0, y0)[k] * (1 - wx) + texel(x1, y0)[k] * wx;
                        const double bottom = texel(x0, y1)[k] * (1 - wx) + texel(x1, y1)[k] * wx;
                        to[k] = static_cast<std::uint8_t>(top * (1 - wy) + bottom * wy + 0.5);
                    }
                }
            }
        }
    }
    return out;
}

}  // namespace glint
