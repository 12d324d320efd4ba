// Sprite sheets: a grid of equal frames, one row per animation group, and their ".spr" files.
#pragma once

#include <string>
#include <vector>

#include "Image.h"

namespace glint::content {

struct Sheet {
    std::string name;  // file name without extension, e.g. "g_1"
    int cell = 32;     // edge of one frame in pixels
    int frames = 1;    // columns
    int groups = 1;    // rows
    // Every frame upright, as the player is meant to see it: index group * frames + frame.
    std::vector<Image> cells;

    Image& at(int group, int frame) {
        return cells[static_cast<std::size_t>(group * frames + frame)];
    }
    const Image& at(int group, int frame) const {
        return cells[static_cast<std::size_t>(group * frames + frame)];
    }
};

// Sheets the game draws without the flip flag show every band upside down (the top of the
// drawn square takes the lower edge of its band); their cells are stored mirrored so that they
// appear upright. The brick (and the trap brick that shares it), the solid block and the
// ladder are drawn that way; rope, gold, lights and the figure use the flip flag.
bool isDrawnWithoutFlip(const std::string& sheetName);

// The picture as stored: group g is the g-th band from the bottom, frame f the f-th column.
Image layOutSheet(const Sheet& sheet);

// Writes DIR/NAME.tga (32-bit) and DIR/NAME.spr, whose "file_name" is PACKDIR/NAME.tga.
// Sizes must be powers of two.
bool writeSheet(const Sheet& sheet, const std::string& dir, const std::string& packDir,
                const std::string& comment, std::string& error);

}  // namespace glint::content
