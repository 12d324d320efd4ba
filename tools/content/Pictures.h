// The large JPEG pictures: dialog panels, the menu background and the intro picture.
#pragma once

#include <string>

#include "Image.h"

namespace glint::content {

// Reads the picture recipe and writes every JPEG it names under outRoot. A picture marked
// "mirror 1" is stored upside down, for drawing code that maps the top of the screen to the
// picture's bottom row.
bool makePictures(const std::string& recipe, const std::string& fontDir, const std::string& outRoot,
                  std::string& error);

// A picture scaled to a new size, each target pixel the average of the source area it covers.
Image resampled(const Image& src, int width, int height);

}  // namespace glint::content
