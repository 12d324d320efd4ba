// Every interface picture loads with the game's own loaders, in sizes OpenGL 1.x accepts, with
// its states in clean bands.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "ContentFiles.h"
#include "app/AssetCatalogue.h"
#include "render/Texture.h"

namespace glint::content_test {
namespace {

bool powerOfTwo(int n) {
    return n > 0 && (n & (n - 1)) == 0;
}

// The widget pictures with their band counts: buttons three, toggles four, text fields two.
std::vector<std::pair<std::string, int>> widgetPictures() {
    ParamTable menu = table("mui/menu.txt");
    std::vector<std::pair<std::string, int>> out;
    for (const std::string& key : menuPictureKeys()) {
        int bands = 3;
        if (key == "m_radio_btn") {
            bands = 4;
        } else if (key.ends_with("editbox")) {
            bands = 2;
        }
        out.emplace_back(menu.get(key, ""), bands);
    }
    for (const char* path : {"mui/quillfen.tga", "mui/up_btn.tga", "mui/down_btn.tga",
                             "mui/skin_up_btn.tga", "mui/skin_down_btn.tga"}) {
        out.emplace_back(path, 3);
    }
    out.emplace_back("mui/checkbox.tga", 4);
    out.emplace_back("mui/key_reader.tga", 2);
    return out;
}

TEST(ContentPictures, LoadThroughTheCatalogueWithoutAWindow) {
    Texture::setUploadEnabled(false);
    AssetCatalogue catalogue(pack());
    catalogue.setSkinCount(skinCount());
    ASSERT_EQ(catalogue.skinCount(), skinCount());
    catalogue.load();

    for (int role = 0; role < static_cast<int>(UiTexture::Count); ++role) {
        const TgaTexture& t = catalogue.texture(static_cast<UiTexture>(role));
        EXPECT_TRUE(powerOfTwo(t.width) && powerOfTwo(t.height))
            << "interface texture " << role << " is " << t.width << " x " << t.height;
        EXPECT_EQ(t.bitsPerPixel, 32) << "interface texture " << role;
    }
    for (int which = 0; which < static_cast<int>(LargePicture::Count); ++which) {
        const JpegTexture& p = catalogue.picture(static_cast<LargePicture>(which));
        EXPECT_TRUE(powerOfTwo(p.width) && powerOfTwo(p.height))
            << "large picture " << which << " is " << p.width << " x " << p.height;
        EXPECT_EQ(p.components, 3) << "large picture " << which;
    }
    EXPECT_TRUE(catalogue.font().built());
    EXPECT_EQ(catalogue.font().glyphsFound(), 94);

    for (int skin = 0; skin < catalogue.skinCount(); ++skin) {
        for (SkinGroup group :
             {kSkinBrick, kSkinSolid, kSkinLadder, kSkinRope, kSkinGold, kSkinLight}) {
            Sprite& s = catalogue.slot(group * AssetCatalogue::kMaxSkins + skin);
            ASSERT_NE(s.texture(), nullptr) << "skin " << skin + 1 << " group " << group;
            EXPECT_TRUE(powerOfTwo(s.texture()->width) && powerOfTwo(s.texture()->height))
                << "skin " << skin + 1 << " group " << group;
            EXPECT_GT(s.frameWidth, 0.0f) << "skin " << skin + 1 << " group " << group;
            EXPECT_EQ(s.frameWidth, s.frameHeight)
                << "frames are square: skin " << skin + 1 << " group " << group;
        }
        EXPECT_GE(catalogue.slot(kSkinBrick * 6 + skin).frames, 8) << "the brick crumbles";
        EXPECT_GE(catalogue.slot(kSkinGold * 6 + skin).groups, 2) << "gold comes in variants";
        EXPECT_GE(catalogue.slot(kSkinLight * 6 + skin).groups, 2) << "several lights";
        EXPECT_GE(catalogue.slot(kSkinLight * 6 + skin).frames, 2) << "lights flicker";
    }
    Sprite& figure = catalogue.playerSprite();
    ASSERT_NE(figure.texture(), nullptr);
    EXPECT_GE(figure.groups, 8);
    EXPECT_GE(figure.frames, 2);
    EXPECT_EQ(figure.frameWidth, figure.frameHeight);
}

TEST(ContentPictures, LargePicturesAreColourJpegsOfPowerOfTwoSizes) {
    for (const char* name :
         {"mui/dialog_wnd.jpg", "mui/exit_dialog_wnd.jpg", "mui/main_wnd.jpg", "mui/intro.jpg"}) {
        auto img = jpegPicture(name);
        ASSERT_TRUE(img.has_value()) << name;
        EXPECT_EQ(img->components, 3) << name;
        EXPECT_TRUE(powerOfTwo(img->width) && powerOfTwo(img->height)) << name;
    }
}

// Sampling a band must never pick up its neighbour: each state keeps clear rows where it meets
// the next one (a band of a three-band, power-of-two picture ends inside a row), and at the
// picture's top and bottom, which wrap into each other on repeating textures.
TEST(ContentPictures, WidgetStatesAreSeparateFilledAndDifferent) {
    for (const auto& [path, bands] : widgetPictures()) {
        auto img = tgaPicture(path);
        ASSERT_TRUE(img.has_value()) << path;
        ASSERT_EQ(img->components, 4) << path << ": widgets are drawn blended";
        EXPECT_TRUE(powerOfTwo(img->width) && powerOfTwo(img->height)) << path;
        const float bandHeight = static_cast<float>(img->height) / static_cast<float>(bands);
        for (int row = 0; row < img->height; ++row) {
            bool nearEdge = false;
            for (int k = 0; k <= bands; ++k) {
                if (std::fabs(static_cast<float>(row) + 0.5f -
                              bandHeight * static_cast<float>(k)) <= 1.5f) {
                    nearEdge = true;
                }
            }
            if (!nearEdge) {
                continue;
            }
            for (int x = 0; x < img->width; ++x) {
                ASSERT_EQ(texel(*img, x, row).a, 0)
                    << path << ": row " << row << " touches a band edge";
            }
        }
        // Each band drawn, and no two states alike.
        std::vector<std::vector<double>> means;
        for (int k = 0; k < bands; ++k) {
            double sum[4] = {0, 0, 0, 0};
            int inked = 0, count = 0;
            for (int row = static_cast<int>(std::ceil(bandHeight * k));
                 row < static_cast<int>(bandHeight * (k + 1)); ++row) {
                for (int x = 0; x < img->width; ++x) {
                    Texel t = texel(*img, x, row);
                    sum[0] += t.r * t.a / 255.0;
                    sum[1] += t.g * t.a / 255.0;
                    sum[2] += t.b * t.a / 255.0;
                    sum[3] += t.a;
                    inked += t.a > 128;
                    ++count;
                }
            }
            EXPECT_GT(inked, count / 20) << path << ": band " << k << " is nearly empty";
            means.push_back({sum[0] / count, sum[1] / count, sum[2] / count, sum[3] / count});
        }
        for (int a = 0; a < bands; ++a) {
            for (int b = a + 1; b < bands; ++b) {
                double d = 0;
                for (int c = 0; c < 4; ++c) {
                    d += std::fabs(means[a][c] - means[b][c]);
                }
                EXPECT_GT(d, 1.0) << path << ": states " << a + 1 << " and " << b + 1
                                  << " look the same";
            }
        }
    }
}

}  // namespace
}  // namespace glint::content_test
