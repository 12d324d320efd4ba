// Pixel art written as text: a palette of one-character names and grids of those characters.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "Image.h"
#include "SourceText.h"

namespace glint::content {

class Palette {
public:
    // Reads "C #rrggbb[aa]" lines up to a line "end". "." is transparent unless redefined.
    static Palette read(SourceFile& source);

    bool has(char c) const { return colors_.count(c) != 0; }
    Rgba operator()(char c) const { return colors_.at(c); }
    void set(char c, Rgba color) { colors_[c] = color; }

private:
    std::map<char, Rgba> colors_ = {{'.', Rgba{0, 0, 0, 0}}};
};

// The picture drawn by a grid; every character must be in the palette.
Image gridToImage(const std::vector<std::string>& rows, const Palette& palette,
                  const SourceFile& source);

}  // namespace glint::content
