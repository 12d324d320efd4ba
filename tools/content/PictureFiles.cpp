// TGA written by hand, JPEG through libjpeg, PNG through libpng; all read back for checks and
// previews.
#include "PictureFiles.h"

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace glint::content {

bool makeParentDirectories(const std::string& path, std::string& error) {
    std::error_code ec;
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) {
        std::filesystem::create_directories(parent, ec);
    }
    if (ec) {
        error = parent.string() + ": " + ec.message();
        return false;
    }
    return true;
}

namespace {

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes,
                std::string& error) {
    if (!makeParentDirectories(path, error)) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) {
        error = path + ": cannot write";
        return false;
    }
    return true;
}

void put16(std::vector<std::uint8_t>& out, int v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

}  // namespace

bool writeTga(const std::string& path, const Image& image, int bits, std::string& error) {
    if ((bits != 24 && bits != 32) || image.empty() || image.width() > 0xffff ||
        image.height() > 0xffff) {
        error = path + ": cannot be stored as a TGA of this size or depth";
        return false;
    }
    std::vector<std::uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    put16(out, image.width());
    put16(out, image.height());
    out.push_back(static_cast<std::uint8_t>(bits));
    out.push_back(bits == 32 ? 8 : 0);  // alpha bits; origin bits 0 = bottom left
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            Rgba p = image.at(x, y);
            out.push_back(p.b);
            out.push_back(p.g);
            out.push_back(p.r);
            if (bits == 32) {
                out.push_back(p.a);
            }
        }
    }
    return writeBytes(path, out, error);
}

std::optional<Image> readTga(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (!in.eof() && in.fail()) {
        error = path + ": cannot read";
        return std::nullopt;
    }
    if (bytes.size() < 18 || bytes[0] != 0 || bytes[1] != 0 || bytes[2] != 2) {
        error = path + ": not an uncompressed true-colour TGA";
        return std::nullopt;
    }
    int width = bytes[12] | (bytes[13] << 8);
    int height = bytes[14] | (bytes[15] << 8);
    int bits = bytes[16];
    if (width == 0 || height == 0 || (bits != 24 && bits != 32)) {
        error = path + ": bad TGA size or depth";
        return std::nullopt;
    }
    std::size_t step = static_cast<std::size_t>(bits / 8);
    std::size_t need = 18 + static_cast<std::size_t>(width) * height * step;
    if (bytes.size() < need) {
        error = path + ": TGA shorter than its pixels";
        return std::nullopt;
    }
    Image image(width, height);
    const std::uint8_t* p = bytes.data() + 18;
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) {
            image.at(x, y) = {p[2], p[1], p[0], bits == 32 ? p[3] : std::uint8_t{255}};
            p += step;
        }
    }
    return image;
}

