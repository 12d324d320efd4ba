// The generated pack and sounds as the tests read them: entries straight from the archive.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "pack/DataPack.h"
#include "pack/ParamTable.h"
#include "render/Image.h"

namespace glint::content_test {

inline const std::string kDataDir = GLINT_DATA_DIR;
inline const std::string kAssetsDir = GLINT_ASSETS_DIR;
// The desktop's icons as the build lays them out: NxN/apps/ID.png.
inline const std::string kIconsDir = GLINT_ICONS_DIR;

// The built data pack, opened once.
const DataPack& pack();

// An entry's bytes from the archive itself (never a loose file); nothing when it is missing.
std::optional<Bytes> archived(const std::string& name);

// A key/value table stored in the pack (an empty table when the entry is missing).
ParamTable table(const std::string& name);

// The number of skins "dat/param.txt" announces.
int skinCount();

// A picture of the pack decoded by the game's own decoders (row 0 the bottom, as the game has
// it); nothing when missing or refused.
std::optional<Image> tgaPicture(const std::string& name);
std::optional<Image> jpegPicture(const std::string& name);

// A picture's texel, row 0 the first stored row, as four bytes (alpha 255 for 24 bits).
struct Texel {
    std::uint8_t r, g, b, a;
};
Texel texel(const Image& img, int x, int row);

// The sprite file's picture, groups and frames.
struct SheetInfo {
    std::string picture;
    int groups = 0;
    int frames = 0;
};
SheetInfo sheetInfo(const std::string& sprName);

// The picture paths "mui/menu.txt" names for the buttons and boxes.
const std::vector<std::string>& menuPictureKeys();

}  // namespace glint::content_test
