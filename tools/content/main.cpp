// glint-content: turns the readable sources in assets/ into the files the game reads.
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "FigureSource.h"
#include "FontPicture.h"
#include "IconSource.h"
#include "PictureFiles.h"
#include "Pictures.h"
#include "Preview.h"
#include "SheetSource.h"
#include "Sounds.h"
#include "SourceText.h"
#include "TextFiles.h"
#include "Typeface.h"
#include "Widgets.h"

namespace {

using namespace glint::content;

constexpr const char* kUsage =
    "usage: glint-content COMMAND ARGS...\n"
    "  sheet SOURCE OUTDIR PACKDIR      a skin's sprite sheet: OUTDIR/NAME.tga and NAME.spr\n"
    "  figure SOURCE OUTDIR PACKDIR     the figure's sheet p_1.tga and p_1.spr\n"
    "  font RECIPE FONTFILE OUT         the font picture\n"
    "  widgets RECIPE FONTDIR OUTROOT   every interface picture of the recipe\n"
    "  pictures RECIPE FONTDIR OUTROOT  the JPEG backgrounds and the intro picture\n"
    "  sounds RECIPE OUTDIR             the sound effects as WAVE files\n"
    "  table SOURCE OUT                 a checked copy of a key/value table\n"
    "  help SOURCE OUT                  the help text with CR LF line ends\n"
    "  preview CONTENTDIR OUTDIR        pictures of the content as the game draws it\n"
    "  icon SOURCE SIZE OUT             the icon SIZE pixels square, as a .tga (32-bit) or .png\n";

// A source's path from "assets/" on, so that generated files do not name the build machine.
std::string sourceName(const std::string& path) {
    const std::size_t at = path.rfind("assets/");
    return at == std::string::npos ? path : path.substr(at);
}

bool writeIcon(const std::string& source, const std::string& sizeText, const std::string& out,
               std::string& error) {
    const int size = toInteger(sizeText, "the icon size");
    std::optional<Image> icon = iconAtSize(readIconSource(source), size, error);
    if (!icon) {
        return false;
    }
    if (out.ends_with(".png")) {
        return writePng(out, *icon, error);
    }
    if (out.ends_with(".tga")) {
        return writeTga(out, *icon, 32, error);
    }
    error = out + ": an icon is written as .png or .tga";
    return false;
}

int run(const std::vector<std::string>& args) {
    if (args.empty()) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const std::string& cmd = args[0];
    auto need = [&](std::size_t n) {
        if (args.size() != n + 1) {
            std::fputs(kUsage, stderr);
            return false;
        }
        return true;
    };
    std::string error;
    bool ok = false;
    if (cmd == "sheet" || cmd == "figure") {
        if (!need(3)) {
            return 2;
        }
        Sheet sheet = cmd == "sheet" ? readSheetSource(args[1]) : readFigureSource(args[1]);
        ok = writeSheet(sheet, args[2], args[3],
                        "Made by glint-content from " + sourceName(args[1]), error);
    } else if (cmd == "font") {
        if (!need(3)) {
            return 2;
        }
        SourceFile recipe(args[1]);
        auto words = recipe.next();
        if (words.empty() || words[0] != "font") {
            recipe.fail(
                "the recipe is one line \"font pixel_size N width W bearing B separation S\"");
        }
        Params p(words, 1, recipe.where());
        FontLayout layout;
        layout.pixelSize = p.integer("pixel_size");
        layout.width = p.integer("width");
        layout.bearing = p.number("bearing", layout.bearing);
        layout.separation = p.integer("separation", layout.separation);
        p.finish();
        Typeface face(args[2]);
        Image img = drawFontPicture(face, layout, error);
        ok = !img.empty() && writeTga(args[3], img, 32, error);
    } else if (cmd == "widgets") {
        ok = need(3) && makeWidgets(args[1], args[2], args[3], error);
    } else if (cmd == "pictures") {
        ok = need(3) && makePictures(args[1], args[2], args[3], error);
    } else if (cmd == "sounds") {
        ok = need(2) && makeSounds(args[1], args[2], error);
    } else if (cmd == "table") {
        ok = need(2) && copyTable(args[1], args[2], error);
    } else if (cmd == "help") {
        ok = need(2) && writeHelpText(args[1], args[2], error);
    } else if (cmd == "preview") {
        ok = need(2) && writePreviews(args[1], args[2], error);
    } else if (cmd == "icon") {
        ok = need(3) && writeIcon(args[1], args[2], args[3], error);
    } else {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (!ok) {
        if (error.empty()) {
            return 2;
        }
        std::fprintf(stderr, "glint-content: %s\n", error.c_str());
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "glint-content: %s\n", e.what());
        return 1;
    }
}
