// A game frame as the game draws it (the playfield's sheets batched, the grid without a depth
// test, cell sheets sampled at their full size and clamped to their edge texels, or at one
// pixel a unit drawn from their cell copies) against the same frame drawn sprite by sprite with
// every sheet sampled as loaded. Batching, the grid without a depth test and full-size sampling
// give the very same pixels; the cell copies, resampled once on the processor, round
// differently from the renderer by at most one level of 255 in a channel, on fewer than one
// pixel in 100 (one in 240 on the first level). Drawn with our real content, on a real GL context.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/App.h"
#include "app/MainWindow.h"
#include "platform/System.h"
#include "play/GameFlow.h"
#include "render/Projection.h"
#include "world/BrickTile.h"

namespace glint {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

std::vector<std::uint8_t> readFrame() {
    glFinish();
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

void startFrame() {
    setupProjection(kWidth, kHeight);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_ALPHA_TEST);
    glEnable(GL_DEPTH_TEST);
    glLoadIdentity();
}

// The playfield as it was drawn before any batching: cell by cell, each light then its tile,
// then each enemy and the player, every sheet sampled as it was loaded.
void drawSpriteBySprite(const App& app, const GameFlow& flow) {
    const LevelGrid& grid = *flow.grid();
    for (int r = 0; r < LevelGrid::kHeight; ++r) {
        for (int c = 0; c < LevelGrid::kWidth; ++c) {
            const Tile* tile = grid.tileAt(c, r);
            for (const Sprite* sprite :
                 {tile != nullptr ? &tile->sprite : nullptr, grid.lightAt(c, r)}) {
                if (Texture* sheet = sprite != nullptr ? sprite->texture() : nullptr) {
                    glBindTexture(GL_TEXTURE_2D, sheet->name);
                    sheet->setSampling(Texture::Sampling::AsLoaded);
                }
            }
        }
    }
    glPushMatrix();
    applyCamera(app.camera);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    for (int r = 0; r < LevelGrid::kHeight - 1; ++r) {
        for (int c = 1; c < LevelGrid::kWidth - 1; ++c) {
            if (const Sprite* light = grid.lightAt(c, r)) {
                light->draw(true);
            }
            if (const Tile* tile = grid.tileAt(c, r)) {
                tile->draw();
            }
        }
    }
    for (const auto& enemy : flow.enemies()) {
        enemy->draw();
    }
    flow.player()->draw();
    glPopMatrix();
    flow.hud().draw(app.catalogue->font());
}

class FrameReadback : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(FrameReadback, TheGameDrawsThePictureOfDrawingSpriteBySprite) {
    const char* pack = std::getenv("GLINT_PACK");
    ASSERT_NE(pack, nullptr) << "GLINT_PACK names the built data pack";
    std::string error;
    ASSERT_TRUE(platform::startVideo(error)) << error;
    {
        App app(pack);
        app.mainWindow = std::make_unique<MainWindow>(&app);
        ASSERT_TRUE(app.mainWindow->create("frame", 0, 0, kWidth, kHeight));
        app.catalogue->load();
        const auto [set, level] = GetParam();
        app.settings.m_level_set = set;
        GameFlow::Options options;
        options.seed = 7;
        GameFlow flow(app, options);
        flow.loadLevel(level);
        for (int t = 0; t < 160; ++t) {  // past the reveal, lights turning
            flow.tick(30);
        }
        // A few bricks half dug (blended, partly open) among the intact ones.
        int dug = 0;
        for (int c = 1; c < LevelGrid::kWidth - 1 && dug < 4; c += 3) {
            for (int r = 1; r < LevelGrid::kHeight - 1; ++r) {
                if (isKind(flow.grid()->tileAt(c, r), TileKind::Brick)) {
                    flow.grid()->tileAt(c, r)->trigger();
                    ++dug;
                    break;
                }
            }
        }
        for (int t = 0; t < 3; ++t) {
            flow.tick(30);
        }

        startFrame();
        drawSpriteBySprite(app, flow);
        const std::vector<std::uint8_t> reference = readFrame();
        // Told of a window a pixel wider, the game samples its cells at full size but keeps the
        // border clamp: the very same pixels.
        startFrame();
        flow.draw(kWidth + 1, kHeight);
        const std::vector<std::uint8_t> fullSize = readFrame();
        startFrame();
        flow.draw(kWidth, kHeight);
        const std::vector<std::uint8_t> game = readFrame();
        const Sprite& brick = app.catalogue->skinSprite(kSkinBrick);
        ASSERT_NE(brick.texture()->cellCopy(brick.frames, brick.groups, 25), nullptr)
            << "the bricks are drawn from a cell copy";

        std::size_t exactMisses = 0;
        std::size_t roundedOff = 0;
        int worst = 0;
        std::size_t lit = 0;
        for (std::size_t i = 0; i < game.size(); i += 3) {
            bool off = false;
            for (std::size_t k = i; k < i + 3; ++k) {
                exactMisses += fullSize[k] != reference[k];
                const int d = std::abs(game[k] - reference[k]);
                worst = std::max(worst, d);
                off = off || d != 0;
            }
            roundedOff += off;
            lit += game[i] + game[i + 1] + game[i + 2] > 60;
        }
        EXPECT_EQ(exactMisses, 0u) << "channels that differ, batched at full size";
        EXPECT_LE(worst, 1) << "the largest difference, from cell copies";
        EXPECT_LT(roundedOff, game.size() / 3 / 100) << "pixels that differ, from cell copies";
        EXPECT_GT(lit, 20000u) << "the frame shows the level";
        app.catalogue->unload();
        app.mainWindow->destroy();
    }
    platform::stopAll();
}

// The first level of the first set, and the crowded last level of the second.
INSTANTIATE_TEST_SUITE_P(Levels, FrameReadback,
                         ::testing::Values(std::make_pair(0, 1), std::make_pair(1, 75)));

}  // namespace
}  // namespace glint
