// RGBA pictures as the generators draw them: row 0 is the top of the picture as a person sees it.
#pragma once

#include <cstdint>
#include <vector>

namespace glint::content {

struct Rgba {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    std::uint8_t a = 0;

    bool operator==(const Rgba&) const = default;
};

// A colour with float channels in 0..1, for blending and gradients.
struct Color {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;

    static Color from(Rgba c);
    Rgba toRgba() const;
    Color withAlpha(float alpha) const { return {r, g, b, alpha}; }
    // Channel-wise interpolation, t = 0 gives *this.
    Color mix(const Color& other, float t) const;
    Color scaled(float factor) const { return {r * factor, g * factor, b * factor, a}; }
};

class Image {
public:
    Image() = default;
    Image(int width, int height, Rgba fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    Rgba& at(int x, int y) { return pixels_[index(x, y)]; }
    const Rgba& at(int x, int y) const { return pixels_[index(x, y)]; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // Paints colour over the pixel with its alpha (source over); outside pixels are ignored.
    void blend(int x, int y, const Color& color);
    void fill(Rgba color);

    // Copies src into this picture with its top-left corner at (x, y), replacing pixels.
    void paste(const Image& src, int x, int y);
    // Paints src over this picture with its top-left corner at (x, y), blending by alpha.
    void compose(const Image& src, int x, int y);
    Image crop(int x, int y, int w, int h) const;

    // Upside down: the first row becomes the last.
    Image flippedVertically() const;
    // Left and right exchanged.
    Image flippedHorizontally() const;
    // Every pixel repeated as a square of factor x factor pixels (factor at least 1).
    Image enlarged(int factor) const;

    // Bilinear sample at a point given in pixel units (pixel centres at +0.5), edges clamped.
    Color sample(float x, float y) const;

    const std::vector<Rgba>& pixels() const { return pixels_; }

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
               static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
};

bool isPowerOfTwo(int n);

}  // namespace glint::content
