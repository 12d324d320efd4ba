// The icons: the window's inside the pack and the desktop's beside the build, each the icon's
// drawing at its size, upright, and none of them an empty square.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>

#include "ContentFiles.h"
#include "IconSource.h"
#include "PictureFiles.h"

namespace glint::content_test {
namespace {

content::Image drawnIcon(int size) {
    std::string error;
    auto icon =
        content::iconAtSize(content::readIconSource(kAssetsDir + "/icon/icon.txt"), size, error);
    EXPECT_TRUE(icon.has_value()) << error;
    return icon.value_or(content::Image{});
}

// A tile with transparent corners and a picture on it: mostly opaque, not one flat colour.
void expectAPicture(const content::Image& icon, const std::string& what) {
    int opaque = 0;
    std::set<std::tuple<int, int, int>> colours;
    for (const content::Rgba& p : icon.pixels()) {
        opaque += p.a == 255;
        if (p.a != 0) {
            colours.insert({p.r, p.g, p.b});
        }
    }
    EXPECT_GT(opaque, static_cast<int>(icon.pixels().size()) / 2) << what << " is mostly clear";
    EXPECT_GE(colours.size(), 4u) << what << " is nearly one colour";
}

TEST(ContentIcons, TheWindowIconIsA64PixelTgaStoredBottomRowFirst) {
    auto img = tgaPicture("mui/icon.tga");
    ASSERT_TRUE(img.has_value()) << "mui/icon.tga is not in the pack, or not a TGA of ours";
    ASSERT_EQ(img->width, 64);
    ASSERT_EQ(img->height, 64);
    ASSERT_EQ(img->components, 4) << "the icon's corners are clear, so it needs alpha";
    const content::Image drawn = drawnIcon(64);
    ASSERT_EQ(drawn.width(), 64);
    expectAPicture(drawn, "the window icon");
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const Texel t = texel(*img, x, 63 - y);  // the first stored row is the bottom
            const content::Rgba& p = drawn.at(x, y);
            ASSERT_TRUE(t.r == p.r && t.g == p.g && t.b == p.b && t.a == p.a)
                << "mui/icon.tga differs from the drawing at " << x << ", " << y;
        }
    }
}

TEST(ContentIcons, EveryDesktopSizeIsTheDrawingAtThatSize) {
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const std::string path = kIconsDir + "/" + name + "/apps/org.glintseeker.GlintSeeker.png";
        std::string error;
        auto png = content::readPng(path, error);
        ASSERT_TRUE(png.has_value()) << error;
        ASSERT_EQ(png->width(), size) << path;
        ASSERT_EQ(png->height(), size) << path;
        expectAPicture(*png, path);
        EXPECT_TRUE(png->pixels() == drawnIcon(size).pixels())
            << path << " is not the icon's drawing at " << name;
    }
}

}  // namespace
}  // namespace glint::content_test
