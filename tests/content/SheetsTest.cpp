// Sprite sheets appear upright as the game draws them, and their frames do what play needs:
// a brick that opens and closes fairly, ladders and ropes that join, figures that survive the
// enemies' tint.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "ContentFiles.h"
#include "FigureSource.h"
#include "SheetSource.h"

namespace glint::content_test {
namespace {

// One frame as it appears on screen, row 0 at the top.
struct Frame {
    int size = 0;
    std::vector<Texel> pixels;
    const Texel& at(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
    double transparentShare() const {
        return static_cast<double>(std::count_if(pixels.begin(), pixels.end(),
                                                 [](const Texel& t) { return t.a == 0; })) /
               static_cast<double>(pixels.size());
    }
    bool operator==(const Frame& o) const {
        return size == o.size &&
               std::equal(pixels.begin(), pixels.end(), o.pixels.begin(), [](auto& a, auto& b) {
                   return a.r == b.r && a.g == b.g && a.b == b.b && a.a == b.a;
               });
    }
};

// The frame the game shows for (group, frame): a sprite's quad takes texture row
// group / groups at its top edge, or (group + 1) / groups with the flip flag, and texture row 0
// is the first row stored in the file.
Frame drawnFrame(const Image& sheet, int groups, int frames, int group, int frame, bool flip) {
    Frame out;
    out.size = sheet.width / frames;
    const int cellHeight = sheet.height / groups;
    for (int y = 0; y < cellHeight; ++y) {
        const int row = flip ? (group + 1) * cellHeight - 1 - y : group * cellHeight + y;
        for (int x = 0; x < out.size; ++x) {
            out.pixels.push_back(texel(sheet, frame * out.size + x, row));
        }
    }
    return out;
}

Frame sourceFrame(const glint::content::Sheet& sheet, int group, int frame) {
    Frame out;
    out.size = sheet.cell;
    const auto& img = sheet.at(group, frame);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            auto p = img.at(x, y);
            out.pixels.push_back({p.r, p.g, p.b, p.a});
        }
    }
    return out;
}

// How each sheet is drawn by the tiles and lights (the flip flag), and its source file name.
struct SheetKind {
    const char* name;
    const char* source;
    bool flip;
};
constexpr SheetKind kSheets[] = {{"g_1", "brick", false},  {"g_2", "solid", false},
                                 {"g_3", "ladder", false}, {"g_4", "rope", true},
                                 {"g_7", "gold", true},    {"light", "light", true}};

std::vector<std::string> skinNames() {
    std::ifstream in(kAssetsDir + "/skins/order.txt");
    std::vector<std::string> names;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.find("//") == std::string::npos) {
            names.push_back(line);
        }
    }
    return names;
}

struct LoadedSheet {
    Image picture;
    int groups = 0;
    int frames = 0;
    bool flip = false;
    Frame frame(int g, int f) const { return drawnFrame(picture, groups, frames, g, f, flip); }
};

LoadedSheet load(const std::string& spr, bool flip) {
    SheetInfo info = sheetInfo(spr);
    auto img = tgaPicture(info.picture);
    EXPECT_TRUE(img.has_value()) << info.picture;
    return {img.value_or(Image{}), info.groups, info.frames, flip};
}

std::string sheetPath(int skin, const char* name) {
    return "dat/s" + std::to_string(skin) + "/" + name + ".spr";
}

