// Drawing with a real GL context, read back pixel by pixel: sprite sheets with and without the
// flip flag, a band of a widget picture, and a line of text each land where, and which way up,
// the drawing rules say.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "PictureMaker.h"
#include "TestFiles.h"
#include "pack/DataPack.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "render/Font.h"
#include "render/PictureBand.h"
#include "render/Projection.h"
#include "render/Sprite.h"
#include "render/TgaTexture.h"

namespace glint {
namespace {

using test::Rgba;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

class Readback : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        ASSERT_TRUE(platform::startVideo(error)) << error;
        window_ = new platform::Window;
        ASSERT_TRUE(window_->create("readback", 0, 0, kWidth, kHeight)) << window_->error();
        Texture::setUploadEnabled(true);
    }
    static void TearDownTestSuite() {
        Texture::setUploadEnabled(false);
        delete window_;
        platform::stopAll();
    }
    void SetUp() override {
        setupProjection(kWidth, kHeight);
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glLoadIdentity();
    }

    // The colour at a point of the logical screen (y downward), read from the back buffer.
    static Rgba at(int x, int y) {
        glFinish();
        std::uint8_t p[4] = {};
        glReadPixels(x, kHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return Rgba{p[0], p[1], p[2], p[3]};
    }

    // The test font picture, uploaded into texture and built into font, which draws from it.
    static void loadTestFont(TgaTexture& texture, Font& font) {
        const Bytes picture = test::makeFontPicture(256, 128, 94, 24, 5, 16);
        ASSERT_TRUE(texture.loadFromMemory(picture, false, false));
        ASSERT_TRUE(font.buildGlyphs(picture));
        font.setTexture(&texture);
    }

    static platform::Window* window_;
    test::ScratchDirectory scratch;
};

platform::Window* Readback::window_ = nullptr;

// Close enough to a colour for filtered sampling.
::testing::AssertionResult near(Rgba actual, Rgba expected) {
    auto close = [](int a, int b) { return a - b <= 24 && b - a <= 24; };
    if (close(actual.r, expected.r) && close(actual.g, expected.g) && close(actual.b, expected.b)) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << "got (" << int(actual.r) << ", " << int(actual.g) << ", " << int(actual.b)
           << ") instead of (" << int(expected.r) << ", " << int(expected.g) << ", "
           << int(expected.b) << ")";
}

const Rgba kRed{255, 0, 0};
const Rgba kGreen{0, 255, 0};
const Rgba kBlue{0, 0, 255};
const Rgba kYellow{255, 255, 0};
const Rgba kBlack{0, 0, 0};

// A sheet of 2 groups x 2 frames, 4 x 4 pixels each. In the picture as stored (row 0 at the
// bottom), group 1 frame 1 is yellow in its upper half and blue in its lower half; every other
// cell is red over green.
Bytes orientationSheet() {
    return test::makeTga(8, 8, 32, [](int column, int row) {
        const bool cell11 = column >= 4 && row >= 4;
        const bool upper = row % 4 >= 2;
        if (cell11) {
            return upper ? kYellow : kBlue;
        }
        return upper ? kRed : kGreen;
    });
}

// Loads the orientation sheet into sprite, showing group 1, frame 1, drawn 100 x 100 units.
// (Filled in place: a copy of a sprite never owns its sheet.)
void loadOrientationSprite(Sprite& sprite) {
    test::writeFile("dat/sheet.tga", orientationSheet());
    DataPack pack;
    sprite.load(pack, test::bytesOf("file_name dat/sheet.tga groups 2 frames 2"), false, true);
    sprite.setGroup(1);
    sprite.setFrame(1);
    sprite.setSize(100.0f, 100.0f);
}

TEST_F(Readback, ASheetDrawnWithoutTheFlipShowsItsBandUpsideDown) {
    Sprite sprite;
    loadOrientationSprite(sprite);
    sprite.position = Vec3{200.0f, 200.0f, 0.0f};
    sprite.draw(true);
    EXPECT_TRUE(near(at(200, 170), kBlue));  // the band's lower half on top
    EXPECT_TRUE(near(at(200, 230), kYellow));
    EXPECT_TRUE(near(at(200, 140), kBlack));  // nothing outside the 100 x 100 rectangle
    EXPECT_TRUE(near(at(260, 200), kBlack));
}

TEST_F(Readback, ASheetDrawnWithTheFlipShowsItsBandUpright) {
    Sprite sprite;
    loadOrientationSprite(sprite);
    sprite.flipV = true;
    sprite.blended = true;
    sprite.position = Vec3{500.0f, 300.0f, 0.0f};
    sprite.draw(true);
    EXPECT_TRUE(near(at(500, 270), kYellow));
    EXPECT_TRUE(near(at(500, 330), kBlue));
}

TEST_F(Readback, AWidgetBandIsDrawnUprightFromTheBottomCount) {
    // Three bands of four rows; band k (from the bottom) is its own colour over green.
    const Rgba bandColour[] = {kRed, kYellow, kBlue};
    TgaTexture picture;
    ASSERT_TRUE(picture.loadFromMemory(test::makeTga(4, 12, 32,
                                                     [&](int, int row) {
                                                         const bool upper = row % 4 >= 2;
                                                         return upper ? bandColour[row / 4]
                                                                      : kGreen;
                                                     }),
                                       false, true));
    drawPictureBand(picture, 2, 3, 400.0f, 100.0f, 100.0f, 60.0f, 0.0f);
    EXPECT_TRUE(near(at(450, 112), kYellow));  // band 2, upper half at the top
    EXPECT_TRUE(near(at(450, 148), kGreen));
    EXPECT_TRUE(near(at(450, 95), kBlack));
}

TEST_F(Readback, TwentyFourBitRowsOfAnyWidthUploadIntact) {
    // Three pixels of three bytes: a row of 9 bytes, not a multiple of four.
    const Rgba columns[] = {kRed, kGreen, kBlue};
    TgaTexture picture;
    ASSERT_TRUE(picture.loadFromMemory(
        test::makeTga(3, 2, 24, [&](int column, int) { return columns[column]; }), false, false));
    drawPictureBand(picture, 1, 1, 100.0f, 450.0f, 300.0f, 60.0f, 0.0f);
    EXPECT_TRUE(near(at(150, 480), kRed));
    EXPECT_TRUE(near(at(250, 480), kGreen));
    EXPECT_TRUE(near(at(350, 480), kBlue));
}

TEST_F(Readback, TextRisesUprightAboveItsBaseline) {
    TgaTexture texture;
    Font font;
    ASSERT_NO_FATAL_FAILURE(loadTestFont(texture, font));
    // Each glyph of this picture is solid in its upper half and all but clear in its lower.
    font.drawText("!", 100.0f, 100.0f, 400.0f, 0.0f, 1.0f, 0.0f, 0.0f, 1.0f);
    const int middle = 100 + static_cast<int>(font.glyphWidth('!', 100.0f) / 2);
    EXPECT_TRUE(near(at(middle, 320), kRed));
    EXPECT_TRUE(near(at(middle, 380), kBlack));
    EXPECT_TRUE(near(at(middle, 420), kBlack));  // nothing below the baseline
    EXPECT_TRUE(near(at(middle, 290), kBlack));  // nor above the line's height
    // Drawing text leaves blending and the depth test off.
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
}

// A line of text goes to the renderer in one draw; it must show what drawing each glyph as a
// strip of its own showed.
TEST_F(Readback, TextInOneDrawShowsWhatAStripPerGlyphShowed) {
    TgaTexture texture;
    Font font;
    ASSERT_NO_FATAL_FAILURE(loadTestFont(texture, font));
    const std::string text = "Score: 1234 !\"#$%&'()*+,-./ ~}|{";
    auto frame = [] {
        glFinish();
        std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
        return rgb;
    };
    font.drawText(text, 37.0f, 20.5f, 300.25f, 10.0f, 0.8f, 0.9f, 0.2f, 1.0f);
    const std::vector<std::uint8_t> batched = frame();

    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindTexture(GL_TEXTURE_2D, texture.name);
    glEnable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glColor4f(0.8f, 0.9f, 0.2f, 1.0f);
    float x = 20.5f;
    const float height = 37.0f;
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u == ' ') {
            x += font.spaceWidth(height);
            continue;
        }
        const float w = font.glyphWidth(u, height);
        const Font::Glyph& g = font.glyph(u);
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(g.sLeft, g.tBottom);
        glVertex3f(x, 300.25f, 10.0f);
        glTexCoord2f(g.sLeft, g.tTop);
        glVertex3f(x, 300.25f - height, 10.0f);
        glTexCoord2f(g.sRight, g.tBottom);
        glVertex3f(x + w, 300.25f, 10.0f);
        glTexCoord2f(g.sRight, g.tTop);
        glVertex3f(x + w, 300.25f - height, 10.0f);
        glEnd();
        x += w + font.gap(height);
    }
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_BLEND);
    const std::vector<std::uint8_t> stripByStrip = frame();
    EXPECT_TRUE(batched == stripByStrip);
    EXPECT_GT(std::count_if(batched.begin(), batched.end(), [](std::uint8_t v) { return v > 100; }),
              1000);
}

