// Decoded pictures, ready for upload: the decoders run and are tested without a GL context.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace glint {

// Pixels row by row, row 0 the bottom of the picture, components bytes per pixel in the order
// red, green, blue [, alpha] (1 component: grey).
struct Image {
    int width = 0;
    int height = 0;
    int components = 0;
    std::vector<std::uint8_t> pixels;
};

// An uncompressed true-colour TGA of 24 or 32 bits: the header must be 0, 0, 2 and nine zeros
// (no identification field, no colour map, zero origin). Rows are taken in stored order, so the
// first stored row is row 0. Refused (with the reason in why) when the header differs, a size
// is zero, the depth is not 24 or 32, or the file holds fewer pixels than it claims.
std::optional<Image> decodeTga(std::span<const std::uint8_t> bytes, std::string* why = nullptr);

// A baseline or progressive JPEG of one (grey) or three (colour) components, stored bottom row
// first. A truncated picture ends where its data ends; a picture larger than kMaxJpegPixels or
// of another colour layout is refused.
std::optional<Image> decodeJpeg(std::span<const std::uint8_t> bytes, std::string* why = nullptr);

constexpr std::uint64_t kMaxJpegPixels = 8192ull * 8192ull;

// Whether libjpeg's own warnings and error texts go to standard error (they do unless silenced).
// A program that decodes damaged pictures by the million, as the fuzz targets do, silences them;
// the reason for a refusal still reaches `why`.
void setJpegMessagesSilenced(bool silenced);

// A sheet of `frames` columns and `groups` bands, each frame resampled to `cell` x `cell` pixels
// as linear (bilinear) sampling shows it drawn at that size: pixel (x, y) of frame f, band g
// takes the frame at ((x + 0.5) / cell, (y + 0.5) / cell) of its extent. The frames sit
// cell by cell from (0, 0), in a picture of powers of two; each channel is rounded to the
// nearest level. Drawn texel for pixel with nearest sampling, the copy shows what the sheet
// drawn at that size shows. Empty when a sample would reach past the sheet's edge (frames
// enlarged so far that their outer pixels sample beyond the outermost texels' centres, where
// the sheet's wrap would decide), or the sheet is not RGBA.
std::optional<Image> resampleCells(const Image& sheet, int frames, int groups, int cell);

}  // namespace glint