TEST(ContentSheets, EveryFrameAppearsAsItsSourceDrawsIt) {
    const std::vector<std::string> names = skinNames();
    ASSERT_EQ(static_cast<int>(names.size()), skinCount())
        << "assets/skins/order.txt and dat/param.txt disagree";
    for (std::size_t n = 0; n < names.size(); ++n) {
        for (const SheetKind& kind : kSheets) {
            const std::string src = kAssetsDir + "/skins/" + names[n] + "/" + kind.source + ".txt";
            glint::content::Sheet source = glint::content::readSheetSource(src);
            LoadedSheet built = load(sheetPath(static_cast<int>(n) + 1, kind.name), kind.flip);
            ASSERT_EQ(built.groups, source.groups) << src;
            ASSERT_EQ(built.frames, source.frames) << src;
            for (int g = 0; g < source.groups; ++g) {
                for (int f = 0; f < source.frames; ++f) {
                    EXPECT_TRUE(built.frame(g, f) == sourceFrame(source, g, f))
                        << src << ": group " << g << " frame " << f << " is not shown upright";
                }
            }
        }
    }
    glint::content::Sheet figure =
        glint::content::readFigureSource(kAssetsDir + "/figure/figure.txt");
    LoadedSheet built = load("dat/p_1.spr", true);
    ASSERT_EQ(built.groups, figure.groups);
    ASSERT_EQ(built.frames, figure.frames);
    for (int g = 0; g < figure.groups; ++g) {
        for (int f = 0; f < figure.frames; ++f) {
            EXPECT_TRUE(built.frame(g, f) == sourceFrame(figure, g, f))
                << "figure group " << g << " frame " << f << " is not shown upright";
        }
    }
}

TEST(ContentSheets, BricksOpenFromIntactToAHoleAndLookClosedOnlyWhenSolid) {
    for (int skin = 1; skin <= skinCount(); ++skin) {
        LoadedSheet brick = load(sheetPath(skin, "g_1"), false);
        const int n = brick.frames;
        ASSERT_GE(n, 8);
        EXPECT_EQ(brick.frame(0, 0).transparentShare(), 0.0)
            << "skin " << skin << ": the intact brick is drawn without blending, so it is whole";
        EXPECT_GT(brick.frame(0, n - 1).transparentShare(), 0.9)
            << "skin " << skin << ": the last frame is the open hole";
        // Closing, the brick is solid again from frame n / 4 down: those frames must look
        // nearly whole, and every frame above must show a real opening.
        for (int f = 1; f <= n / 4; ++f) {
            EXPECT_LT(brick.frame(0, f).transparentShare(), 0.1)
                << "skin " << skin << " frame " << f << " counts as solid but looks open";
        }
        for (int f = n / 4 + 1; f < n; ++f) {
            EXPECT_GT(brick.frame(0, f).transparentShare(), 0.08)
                << "skin " << skin << " frame " << f << " is open but looks solid";
            EXPECT_GE(brick.frame(0, f).transparentShare(),
                      brick.frame(0, f - 1).transparentShare())
                << "skin " << skin << ": frame " << f << " is less open than the one before";
        }
    }
}

TEST(ContentSheets, SolidBlocksAreWholeAndLaddersAndRopesJoinTheirNeighbours) {
    for (int skin = 1; skin <= skinCount(); ++skin) {
        EXPECT_EQ(load(sheetPath(skin, "g_2"), false).frame(0, 0).transparentShare(), 0.0)
            << "skin " << skin << ": the solid block is drawn without blending";
        Frame ladder = load(sheetPath(skin, "g_3"), false).frame(0, 0);
        int rails = 0;
        for (int x = 0; x < ladder.size; ++x) {
            const bool top = ladder.at(x, 0).a != 0;
            EXPECT_EQ(top, ladder.at(x, ladder.size - 1).a != 0)
                << "skin " << skin << ": ladder column " << x << " does not meet the next cell";
            rails += top;
        }
        EXPECT_GE(rails, 2) << "skin " << skin << ": the ladder's rails reach the cell's edges";
        Frame rope = load(sheetPath(skin, "g_4"), true).frame(0, 0);
        int strands = 0;
        for (int y = 0; y < rope.size; ++y) {
            const bool left = rope.at(0, y).a != 0;
            EXPECT_EQ(left, rope.at(rope.size - 1, y).a != 0)
                << "skin " << skin << ": rope row " << y << " does not meet the next cell";
            strands += left;
        }
        EXPECT_GE(strands, 2) << "skin " << skin << ": the rope reaches the cell's sides";
        // Hands on a rope sit in the upper part of the figure: the rope is in the top third.
        for (int y = rope.size / 3; y < rope.size; ++y) {
            EXPECT_EQ(rope.at(0, y).a, 0) << "skin " << skin << ": rope row " << y;
        }
    }
}