// Everything above in one frame: what one drawing leaves behind (blending, depth test, bound
// texture) must not spoil the next. The frame is saved for a person to look at when
// GLINT_SHOT_DIR is set.
TEST_F(Readback, DrawingsInOneFrameDoNotDisturbEachOther) {
    Sprite sprite;
    loadOrientationSprite(sprite);
    sprite.position = Vec3{200.0f, 200.0f, 0.0f};
    sprite.draw(true);
    sprite.flipV = true;
    sprite.position = Vec3{350.0f, 200.0f, 0.0f};
    sprite.draw(true);
    TgaTexture texture;
    Font font;
    ASSERT_NO_FATAL_FAILURE(loadTestFont(texture, font));
    font.drawText("!\"#$ %&'", 60.0f, 150.0f, 400.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f);
    // A sprite drawn after the text, over the depth test the text switched off.
    sprite.flipV = false;
    sprite.position = Vec3{600.0f, 200.0f, 0.0f};
    sprite.draw(true);

    EXPECT_TRUE(near(at(200, 170), kBlue));
    EXPECT_TRUE(near(at(200, 230), kYellow));
    EXPECT_TRUE(near(at(350, 170), kYellow));
    EXPECT_TRUE(near(at(350, 230), kBlue));
    EXPECT_TRUE(near(at(600, 170), kBlue));
    const int middle = 150 + static_cast<int>(font.glyphWidth('!', 60.0f) / 2);
    EXPECT_TRUE(near(at(middle, 350), kYellow));  // the glyph's solid upper half

    const char* directory = std::getenv("GLINT_SHOT_DIR");
    if (directory == nullptr) {
        return;
    }
    glFinish();
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    // Read-back rows start at the bottom, as TGA rows do.
    Bytes tga = test::makeTga(kWidth, kHeight, 32, [&](int column, int row) {
        const std::uint8_t* p = &rgba[(static_cast<std::size_t>(row) * kWidth + column) * 4];
        return Rgba{p[0], p[1], p[2], 255};
    });
    test::writeFile(std::string(directory) + "/readback.tga", tga);
}

}  // namespace
}  // namespace glint
