// The game's icon read from its text source: pixel art drawn at a few sizes, and every other size
// made from one of them by whole-factor enlargement.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "Image.h"

namespace glint::content {

// The drawings of an icon source by their edge in pixels. The source holds a line "icon", a
// palette, then for each drawing a line "size N" and an N x N grid.
struct IconArt {
    std::map<int, Image> drawings;
};

IconArt readIconSource(const std::string& path);

// The icon `size` pixels square: the largest drawing whose edge divides `size`, each of its pixels
// repeated size / edge times, so that pixel art stays sharp. Nothing, and the reason in `error`,
// when no drawing divides it.
std::optional<Image> iconAtSize(const IconArt& art, int size, std::string& error);

}  // namespace glint::content
