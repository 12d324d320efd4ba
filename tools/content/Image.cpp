// RGBA pictures: blending, copying, flipping and sampling for the generators.
#include "Image.h"

#include <algorithm>
#include <cmath>

namespace glint::content {

namespace {

std::uint8_t toByte(float v) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

Color Color::from(Rgba c) {
    return {c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, c.a / 255.0f};
}

Rgba Color::toRgba() const {
    return {toByte(r), toByte(g), toByte(b), toByte(a)};
}

Color Color::mix(const Color& other, float t) const {
    return {r + (other.r - r) * t, g + (other.g - g) * t, b + (other.b - b) * t,
            a + (other.a - a) * t};
}

Image::Image(int width, int height, Rgba fill)
    : width_(width),
      height_(height),
      pixels_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), fill) {}

void Image::blend(int x, int y, const Color& color) {
    if (!contains(x, y) || color.a <= 0.0f) {
        return;
    }
    Color dst = Color::from(at(x, y));
    float sa = std::clamp(color.a, 0.0f, 1.0f);
    float outA = sa + dst.a * (1.0f - sa);
    if (outA <= 0.0f) {
        return;
    }
    Color out{(color.r * sa + dst.r * dst.a * (1.0f - sa)) / outA,
              (color.g * sa + dst.g * dst.a * (1.0f - sa)) / outA,
              (color.b * sa + dst.b * dst.a * (1.0f - sa)) / outA, outA};
    at(x, y) = out.toRgba();
}

void Image::fill(Rgba color) {
    std::fill(pixels_.begin(), pixels_.end(), color);
}

void Image::paste(const Image& src, int x, int y) {
    for (int sy = 0; sy < src.height(); ++sy) {
        for (int sx = 0; sx < src.width(); ++sx) {
            if (contains(x + sx, y + sy)) {
                at(x + sx, y + sy) = src.at(sx, sy);
            }
        }
    }
}

void Image::compose(const Image& src, int x, int y) {
    for (int sy = 0; sy < src.height(); ++sy) {
        for (int sx = 0; sx < src.width(); ++sx) {
            blend(x + sx, y + sy, Color::from(src.at(sx, sy)));
        }
    }
}

Image Image::crop(int x, int y, int w, int h) const {
    Image out(w, h);
    for (int yy = 0; yy < h; ++yy) {
        for (int xx = 0; xx < w; ++xx) {
            if (contains(x + xx, y + yy)) {
                out.at(xx, yy) = at(x + xx, y + yy);
            }
        }
    }
    return out;
}

Image Image::flippedVertically() const {
    Image out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            out.at(x, height_ - 1 - y) = at(x, y);
        }
    }
    return out;
}

Image Image::flippedHorizontally() const {
    Image out(width_, height_);
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            out.at(width_ - 1 - x, y) = at(x, y);
        }
    }
    return out;
}

Image Image::enlarged(int factor) const {
    Image out(width_ * factor, height_ * factor);
    for (int y = 0; y < out.height_; ++y) {
        for (int x = 0; x < out.width_; ++x) {
            out.at(x, y) = at(x / factor, y / factor);
        }
    }
    return out;
}

Color Image::sample(float x, float y) const {
    if (empty()) {
        return {0, 0, 0, 0};
    }
    float fx = x - 0.5f;
    float fy = y - 0.5f;
    int x0 = static_cast<int>(std::floor(fx));
    int y0 = static_cast<int>(std::floor(fy));
    float tx = fx - static_cast<float>(x0);
    float ty = fy - static_cast<float>(y0);
    auto texel = [&](int xx, int yy) {
        xx = std::clamp(xx, 0, width_ - 1);
        yy = std::clamp(yy, 0, height_ - 1);
        return Color::from(at(xx, yy));
    };
    // Plain bilinear filtering of unpremultiplied texels, as a linear texture filter does.
    Color c00 = texel(x0, y0), c10 = texel(x0 + 1, y0);
    Color c01 = texel(x0, y0 + 1), c11 = texel(x0 + 1, y0 + 1);
    return c00.mix(c10, tx).mix(c01.mix(c11, tx), ty);
}

bool isPowerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

}  // namespace glint::content