namespace {

struct JpegError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onJpegError(j_common_ptr info) {
    auto* err = reinterpret_cast<JpegError*>(info->err);
    (*info->err->format_message)(info, err->message);
    std::longjmp(err->jump, 1);
}

// The libjpeg work sits in functions that hold nothing with a destructor, so that the error
// jump skips nothing that needs cleaning up; the callers own every buffer.
bool compressRgb(std::FILE* file, const std::uint8_t* rgb, int width, int height, int quality,
                 char* message) {
    jpeg_compress_struct info{};
    JpegError err{};
    info.err = jpeg_std_error(&err.manager);
    err.manager.error_exit = onJpegError;
    if (setjmp(err.jump)) {
        jpeg_destroy_compress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        return false;
    }
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<std::uint8_t*>(rgb) +
            static_cast<std::size_t>(info.next_scanline) * static_cast<std::size_t>(width) * 3;
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    return true;
}

// Decodes into *pixels (rows from the top, `*components` bytes a pixel).
bool decompress(std::FILE* file, std::vector<std::uint8_t>* pixels, int* width, int* height,
                int* components, char* message) {
    jpeg_decompress_struct info{};
    JpegError err{};
    info.err = jpeg_std_error(&err.manager);
    err.manager.error_exit = onJpegError;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&info);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", err.message);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    jpeg_start_decompress(&info);
    *width = static_cast<int>(info.output_width);
    *height = static_cast<int>(info.output_height);
    *components = info.output_components;
    pixels->resize(static_cast<std::size_t>(info.output_width) * info.output_height *
                   static_cast<std::size_t>(info.output_components));
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = pixels->data() + static_cast<std::size_t>(info.output_scanline) *
                                            info.output_width *
                                            static_cast<std::size_t>(info.output_components);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

bool writeJpeg(const std::string& path, const Image& image, int quality, std::string& error) {
    if (image.empty()) {
        error = path + ": empty picture";
        return false;
    }
    if (!makeParentDirectories(path, error)) {
        return false;
    }
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(image.width()) * image.height() * 3);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgba p = image.at(x, y);
            const std::size_t i = (static_cast<std::size_t>(y) * image.width() + x) * 3;
            rgb[i] = p.r;
            rgb[i + 1] = p.g;
            rgb[i + 2] = p.b;
        }
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = path + ": cannot write";
        return false;
    }
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = compressRgb(file, rgb.data(), image.width(), image.height(), quality, message);
    const bool closed = std::fclose(file) == 0;
    if (!ok) {
        error = path + ": " + message;
    } else if (!closed) {
        error = path + ": cannot write";
    }
    return ok && closed;
}

std::optional<Image> readJpeg(const std::string& path, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        error = path + ": cannot read";
        return std::nullopt;
    }
    std::vector<std::uint8_t> pixels;
    int width = 0, height = 0, components = 0;
    char message[JMSG_LENGTH_MAX] = {};
    const bool ok = decompress(file, &pixels, &width, &height, &components, message);
    std::fclose(file);
    if (!ok) {
        error = path + ": " + message;
        return std::nullopt;
    }
    Image image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p =
                pixels.data() + (static_cast<std::size_t>(y) * width + x) * components;
            image.at(x, y) =
                components >= 3 ? Rgba{p[0], p[1], p[2], 255} : Rgba{p[0], p[0], p[0], 255};
        }
    }
    return image;
}

bool writePng(const std::string& path, const Image& image, std::string& error) {
    if (image.empty() || !makeParentDirectories(path, error)) {
        if (error.empty()) {
            error = path + ": an empty picture";
        }
        return false;
    }
    std::vector<std::uint8_t> rgba;
    rgba.reserve(image.pixels().size() * 4);
    for (const Rgba& p : image.pixels()) {
        rgba.insert(rgba.end(), {p.r, p.g, p.b, p.a});
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width());
    png.height = static_cast<png_uint_32>(image.height());
    png.format = PNG_FORMAT_RGBA;
    if (png_image_write_to_file(&png, path.c_str(), 0, rgba.data(), 0, nullptr) == 0) {
        error = path + ": " + png.message;
        png_image_free(&png);
        return false;
    }
    return true;
}

std::optional<Image> readPng(const std::string& path, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
        error = path + ": " + png.message;
        png_image_free(&png);
        return std::nullopt;
    }
    png.format = PNG_FORMAT_RGBA;
    std::vector<std::uint8_t> rgba(PNG_IMAGE_SIZE(png));
    if (png_image_finish_read(&png, nullptr, rgba.data(), 0, nullptr) == 0) {
        error = path + ": " + png.message;
        png_image_free(&png);
        return std::nullopt;
    }
    Image image(static_cast<int>(png.width), static_cast<int>(png.height));
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const std::uint8_t* p =
                rgba.data() + (static_cast<std::size_t>(y) * image.width() + x) * 4;
            image.at(x, y) = {p[0], p[1], p[2], p[3]};
        }
    }
    return image;
}

}  // namespace glint::content
