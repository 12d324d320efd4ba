// The catalogue without a GL context: which sheets land in which slots, the skin count and the
// current skin kept in range, and the font measured from its picture.
#include "app/AssetCatalogue.h"

#include <gtest/gtest.h>

#include <string>

#include "PictureMaker.h"
#include "TestFiles.h"
#include "pack/DataPack.h"

namespace glint {
namespace {

using test::ScratchDirectory;
using test::writeFile;

class Catalogue : public ::testing::Test {
protected:
    // Skins 1 and 2 exist, each sheet a picture whose width tells the skin and the sheet apart.
    void SetUp() override {
        const char* sheets[] = {"g_1", "g_2", "g_3", "g_4", "g_7", "light"};
        for (int skin = 1; skin <= 2; ++skin) {
            for (int i = 0; i < 6; ++i) {
                std::string base = "dat/s" + std::to_string(skin) + "/" + sheets[i];
                writeFile(base + ".tga", test::makeTga(8 * (skin * 10 + i), 16, 32,
                                                       [](int, int) { return test::Rgba{}; }));
                writeFile(base + ".spr", "file_name " + base + ".tga groups 2 frames 1");
            }
        }
        writeFile("dat/p_1.tga",
                  test::makeTga(240, 240, 32, [](int, int) { return test::Rgba{}; }));
        writeFile("dat/p_1.spr", "file_name dat/p_1.tga groups 8 frames 8");
        writeFile("mui/font.tga", test::makeFontPicture(256, 128, 94, 24, 5, 16));
        writeFile("mui/menu.txt", "m_ok_btn mui/ok.tga");
        writeFile("mui/ok.tga", test::makeTga(128, 192, 32, [](int, int) { return test::Rgba{}; }));
    }

    ScratchDirectory scratch;
    DataPack pack;
    AssetCatalogue catalogue{pack};
};

TEST_F(Catalogue, EachSkinSheetLandsInItsGroupsSlot) {
    catalogue.setSkinCount(2);
    catalogue.load();
    const int groups[] = {kSkinBrick, kSkinSolid, kSkinLadder, kSkinRope, kSkinGold, kSkinLight};
    for (int skin = 0; skin < 2; ++skin) {
        for (int i = 0; i < 6; ++i) {
            Sprite& sprite = catalogue.slot(groups[i] * 6 + skin);
            ASSERT_NE(sprite.texture(), nullptr) << "skin " << skin << " sheet " << i;
            EXPECT_EQ(sprite.texture()->width, 8 * ((skin + 1) * 10 + i));
            EXPECT_EQ(sprite.groups, 2);
        }
    }
    // No third skin was loaded, and groups 4, 5, 7 and 8 are never used.
    EXPECT_EQ(catalogue.slot(kSkinBrick * 6 + 2).texture(), nullptr);
    EXPECT_EQ(catalogue.slot(4 * 6).texture(), nullptr);
    EXPECT_FLOAT_EQ(catalogue.playerSprite().frameWidth, 30.0f);
    EXPECT_EQ(catalogue.playerSprite().groups, 8);
}

TEST_F(Catalogue, TheCurrentSkinSelectsTheSlots) {
    catalogue.setSkinCount(2);
    catalogue.load();
    catalogue.setCurrentSkin(1);
    EXPECT_EQ(&catalogue.skinSprite(kSkinGold), &catalogue.slot(kSkinGold * 6 + 1));
    EXPECT_EQ(catalogue.skinSprite(kSkinRope).texture()->width, 8 * 23);
}

TEST_F(Catalogue, SkinCountAndCurrentSkinStayInRange) {
    catalogue.setSkinCount(0);
    EXPECT_EQ(catalogue.skinCount(), 1);
    catalogue.setSkinCount(9);
    EXPECT_EQ(catalogue.skinCount(), 6);
    catalogue.setCurrentSkin(5);
    EXPECT_EQ(catalogue.currentSkin(), 5);
    catalogue.setSkinCount(2);
    EXPECT_EQ(catalogue.currentSkin(), 1);
    catalogue.setCurrentSkin(-4);
    EXPECT_EQ(catalogue.currentSkin(), 0);
}

TEST_F(Catalogue, InterfacePicturesComeByTheirKeysAndTheFontIsMeasured) {
    catalogue.load();
    EXPECT_EQ(catalogue.texture(UiTexture::OkButton).width, 128);
    EXPECT_EQ(catalogue.texture(UiTexture::OkButton).height, 192);
    EXPECT_EQ(catalogue.texture(UiTexture::Font).width, 256);
    EXPECT_EQ(catalogue.texture(UiTexture::CancelButton).width, 0);  // its key is missing
    EXPECT_TRUE(catalogue.font().built());
}

TEST_F(Catalogue, EverySheetsGridIsSafeToDrawFromAtRandom) {
    catalogue.setSkinCount(6);  // skins 3 to 6 have no files at all
    catalogue.load();
    for (int slot = 0; slot < AssetCatalogue::kSlots; ++slot) {
        EXPECT_GE(catalogue.slot(slot).groups, 1);
        EXPECT_GE(catalogue.slot(slot).frames, 1);
    }
}

}  // namespace
}  // namespace glint
