// Sprite sheets without a GL context: what a sprite file makes of its picture, animation by the
// frame time, the clamps, and who owns the shared texture.
#include "render/Sprite.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PictureMaker.h"
#include "TestFiles.h"
#include "pack/DataPack.h"
#include "pack/FileIo.h"
#include "render/JpegTexture.h"
#include "render/TgaTexture.h"

namespace glint {
namespace {

using test::bytesOf;
using test::ScratchDirectory;
using test::writeFile;

Bytes picture(int width, int height) {
    return test::makeTga(width, height, 32, [](int, int) { return test::Rgba{9, 9, 9, 255}; });
}

class SpriteLoading : public ::testing::Test {
protected:
    Sprite load(std::string_view spriteFile) {
        Sprite sprite;
        EXPECT_TRUE(sprite.load(pack, bytesOf(spriteFile), false, true));
        return sprite;
    }

    ScratchDirectory scratch;
    DataPack pack;  // loose files only
};

TEST_F(SpriteLoading, TheFrameSizeFollowsThePictureAndTheGrid) {
    writeFile("dat/sheet.tga", picture(256, 128));
    Sprite sprite = load("file_name dat/sheet.tga groups 4 frames 8");
    EXPECT_EQ(sprite.groups, 4);
    EXPECT_EQ(sprite.frames, 8);
    EXPECT_FLOAT_EQ(sprite.frameWidth, 32.0f);
    EXPECT_FLOAT_EQ(sprite.frameHeight, 32.0f);
    EXPECT_TRUE(sprite.ownsTexture());
    EXPECT_NE(dynamic_cast<TgaTexture*>(sprite.texture()), nullptr);
    EXPECT_EQ(sprite.texture()->name, 0u);  // no GL context: nothing uploaded
}

TEST_F(SpriteLoading, AGridOfZeroOrLessCountsAsOne) {
    writeFile("dat/sheet.tga", picture(64, 32));
    Sprite sprite = load("file_name dat/sheet.tga groups 0 frames -3");
    EXPECT_EQ(sprite.groups, 1);
    EXPECT_EQ(sprite.frames, 1);
    EXPECT_FLOAT_EQ(sprite.frameWidth, 64.0f);
    EXPECT_FLOAT_EQ(sprite.frameHeight, 32.0f);

    // No more cells than the widest texture has pixels: a cycle of frames fits the clock.
    Sprite huge = load("file_name dat/sheet.tga groups 2147483647 frames 99999999999");
    EXPECT_EQ(huge.groups, Sprite::kMaxCells);
    EXPECT_EQ(huge.frames, Sprite::kMaxCells);
    huge.setFrameTime(199);
    huge.reverse = true;
    huge.animate(30);
    EXPECT_EQ(huge.frame, Sprite::kMaxCells - 1);
}

TEST_F(SpriteLoading, AMissingPictureLeavesAUsableSprite) {
    Sprite sprite = load("file_name dat/none.tga groups 2 frames 2");
    EXPECT_EQ(sprite.groups, 2);
    EXPECT_FLOAT_EQ(sprite.frameWidth, 0.0f);
    sprite.setGroup(1);
    sprite.animate(30);
    EXPECT_EQ(sprite.group, 1);
}

TEST_F(SpriteLoading, AJpegSheetWithoutAnAlphaPictureLoadsItsColourAlone) {
    ASSERT_EQ(std::system("convert -size 64x32 xc:orange dat_colour.jpg 2>/dev/null"), 0);
    std::filesystem::create_directories("dat");
    std::filesystem::rename("dat_colour.jpg", "dat/colour.jpg");
    Sprite sprite = load("file_name dat/colour.jpg groups 1 frames 2");
    auto* jpeg = dynamic_cast<JpegTexture*>(sprite.texture());
    ASSERT_NE(jpeg, nullptr);
    EXPECT_EQ(jpeg->components, 3);
    EXPECT_FLOAT_EQ(sprite.frameWidth, 32.0f);

    ASSERT_EQ(std::system("convert -size 64x32 xc:gray -colorspace Gray dat/alpha.jpg 2>/dev/null"),
              0);
    Sprite paired = load("file_name dat/colour.jpg file_alpha dat/alpha.jpg frames 2");
    EXPECT_EQ(dynamic_cast<JpegTexture*>(paired.texture())->components, 4);
}

TEST_F(SpriteLoading, AFailedTextureLoadKeepsThePreviousPicture) {
    ASSERT_EQ(std::system("convert -size 16x8 xc:orange colour.jpg 2>/dev/null && "
                          "convert -size 15x8 xc:gray -colorspace Gray narrow.jpg 2>/dev/null && "
                          "convert -size 16x8 xc:gray -colorspace Gray grey.jpg 2>/dev/null"),
              0);
    Bytes colour = readWholeFile("colour.jpg", 1 << 20).value();
    Bytes narrow = readWholeFile("narrow.jpg", 1 << 20).value();
    Bytes grey = readWholeFile("grey.jpg", 1 << 20).value();
    JpegTexture texture;
    ASSERT_TRUE(texture.loadPairFromMemory(colour, grey, true));
    EXPECT_EQ(texture.components, 4);
    // An alpha picture one pixel narrower, a grey picture alone, a broken one: all refused.
    EXPECT_FALSE(texture.loadPairFromMemory(colour, narrow, true));
    EXPECT_FALSE(texture.loadFromMemory(grey, false, true));
    EXPECT_FALSE(texture.loadFromMemory(bytesOf("not a picture"), false, true));
    EXPECT_EQ(texture.width, 16);
    EXPECT_EQ(texture.components, 4);

    TgaTexture tga;
    ASSERT_TRUE(tga.loadFromMemory(picture(4, 2), false, false));
    EXPECT_FALSE(tga.loadFromMemory(bytesOf("short"), false, false));
    EXPECT_EQ(tga.width, 4);
    EXPECT_EQ(tga.bitsPerPixel, 32);
}

TEST(SpriteAnimation, ForwardFramesFollowTheFrameTime) {
    Sprite sprite;
    sprite.frames = 4;
    sprite.setFrameTime(50);
    std::vector<int> frames;
    for (int step = 0; step < 7; ++step) {
        sprite.animate(30);
        frames.push_back(sprite.frame);
    }
    EXPECT_EQ(frames, (std::vector<int>{0, 1, 1, 2, 3, 3, 0}));
}

TEST(SpriteAnimation, BackwardFramesWrapFromTheEnd) {
    Sprite sprite;
    sprite.frames = 4;
    sprite.setFrameTime(50);
    sprite.reverse = true;
    std::vector<std::uint32_t> elapsed;
    std::vector<int> frames;
    for (int step = 0; step < 7; ++step) {
        sprite.animate(30);
        elapsed.push_back(sprite.elapsed);
        frames.push_back(sprite.frame);
    }
    EXPECT_EQ(elapsed, (std::vector<std::uint32_t>{170, 140, 110, 80, 50, 20, 170}));
    EXPECT_EQ(frames, (std::vector<int>{3, 2, 2, 1, 1, 0, 3}));
}

TEST(SpriteAnimation, GroupsAndFramesOutOfRangeSelectZero) {
    Sprite sprite;
    sprite.groups = 3;
    sprite.frames = 5;
    sprite.setFrameTime(40);
    sprite.setGroup(2);
    EXPECT_EQ(sprite.group, 2);
    sprite.setGroup(3);
    EXPECT_EQ(sprite.group, 0);
    sprite.setGroup(-1);
    EXPECT_EQ(sprite.group, 0);
    sprite.setFrame(4);
    EXPECT_EQ(sprite.frame, 4);
    EXPECT_EQ(sprite.elapsed, 160u);
    sprite.setFrame(5);
    EXPECT_EQ(sprite.frame, 0);
    EXPECT_EQ(sprite.elapsed, 0u);
    sprite.setFrameTime(0);
    sprite.animate(30);  // a zero frame time would divide by zero
    EXPECT_LT(sprite.frame, 5);
}

TEST_F(SpriteLoading, CopiesShareTheSheetAndNeverOwnIt) {
    writeFile("dat/a.tga", picture(64, 64));
    writeFile("dat/b.tga", picture(32, 32));
    Sprite original = load("file_name dat/a.tga groups 2 frames 2");
    Sprite copy(original);
    EXPECT_FALSE(copy.ownsTexture());
    EXPECT_EQ(copy.texture(), original.texture());
    EXPECT_FLOAT_EQ(copy.frameWidth, 32.0f);

    // Assigning a sheet to a sprite that owned another gives up the old one.
    Sprite owner = load("file_name dat/b.tga");
    ASSERT_TRUE(owner.ownsTexture());
    owner = original;
    EXPECT_FALSE(owner.ownsTexture());
    EXPECT_EQ(owner.texture(), original.texture());

    { Sprite temporary(original); }
    EXPECT_EQ(original.texture()->width, 64);  // a copy's end leaves the sheet alone
}

TEST_F(SpriteLoading, ReloadingReusesTheTextureObject) {
    writeFile("dat/a.tga", picture(64, 64));
    writeFile("dat/b.tga", picture(128, 32));
    Sprite sprite = load("file_name dat/a.tga");
    Texture* first = sprite.texture();
    sprite.load(pack, bytesOf("file_name dat/b.tga frames 4"), false, true);
    EXPECT_EQ(sprite.texture(), first);
    EXPECT_FLOAT_EQ(sprite.frameWidth, 32.0f);
}

}  // namespace
}  // namespace glint
