// Writing and reading picture files: the uncompressed TGA and the JPEG the game loads, and PNG
// for the desktop's icons.
#pragma once

#include <optional>
#include <string>

#include "Image.h"

namespace glint::content {

// Writes an uncompressed true-colour TGA: the 12 header bytes 0, 0, 2 and nine zeros (no
// identification field, no colour map, origin 0), then width, height, depth and a descriptor
// with the bottom-left origin; the rows follow bottom row first, as the game's loader uses
// them in stored order with row 0 at the bottom. bits is 24 or 32.
bool writeTga(const std::string& path, const Image& image, int bits, std::string& error);

// Reads a TGA written as above (24 or 32 bits, type 2, bottom row first) back into a picture
// with row 0 at the top. Nothing when the file is not of that kind.
std::optional<Image> readTga(const std::string& path, std::string& error);

// Writes a three-component JPEG (top row first, as JPEG always stores it); alpha is ignored.
bool writeJpeg(const std::string& path, const Image& image, int quality, std::string& error);

// Reads a JPEG of one or three components into a picture with row 0 at the top.
std::optional<Image> readJpeg(const std::string& path, std::string& error);

// Writes a PNG through libpng: eight bits a channel, with alpha, top row first.
bool writePng(const std::string& path, const Image& image, std::string& error);

// Reads any PNG libpng understands into a picture with alpha, row 0 at the top.
std::optional<Image> readPng(const std::string& path, std::string& error);

// Creates the parent directories of path.
bool makeParentDirectories(const std::string& path, std::string& error);

}  // namespace glint::content