// A skin listed twice in assets/skins/order.txt, or copied from another and not yet redrawn,
// would show the player the same playfield under two numbers.
TEST(ContentSheets, EverySkinsTilesLookDifferentFromEveryOthers) {
    for (int a = 1; a <= skinCount(); ++a) {
        for (int b = a + 1; b <= skinCount(); ++b) {
            for (const char* tile : {"g_1", "g_2", "g_3", "g_4"}) {
                EXPECT_NE(load(sheetPath(a, tile), false).picture.pixels,
                          load(sheetPath(b, tile), false).picture.pixels)
                    << "skins " << a << " and " << b << " share the picture of " << tile;
            }
        }
    }
}

// Blended sheets whose frames sit side by side keep a clear pixel round every frame, since
// filtering reads across the frame's edge.
void expectClearBorder(const LoadedSheet& sheet, const std::string& what) {
    for (int g = 0; g < sheet.groups; ++g) {
        for (int f = 0; f < sheet.frames; ++f) {
            Frame fr = sheet.frame(g, f);
            for (int i = 0; i < fr.size; ++i) {
                ASSERT_EQ(fr.at(i, 0).a, 0) << what << " group " << g << " frame " << f;
                ASSERT_EQ(fr.at(i, fr.size - 1).a, 0) << what << " group " << g << " frame " << f;
                ASSERT_EQ(fr.at(0, i).a, 0) << what << " group " << g << " frame " << f;
                ASSERT_EQ(fr.at(fr.size - 1, i).a, 0) << what << " group " << g << " frame " << f;
            }
            EXPECT_LT(fr.transparentShare(), 0.999)
                << what << " group " << g << " frame " << f << " is empty";
        }
    }
}

TEST(ContentSheets, GoldLightsAndTheFigureAreFramedByClearPixelsAndVary) {
    for (int skin = 1; skin <= skinCount(); ++skin) {
        LoadedSheet gold = load(sheetPath(skin, "g_7"), true);
        expectClearBorder(gold, "skin " + std::to_string(skin) + " gold");
        for (int g = 1; g < gold.groups; ++g) {
            EXPECT_FALSE(gold.frame(g, 0) == gold.frame(0, 0))
                << "skin " << skin << ": gold variant " << g << " repeats variant 0";
        }
        LoadedSheet light = load(sheetPath(skin, "light"), true);
        for (int g = 0; g < light.groups; ++g) {
            bool animated = false;
            for (int f = 1; f < light.frames; ++f) {
                animated = animated || !(light.frame(g, f) == light.frame(g, 0));
            }
            EXPECT_TRUE(animated) << "skin " << skin << ": light " << g << " never changes";
        }
        expectClearBorder(light, "skin " + std::to_string(skin) + " light");
    }
    expectClearBorder(load("dat/p_1.spr", true), "figure");
}

// Enemies are the figure drawn in colour (1, 0, 1): a bright colour made of green alone
// would turn into a black hole in the enemy.
TEST(ContentSheets, TheFigureStaysVisibleUnderTheEnemyTint) {
    LoadedSheet figure = load("dat/p_1.spr", true);
    int lost = 0, visible = 0;
    for (int g = 0; g < figure.groups; ++g) {
        for (int f = 0; f < figure.frames; ++f) {
            for (const Texel& t : figure.frame(g, f).pixels) {
                if (t.a < 128) {
                    continue;
                }
                const bool bright = t.r + t.g + t.b > 3 * 90;
                const bool darkWhenTinted = std::max(t.r, t.b) < 50;
                lost += bright && darkWhenTinted;
                visible += std::max(t.r, t.b) >= 50;
            }
        }
    }
    EXPECT_EQ(lost, 0) << "bright pixels that the enemy tint turns black";
    EXPECT_GT(visible, 0);
}

}  // namespace
}  // namespace glint::content_test
