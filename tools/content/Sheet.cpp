// Laying out and writing sprite sheets in the orientation the game draws them.
#include "Sheet.h"

#include <fstream>

#include "PictureFiles.h"

namespace glint::content {

bool isDrawnWithoutFlip(const std::string& sheetName) {
    return sheetName == "g_1" || sheetName == "g_2" || sheetName == "g_3";
}

Image layOutSheet(const Sheet& sheet) {
    Image out(sheet.frames * sheet.cell, sheet.groups * sheet.cell);
    const bool mirror = isDrawnWithoutFlip(sheet.name);
    for (int g = 0; g < sheet.groups; ++g) {
        // Rows of `out` run from the top; group 0 is the bottom band.
        const int top = (sheet.groups - 1 - g) * sheet.cell;
        for (int f = 0; f < sheet.frames; ++f) {
            const Image& cell = sheet.at(g, f);
            out.paste(mirror ? cell.flippedVertically() : cell, f * sheet.cell, top);
        }
    }
    return out;
}

bool writeSheet(const Sheet& sheet, const std::string& dir, const std::string& packDir,
                const std::string& comment, std::string& error) {
    Image picture = layOutSheet(sheet);
    if (!isPowerOfTwo(picture.width()) || !isPowerOfTwo(picture.height())) {
        error = sheet.name + ": the sheet is " + std::to_string(picture.width()) + " x " +
                std::to_string(picture.height()) + ", not powers of two";
        return false;
    }
    if (!writeTga(dir + "/" + sheet.name + ".tga", picture, 32, error)) {
        return false;
    }
    const std::string sprPath = dir + "/" + sheet.name + ".spr";
    std::ofstream spr(sprPath, std::ios::binary | std::ios::trunc);
    spr << "// " << comment << "\r\n"
        << "file_name " << packDir << "/" << sheet.name << ".tga\r\n"
        << "groups " << sheet.groups << "\r\n"
        << "frames " << sheet.frames << "\r\n";
    if (!spr) {
        error = sprPath + ": cannot write";
        return false;
    }
    return true;
}

}  // namespace glint::content
