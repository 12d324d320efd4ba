// Text rendered with FreeType from an installed font: single glyphs and whole strings.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Image.h"

namespace glint::content {

// Coverage of one rendered glyph or string: 0..1 per pixel, row 0 at the top.
struct Coverage {
    int width = 0;
    int height = 0;
    std::vector<float> values;
    float at(int x, int y) const {
        return values[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                      static_cast<std::size_t>(x)];
    }
};

struct GlyphBitmap {
    Coverage coverage;
    int left = 0;     // pen to the bitmap's left edge
    int top = 0;      // baseline to the bitmap's top edge, upwards
    int advance = 0;  // pen advance in whole pixels
};

class Typeface {
public:
    explicit Typeface(const std::string& fontPath);
    ~Typeface();
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    GlyphBitmap glyph(char c, int pixelSize) const;

    // A whole string on one line, kerned. ascent is the baseline's distance from the top row.
    struct Line {
        Coverage coverage;
        int ascent = 0;
    };
    Line line(const std::string& text, int pixelSize) const;

private:
    struct Library;
    std::unique_ptr<Library> lib_;
};

// Paints coverage onto a picture in a colour, its top-left corner at (x, y).
void paintCoverage(Image& img, const Coverage& cov, int x, int y, const Color& color);

// A soft copy of a coverage (a box blur repeated), grown by `radius` on every side.
Coverage blurred(const Coverage& cov, int radius);

}  // namespace glint::content
