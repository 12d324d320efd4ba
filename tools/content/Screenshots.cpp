// glint-content-shots: draws the content with the game's own sprites, font and widget bands in
// a real OpenGL window and saves what the window shows, so that people can check that every
// picture appears upright, crisp and legible.
#include <GL/gl.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "Image.h"
#include "PictureFiles.h"
#include "app/AssetCatalogue.h"
#include "pack/DataPack.h"
#include "pack/ParamTable.h"
#include "platform/System.h"
#include "platform/Window.h"
#include "render/Font.h"
#include "render/PictureBand.h"
#include "render/Projection.h"
#include "render/Sprite.h"

namespace {

using namespace glint;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

void clear(float r, float g, float b) {
    setupProjection(kWidth, kHeight);
    glClearColor(r, g, b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
}

bool save(const std::string& path) {
    glFinish();
    std::vector<std::uint8_t> rgba(static_cast<std::size_t>(kWidth) * kHeight * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    content::Image img(kWidth, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            // GL rows start at the bottom of the window.
            const std::uint8_t* p =
                rgba.data() + (static_cast<std::size_t>(kHeight - 1 - y) * kWidth + x) * 4;
            img.at(x, y) = {p[0], p[1], p[2], 255};
        }
    }
    std::string error;
    if (!content::writeTga(path, img, 24, error)) {
        std::fprintf(stderr, "glint-content-shots: %s\n", error.c_str());
        return false;
    }
    return true;
}

// A copy of a catalogue sprite set up the way a tile, light or figure sets up its own.
Sprite placed(const Sprite& sheet, float x, float y, float size, int group, int frame, bool blended,
              bool flip) {
    Sprite s(sheet);
    s.setSize(size, size);
    s.setGroup(group);
    s.setFrame(frame);
    s.blended = blended;
    s.flipV = flip;
    s.position = Vec3{x, y, 0.0f};
    return s;
}

void label(const Font& font, const std::string& text, float size, float x, float y) {
    font.drawText(text, size, x + 2, y + 2, 10, 0, 0, 0, 1);
    font.drawText(text, size, x, y, 10, 1, 1, 0, 1);
}

// One skin: a little level at the game's size, the brick's crumbling and every tile enlarged.
void drawSkin(AssetCatalogue& cat, int skin) {
    auto sheet = [&](SkinGroup g) -> const Sprite& {
        return cat.slot(g * AssetCatalogue::kMaxSkins + skin);
    };
    const char* level[] = {
        "................",  //
        "..L*...H........",  //
        "TTTTTTTH----..*.",  //
        "MM.....H...HTTTT",  //
        "MM.*.L.H.$.H..!.",  //
        "TTTTTTTTTTTTTTTT",  //
    };
    int variant = 0;
    for (int pass = 0; pass < 2; ++pass) {
        for (int r = 0; r < 6; ++r) {
            for (int c = 0; c < 16; ++c) {
                const float x = 12.5f + 25.0f * c, y = 12.5f + 25.0f * r;
                const char ch = level[r][c];
                if (pass == 0 && ch == 'L') {
                    Sprite s =
                        placed(sheet(kSkinLight), x, y, 25, variant % sheet(kSkinLight).groups,
                               variant % sheet(kSkinLight).frames, true, true);
                    s.position.z = -5.0f;
                    s.draw(true);
                    ++variant;
                } else if (pass == 1 && ch == 'T') {
                    placed(sheet(kSkinBrick), x, y, 25, 0, 0, false, false).draw(true);
                } else if (pass == 1 && ch == 'M') {
                    placed(sheet(kSkinSolid), x, y, 25, 0, 0, false, false).draw(true);
                } else if (pass == 1 && ch == 'H') {
                    placed(sheet(kSkinLadder), x, y, 25, 0, 0, true, false).draw(true);
                } else if (pass == 1 && ch == '-') {
                    placed(sheet(kSkinRope), x, y, 25, 0, 0, true, true).draw(true);
                } else if (pass == 1 && ch == '*') {
                    placed(sheet(kSkinGold), x, y, 25, variant++ % sheet(kSkinGold).groups, 0, true,
                           true)
                        .draw(true);
                } else if (pass == 1 && (ch == '!' || ch == '$')) {
                    Sprite s =
                        placed(cat.playerSprite(), x + 3, y, 30, ch == '!' ? 2 : 1, 3, true, true);
                    s.position.z = 2.0f;
                    if (ch == '$') {
                        glColor3f(1, 0, 1);
                    }
                    s.draw(true);
                    glColor3f(1, 1, 1);
                }
            }
        }
    }
    // Every light group at the game's size, one row each, and the gold variants.
    const Sprite& light = sheet(kSkinLight);
    for (int g = 0; g < light.groups; ++g) {
        for (int f = 0; f < light.frames; ++f) {
            placed(light, 437.5f + 25.0f * f, 12.5f + 30.0f * g, 25, g, f, true, true).draw(true);
        }
    }
    const Sprite& gold = sheet(kSkinGold);
    for (int g = 0; g < gold.groups; ++g) {
        placed(gold, 437.5f + 30.0f * g, 12.5f + 30.0f * light.groups, 25, g, 0, true, true)
            .draw(true);
    }
    // Enlarged three times: the brick from intact to open, then the other tiles.
    const Sprite& brick = sheet(kSkinBrick);
    for (int f = 0; f < brick.frames && f < 10; ++f) {
        placed(brick, 37.5f + 78.0f * f, 237.5f, 75, 0, f, f != 0, false).draw(true);
    }
    const float y = 330.0f;
    placed(sheet(kSkinSolid), 37.5f, y, 75, 0, 0, false, false).draw(true);
    placed(sheet(kSkinLadder), 115.5f, y, 75, 0, 0, true, false).draw(true);
    placed(sheet(kSkinRope), 193.5f, y, 75, 0, 0, true, true).draw(true);
    for (int g = 0; g < gold.groups && g < 4; ++g) {
        placed(gold, 271.5f + 78.0f * g, y, 75, g, 0, true, true).draw(true);
    }
    for (int g = 0; g < light.groups && g < 4; ++g) {
        placed(light, 37.5f + 78.0f * g, y + 80, 75, g, 2, true, true).draw(true);
    }
    label(cat.font(), "Skin " + std::to_string(skin + 1), 30, 600, 560);
}

// The figure in every group and frame, as the player and as an enemy, enlarged 1.5 times, and
// one row at the game's size.
void drawFigure(AssetCatalogue& cat) {
    const Sprite& fig = cat.playerSprite();
    for (int pass = 0; pass < 2; ++pass) {
        if (pass == 1) {
            glColor3f(1, 0, 1);
        }
        for (int g = 0; g < fig.groups; ++g) {
            for (int f = 0; f < fig.frames; ++f) {
                placed(fig, 25.0f + 45.0f * f + pass * 390.0f, 25.0f + 45.0f * g, 45, g, f, true,
                       true)
                    .draw(true);
            }
        }
        glColor3f(1, 1, 1);
    }
    for (int g = 0; g < fig.groups; ++g) {
        placed(fig, 20.0f + 32.0f * g, 560.0f, 30, g, 1, true, true).draw(true);
        glColor3f(1, 0, 1);
        placed(fig, 420.0f + 32.0f * g, 560.0f, 30, g, 1, true, true).draw(true);
        glColor3f(1, 1, 1);
    }
}

void drawText(const Font& font) {
    float y = 40;
    for (float size : {23.0f, 24.0f, 25.0f, 30.0f, 35.0f, 40.0f, 50.0f}) {
        char text[64];
        std::snprintf(text, sizeof text, "%g: Glint Seeker, Score: %7d", size, 1500);
        label(font, text, size, 10, y);
        y += size + 10;
    }
    label(font, "!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMN", 25, 10, y + 10);
    label(font, "OPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~", 25, 10, y + 45);
    font.drawText("Score:    1500      Lives:   3      Level:  12", 24, 50, 580, 10, 0.85f, 0.93f,
                  0.12f, 1);
}

// Every interface picture in each of its states, left to right.
void drawWidgets(AssetCatalogue& cat, int from, int to) {
    float x = 10, y = 10, rowHeight = 0;
    for (int role = from; role < to; ++role) {
        const auto which = static_cast<UiTexture>(role);
        int bands = 3;
        if (which == UiTexture::Font) {
            continue;
        }
        if (which == UiTexture::CheckBox || which == UiTexture::RadioButton) {
            bands = 4;
        } else if (which == UiTexture::NameEditBox || which == UiTexture::LevelNumberEditBox ||
                   which == UiTexture::KeyReader) {
            bands = 2;
        }
        const TgaTexture& t = cat.texture(which);
        const float w = static_cast<float>(t.width), h = static_cast<float>(t.height) / bands;
        if (x + (w + 8) * bands > 790) {
            x = 10;
            y += rowHeight + 8;
            rowHeight = 0;
        }
        for (int k = 1; k <= bands; ++k) {
            drawPictureBand(t, k, bands, x, y, w, h, 0);
            x += w + 8;
        }
        x += 12;
        rowHeight = std::max(rowHeight, h);
    }
}

int run(const std::string& packPath, const std::string& outDir) {
    std::string error;
    if (!platform::startVideo(error)) {
        std::fprintf(stderr, "glint-content-shots: %s\n", error.c_str());
        return 1;
    }
    int status = 0;
    {
        platform::Window window;
        if (!window.create("Glint Seeker content", 0, 0, kWidth, kHeight)) {
            std::fprintf(stderr, "glint-content-shots: %s\n", window.error().c_str());
            platform::stopAll();
            return 1;
        }
        Texture::setUploadEnabled(true);
        DataPack pack;
        if (!pack.open(packPath)) {
            std::fprintf(stderr, "glint-content-shots: cannot open %s\n", packPath.c_str());
            platform::stopAll();
            return 1;
        }
        ParamTable param;
        param.loadFromBuffer(pack.readEntry("dat/param.txt").data, true);
        {
            AssetCatalogue cat(pack);
            cat.setSkinCount(param.getInt("m_skins_count"));
            cat.load();
            bool ok = true;
            for (int skin = 0; skin < cat.skinCount(); ++skin) {
                clear(0, 0, 0);
                drawSkin(cat, skin);
                ok = ok && save(outDir + "/skin" + std::to_string(skin + 1) + ".tga");
            }
            clear(0.1f, 0.1f, 0.16f);
            drawFigure(cat);
            ok = ok && save(outDir + "/figure.tga");
            clear(0.16f, 0.2f, 0.3f);
            drawText(cat.font());
            ok = ok && save(outDir + "/text.tga");
            // The widget pictures fill two screens.
            const int half = static_cast<int>(UiTexture::CloseButton);
            clear(0.12f, 0.18f, 0.3f);
            drawWidgets(cat, 0, half);
            ok = ok && save(outDir + "/widgets1.tga");
            clear(0.12f, 0.18f, 0.3f);
            drawWidgets(cat, half, static_cast<int>(UiTexture::Count));
            ok = ok && save(outDir + "/widgets2.tga");
            cat.unload();
            status = ok ? 0 : 1;
        }
        Texture::setUploadEnabled(false);
    }
    platform::stopAll();
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fputs("usage: glint-content-shots PACK OUTDIR\n", stderr);
        return 2;
    }
    return run(argv[1], argv[2]);
}
