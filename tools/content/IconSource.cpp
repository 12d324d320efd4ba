// Reading the icon's drawings and enlarging the right one for each size a desktop asks for.
#include "IconSource.h"

#include "PixelArt.h"
#include "SourceText.h"

namespace glint::content {

IconArt readIconSource(const std::string& path) {
    SourceFile source(path);
    std::vector<std::string> words = source.next();
    if (words.size() != 1 || words[0] != "icon") {
        source.fail("an icon source begins with the line \"icon\"");
    }
    words = source.next();
    if (words.size() != 1 || words[0] != "palette") {
        source.fail("the palette follows the line \"icon\"");
    }
    const Palette palette = Palette::read(source);
    IconArt art;
    for (words = source.next(); !words.empty(); words = source.next()) {
        if (words[0] != "size" || words.size() != 2) {
            source.fail("\"size N\" and a grid of N x N are all an icon source holds");
        }
        const int size = toInteger(words[1], source.where());
        // Icons are only ever enlarged, and no desktop asks for more than 256 pixels.
        if (size < 1 || size > 256) {
            source.fail("a drawing of " + words[1] + " pixels is not an icon size");
        }
        if (art.drawings.count(size) != 0) {
            source.fail("the " + words[1] + " pixel drawing is given twice");
        }
        art.drawings[size] = gridToImage(source.grid(size, size), palette, source);
    }
    if (art.drawings.empty()) {
        source.fail("the icon has no drawing");
    }
    return art;
}

std::optional<Image> iconAtSize(const IconArt& art, int size, std::string& error) {
    for (auto it = art.drawings.rbegin(); it != art.drawings.rend(); ++it) {
        if (size > 0 && size % it->first == 0) {
            return it->second.enlarged(size / it->first);
        }
    }
    error = "no drawing of the icon enlarges to " + std::to_string(size) + " pixels";
    return std::nullopt;
}

}  // namespace glint::content
