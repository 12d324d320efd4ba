// A software model of the game's drawing rules, used to look at the content before the game
// can: sprite bands with and without the flip flag, widget bands, the font scan, dialog panels.
#include "Preview.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <tuple>

#include "PictureFiles.h"
#include "SourceText.h"

namespace glint::content {

Color Texture::sample(float s, float t) const {
    // Texture row t * height counted from texture row 0, which is the picture's last row.
    const float x = s * static_cast<float>(picture_.width());
    const float y =
        static_cast<float>(picture_.height()) - t * static_cast<float>(picture_.height());
    return picture_.sample(x, y);
}

std::uint8_t Texture::alpha(int column, int row) const {
    return picture_.at(column, picture_.height() - 1 - row).a;
}

Screen::Screen(int widthUnits, int heightUnits, int scale, Rgba clear)
    : scale_(scale), image_(widthUnits * scale, heightUnits * scale, clear) {}

void Screen::quad(const Texture& tex, float x0, float y0, float x1, float y1, float s0, float tTop,
                  float s1, float tBottom, const Color& tint, bool blended) {
    const float k = static_cast<float>(scale_);
    const int px0 = std::max(0, static_cast<int>(std::ceil(x0 * k - 0.5f)));
    const int py0 = std::max(0, static_cast<int>(std::ceil(y0 * k - 0.5f)));
    const int px1 = std::min(image_.width(), static_cast<int>(std::ceil(x1 * k - 0.5f)));
    const int py1 = std::min(image_.height(), static_cast<int>(std::ceil(y1 * k - 0.5f)));
    for (int py = py0; py < py1; ++py) {
        const float fy = ((static_cast<float>(py) + 0.5f) / k - y0) / (y1 - y0);
        const float t = tTop + fy * (tBottom - tTop);
        for (int px = px0; px < px1; ++px) {
            const float fx = ((static_cast<float>(px) + 0.5f) / k - x0) / (x1 - x0);
            const float s = s0 + fx * (s1 - s0);
            Color c = tex.sample(s, t);
            c = {c.r * tint.r, c.g * tint.g, c.b * tint.b, c.a * tint.a};
            if (blended) {
                image_.blend(px, py, c);
            } else {
                image_.at(px, py) = c.withAlpha(1).toRgba();
            }
        }
    }
}

void Screen::rect(float x0, float y0, float x1, float y1, const Color& color) {
    const float k = static_cast<float>(scale_);
    for (int py = std::max(0, static_cast<int>(y0 * k));
         py < std::min(image_.height(), static_cast<int>(y1 * k)); ++py) {
        for (int px = std::max(0, static_cast<int>(x0 * k));
             px < std::min(image_.width(), static_cast<int>(x1 * k)); ++px) {
            image_.blend(px, py, color);
        }
    }
}

BitmapFont::BitmapFont(const Image& picture) : texture_(picture) {
    const int w = texture_.width(), h = texture_.height();
    auto rowEmpty = [&](int r) {
        for (int x = 0; x < w; ++x) {
            if (texture_.alpha(x, r) != 0) {
                return false;
            }
        }
        return true;
    };
    auto columnEmpty = [&](int c, int top, int bottom) {
        for (int r = bottom; r <= top; ++r) {
            if (texture_.alpha(c, r) != 0) {
                return false;
            }
        }
        return true;
    };
    auto lastInkRow = [&](int n) {
        for (int r = n; r >= 0; --r) {
            if (!rowEmpty(r)) {
                return r;
            }
        }
        return 0;
    };
    auto bandBottom = [&](int n) {
        for (int r = n; r >= 0; --r) {
            if (rowEmpty(r)) {
                return r + 1;
            }
        }
        return 0;
    };
    auto firstInkColumn = [&](int a, int top, int bottom) {
        for (int c = a; c < w; ++c) {
            if (!columnEmpty(c, top, bottom)) {
                return c;
            }
        }
        return w - 1;
    };
    auto inkRunEnd = [&](int a, int top, int bottom) {
        for (int c = a; c < w; ++c) {
            if (columnEmpty(c, top, bottom)) {
                return c - 1;
            }
        }
        return w - 1;
    };
    const float W = static_cast<float>(w), H = static_cast<float>(h);
    int bottom = h;
    for (;;) {
        const int top = lastInkRow(bottom - 1);
        bottom = bandBottom(top);
        if (top == 0) {
            break;
        }
        int d = inkRunEnd(firstInkColumn(0, top, bottom), top, bottom);
        bandHeight_ = static_cast<float>(top) / H - static_cast<float>(bottom) / H;
        for (;;) {
            const int first = firstInkColumn(d + 1, top, bottom);
            d = inkRunEnd(first, top, bottom);
            if (first == w - 1) {
                break;
            }
            if (count_ < 94) {
                glyphs_.push_back({static_cast<float>(top) / H, static_cast<float>(bottom) / H,
                                   static_cast<float>(first - 1) / W,
                                   static_cast<float>(d + 1) / W});
            }
            ++count_;
        }
    }
}

float BitmapFont::glyphWidth(int index, float height) const {
    const Glyph& g = glyphs_[static_cast<std::size_t>(index)];
    const float aspect =
        static_cast<float>(texture_.width()) / static_cast<float>(texture_.height());
    return (g.sRight - g.sLeft) / bandHeight_ * aspect * height;
}

float BitmapFont::width(const std::string& text, float height) const {
    if (!valid()) {
        return 0;
    }
    const float space = glyphWidth('A' - 33, height);
    float sum = 0;
    for (char c : text) {
        if (c == ' ') {
            sum += space;
        } else if (c >= 33 && c <= 126) {
            sum += glyphWidth(c - 33, height) + 0.1f * space;
        }
    }
    return sum;
}

void BitmapFont::draw(Screen& screen, const std::string& text, float height, float x, float y,
                      const Color& color) const {
    if (!valid()) {
        return;
    }
    const float space = glyphWidth('A' - 33, height);
    const float gap = 0.1f * space;
    const float x0 = x;
    for (char c : text) {
        if (c == ' ') {
            x += space;
        } else if (c == '\n') {
            y += height;
            x = x0 + gap;
        } else if (c >= 33 && c <= 126) {
            const Glyph& g = glyphs_[static_cast<std::size_t>(c - 33)];
            const float w = glyphWidth(c - 33, height);
            screen.quad(texture_, x, y - height, x + w, y, g.sLeft, g.tTop, g.sRight, g.tBottom,
                        color, true);
            x += w + gap;
        }
    }
}

namespace {

// A key/value table read as the game reads it: "//" starts a comment anywhere.
std::map<std::string, std::string> readTable(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::map<std::string, std::string> table;
    std::vector<std::string> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            while (i < text.size() && text[i] != '\n') {
                ++i;
            }
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
        } else {
            std::string token;
            if (c == '"') {
                ++i;
                while (i < text.size() && text[i] != '"') {
                    token += text[i++];
                }
                ++i;
            } else {
                while (i < text.size() && !std::isspace(static_cast<unsigned char>(text[i])) &&
                       !(text[i] == '/' && i + 1 < text.size() && text[i + 1] == '/')) {
                    token += text[i++];
                }
            }
            tokens.push_back(token);
        }
    }
    for (std::size_t k = 0; k + 1 < tokens.size(); k += 2) {
        table[tokens[k]] = tokens[k + 1];
    }
    return table;
}

struct Loaded {
    std::string root;
    std::map<std::string, std::unique_ptr<Texture>> textures;

    const Texture& get(const std::string& path) {
        auto& t = textures[path];
        if (!t) {
            std::string err;
            std::optional<Image> img = path.ends_with(".jpg") ? readJpeg(root + "/" + path, err)
                                                              : readTga(root + "/" + path, err);
            if (!img) {
                throw std::runtime_error(err);
            }
            t = std::make_unique<Texture>(*img);
        }
        return *t;
    }
};

struct SpriteSheet {
    const Texture* texture = nullptr;
    int groups = 1;
    int frames = 1;
};

SpriteSheet loadSprite(Loaded& files, const std::string& sprPath) {
    auto table = readTable(files.root + "/" + sprPath);
    SpriteSheet s;
    s.texture = &files.get(table["file_name"]);
    s.groups = std::max(1, std::atoi(table["groups"].c_str()));
    s.frames = std::max(1, std::atoi(table["frames"].c_str()));
    return s;
}

// A sprite drawn as the game draws it: centred on (x, y), frame f of group g.
void drawSprite(Screen& screen, const SpriteSheet& s, int g, int f, float x, float y, float w,
                float h, bool flip, bool blended, const Color& tint = {1, 1, 1, 1}) {
    const float s0 = static_cast<float>(f) / static_cast<float>(s.frames);
    const float s1 = static_cast<float>(f + 1) / static_cast<float>(s.frames);
    float tTop = static_cast<float>(g) / static_cast<float>(s.groups);
    float tBottom = static_cast<float>(g + 1) / static_cast<float>(s.groups);
    if (flip) {
        std::swap(tTop, tBottom);
    }
    screen.quad(*s.texture, x - w / 2, y - h / 2, x + w / 2, y + h / 2, s0, tTop, s1, tBottom, tint,
                blended);
}

// A widget picture of n bands drawn in state k (1-based) at (x, y).
void drawWidget(Screen& screen, const Texture& tex, int n, int k, float x, float y) {
    const float w = static_cast<float>(tex.width());
    const float h = static_cast<float>(tex.height()) / static_cast<float>(n);
    screen.quad(tex, x, y, x + w, y + h, 0, static_cast<float>(k) / n, 1,
                static_cast<float>(k - 1) / n, {1, 1, 1, 1}, true);
}

void shadowText(Screen& screen, const BitmapFont& font, const std::string& text, float size,
                float x, float y, const Color& color = {1, 1, 0, 1}) {
    font.draw(screen, text, size, x + 2, y + 2, {0, 0, 0, 1});
    font.draw(screen, text, size, x, y, color);
}

bool save(const Image& img, const std::string& path, std::string& error) {
    return writeTga(path, img, 32, error);
}

// The panel background as the dialogs draw it: the panel's top-left corner takes texture
// coordinates (0, 0).
void drawPanel(Screen& screen, const Texture& tex, float x, float y, float w, float h) {
    screen.quad(tex, x, y, x + w, y + h, 0, 0, 1, 1, {1, 1, 1, 1}, false);
}

}  // namespace

bool writePreviews(const std::string& contentDir, const std::string& outDir, std::string& error) {
    try {
        std::filesystem::create_directories(outDir);
        Loaded files{contentDir, {}};
        std::string fontError;
        auto fontImage = readTga(contentDir + "/mui/font.tga", fontError);
        if (!fontImage) {
            error = fontError;
            return false;
        }
        BitmapFont font(*fontImage);
        std::printf("font: %d glyphs\n", font.glyphCount());
        auto menu = readTable(contentDir + "/mui/menu.txt");
        auto num = [&](const std::string& key) {
            auto it = menu.find(key);
            if (it == menu.end()) {
                throw std::runtime_error("mui/menu.txt has no " + key);
            }
            return static_cast<float>(std::atof(it->second.c_str()));
        };
        auto pic = [&](const std::string& key) -> const Texture& { return files.get(menu[key]); };
        auto param = readTable(contentDir + "/dat/param.txt");
        const int skins = std::atoi(param["m_skins_count"].c_str());
        const SpriteSheet figure = loadSprite(files, "dat/p_1.spr");

        // Every skin: a small level, the brick's crumbling and the lights' animations.
        for (int n = 1; n <= skins; ++n) {
            const std::string dir = "dat/s" + std::to_string(n) + "/";
            SpriteSheet brick = loadSprite(files, dir + "g_1.spr");
            SpriteSheet solidBlock = loadSprite(files, dir + "g_2.spr");
            SpriteSheet ladder = loadSprite(files, dir + "g_3.spr");
            SpriteSheet rope = loadSprite(files, dir + "g_4.spr");
            SpriteSheet gold = loadSprite(files, dir + "g_7.spr");
            SpriteSheet light = loadSprite(files, dir + "light.spr");
            Screen screen(3, {0, 0, 0, 255});
            const char* level[] = {
                "................",  //
                "..L*...H..0.....",  //
                "TTTTTTTH----..*.",  //
                "MM...L.H...HTTTT",  //
                "MM.*...H.$.H..!.",  //
                "TTTTTTTTTTTTTTTT",  //
                "1234567.........",  //
            };
            int goldVariant = 0, lightVariant = 0;
            for (int r = 0; r < 7; ++r) {
                for (int c = 0; c < 16; ++c) {
                    const float x = 12.5f + 25.0f * c, y = 12.5f + 25.0f * r;
                    const char ch = level[r][c];
                    if (ch == 'L') {
                        drawSprite(screen, light, lightVariant % light.groups,
                                   (lightVariant * 3) % light.frames, x, y, 25, 25, true, true);
                        ++lightVariant;
                    }
                }
            }
            for (int r = 0; r < 7; ++r) {
                for (int c = 0; c < 16; ++c) {
                    const float x = 12.5f + 25.0f * c, y = 12.5f + 25.0f * r;
                    const char ch = level[r][c];
                    if (ch == 'T') {
                        drawSprite(screen, brick, 0, 0, x, y, 25, 25, false, false);
                    } else if (ch >= '0' && ch <= '9' && ch - '0' < brick.frames) {
                        drawSprite(screen, brick, 0, ch - '0', x, y, 25, 25, false, ch != '0');
                    } else if (ch == 'M') {
                        drawSprite(screen, solidBlock, 0, 0, x, y, 25, 25, false, false);
                    } else if (ch == 'H') {
                        drawSprite(screen, ladder, 0, 0, x, y, 25, 25, false, true);
                    } else if (ch == '-') {
                        drawSprite(screen, rope, 0, 0, x, y, 25, 25, true, true);
                    } else if (ch == '*') {
                        drawSprite(screen, gold, goldVariant++ % gold.groups, 0, x, y, 25, 25, true,
                                   true);
                    } else if (ch == '$') {
                        drawSprite(screen, figure, 1, 2, x, y, 30, 30, true, true, {1, 0, 1, 1});
                    } else if (ch == '!') {
                        drawSprite(screen, figure, 2, 5, x, y, 30, 30, true, true);
                    }
                }
            }
            // The light animations, one group per row.
            for (int g = 0; g < light.groups; ++g) {
                for (int f = 0; f < light.frames; ++f) {
                    drawSprite(screen, light, g, f, 437.5f + 25.0f * f, 12.5f + 30.0f * g, 25, 25,
                               true, true);
                }
            }
            // Gold variants.
            for (int g = 0; g < gold.groups; ++g) {
                drawSprite(screen, gold, g, 0, 437.5f + 25.0f * g, 12.5f + 30.0f * light.groups, 25,
                           25, true, true);
            }
            Image shot = screen.image().crop(0, 0, 3 * 660, 3 * 175);
            if (!save(shot, outDir + "/skin" + std::to_string(n) + ".tga", error)) {
                return false;
            }
        }

        // The figure in every group and frame, then tinted as an enemy.
        {
            Screen screen(4, {24, 26, 40, 255});
            for (int pass = 0; pass < 2; ++pass) {
                const Color tint = pass == 0 ? Color{1, 1, 1, 1} : Color{1, 0, 1, 1};
                for (int g = 0; g < figure.groups; ++g) {
                    for (int f = 0; f < figure.frames; ++f) {
                        const float x = 16 + 32.0f * f + pass * 32.0f * (figure.frames + 1);
                        const float y = 16 + 32.0f * g;
                        drawSprite(screen, figure, g, f, x, y, 30, 30, true, true, tint);
                    }
                }
            }
            Image shot =
                screen.image().crop(0, 0, 4 * 32 * (2 * figure.frames + 1), 4 * 32 * figure.groups);
            if (!save(shot, outDir + "/figure.tga", error)) {
                return false;
            }
        }

        // Text at every size the game uses.
        {
            Screen screen(1, {40, 52, 80, 255});
            const std::string all =
                "!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklm"
                "nopqrstuvwxyz{|}~";
            float y = 40;
            for (float size : {23.0f, 24.0f, 25.0f, 30.0f, 35.0f, 40.0f, 50.0f}) {
                char label[64];
                std::snprintf(label, sizeof label, "%g: Glint Seeker, Score: %7d", size, 1500);
                shadowText(screen, font, label, size, 10, y);
                y += size + 8;
            }
            shadowText(screen, font, all.substr(0, 47), 25, 10, y + 10);
            shadowText(screen, font, all.substr(47), 25, 10, y + 40);
            font.draw(screen, "The quick brown fox jumps over the lazy dog.", 24, 10, y + 80,
                      {0.85f, 0.93f, 0.12f, 1});
            if (!save(screen.image().crop(0, 0, 800, static_cast<int>(y + 100)),
                      outDir + "/font.tga", error)) {
                return false;
            }
        }

        // Every widget picture in every state, left to right.
        {
            Screen screen(800, 1000, 2, {0, 0, 0, 255});
            drawPanel(screen, files.get("mui/dialog_wnd.jpg"), 0, 0, 800, 1000);
            struct Row {
                std::string path;
                int bands;
            };
            std::vector<Row> rows;
            for (const char* key :
                 {"m_glint1_game_btn", "m_glint2_game_btn", "m_continue_single_game_btn",
                  "m_quit_game_btn", "m_ok_btn", "m_cancel_btn", "m_help_btn", "m_close_btn",
                  "m_top7_btn", "m_top7_btn2", "m_options_btn", "m_play_custom_btn", "m_mini_btn",
                  "m_fullscreen_btn"}) {
                rows.push_back({menu[key], 3});
            }
            for (const char* path : {"mui/up_btn.tga", "mui/down_btn.tga", "mui/skin_up_btn.tga",
                                     "mui/skin_down_btn.tga", "mui/quillfen.tga"}) {
                rows.push_back({path, 3});
            }
            rows.push_back({"mui/checkbox.tga", 4});
            rows.push_back({menu["m_radio_btn"], 4});
            rows.push_back({menu["m_enter_name_editbox"], 2});
            rows.push_back({menu["m_enter_level_num_editbox"], 2});
            rows.push_back({"mui/key_reader.tga", 2});
            float x = 5, y = 5, rowHeight = 0;
            for (const Row& row : rows) {
                const Texture& tex = files.get(row.path);
                const float w = static_cast<float>(tex.width());
                const float h = static_cast<float>(tex.height()) / row.bands;
                if (x + (w + 6) * row.bands > 800) {
                    x = 5;
                    y += rowHeight + 6;
                    rowHeight = 0;
                }
                for (int k = 1; k <= row.bands; ++k) {
                    drawWidget(screen, tex, row.bands, k, x, y);
                    x += w + 6;
                }
                x += 14;
                rowHeight = std::max(rowHeight, h);
            }
            if (!save(screen.image().crop(0, 0, 1600, static_cast<int>((y + rowHeight + 5) * 2)),
                      outDir + "/widgets.tga", error)) {
                return false;
            }
        }

        const Texture& menuBackground = files.get("mui/main_wnd.jpg");
        const Texture& panel = files.get("mui/dialog_wnd.jpg");
        auto mainMenu = [&](Screen& screen) {
            screen.quad(menuBackground, 0, 0, 800, 600, 0, 1, 1, 0, {1, 1, 1, 1}, false);
            shadowText(screen, font, "FILCH AND DASH v1.1", 40, 10, 50);
            const std::pair<const char*, const char*> buttons[] = {
                {"m_glint1_game_btn", "m_glint1_game_btn"},
                {"m_glint2_game_btn", "m_glint2_game_btn"},
                {"m_continue_single_game_btn", "m_continue_single_game_btn"},
                {"m_quit_game_btn", "m_quit_game_btn"},
                {"m_help_btn", "m_help_btn"},
                {"m_top7_btn", "m_mm_top7_1_btn"},
                {"m_top7_btn2", "m_mm_top7_2_btn"},
                {"m_options_btn", "m_options_btn"},
                {"m_play_custom_btn", "m_play_custom_btn"},
                {"m_fullscreen_btn", "m_mm_fullscreen_btn"},
                {"m_mini_btn", "m_mini_btn"}};
            for (auto [picture, position] : buttons) {
                drawWidget(screen, pic(picture), 3, 1, num(std::string(position) + "x"),
                           num(std::string(position) + "y"));
            }
            drawWidget(screen, files.get("mui/quillfen.tga"), 3, 1, 225, 470);
        };
        auto dialog = [&](const std::string& name, const std::string& prefix,
                          const std::function<void(Screen&, float, float)>& body) {
            Screen screen(1, {0, 0, 0, 255});
            mainMenu(screen);
            float x = 0, y = 0, w = 800, h = 600;
            if (!prefix.empty()) {
                x = num("m_" + prefix + "_x");
                y = num("m_" + prefix + "_y");
                w = num("m_" + prefix + "_width");
                h = num("m_" + prefix + "_height");
            }
            drawPanel(screen, panel, x, y, w, h);
            body(screen, x, y);
            return save(screen.image(), outDir + "/" + name + ".tga", error);
        };
        {
            Screen screen(1, {0, 0, 0, 255});
            mainMenu(screen);
            if (!save(screen.image(), outDir + "/menu.tga", error)) {
                return false;
            }
        }
        const float keySize = 25;
        auto keyReader = [&](Screen& s, float x, float y, const std::string& name, int state) {
            const Texture& tex = files.get("mui/key_reader.tga");
            drawWidget(s, tex, 2, state, x, y);
            const float h = static_cast<float>(tex.height()) / 2;
            font.draw(s, name, keySize, x + 30, y + h - (h - keySize) / 2, {0, 0, 0, 1});
        };
        bool ok =
            dialog("dialog_options", "od",
                   [&](Screen& s, float dx, float dy) {
                       auto at = [&](const std::string& key) { return num(key); };
                       drawWidget(s, pic("m_close_btn"), 3, 1, dx + at("m_od_close_btnx"),
                                  dy + at("m_od_close_btny"));
                       const Texture& check = files.get("mui/checkbox.tga");
                       drawWidget(s, check, 4, 3, dx + at("m_od_autosave_chbx"),
                                  dy + at("m_od_autosave_chby"));
                       drawWidget(s, check, 4, 2, dx + at("m_od_autosave_chbx"),
                                  dy + at("m_od_autosave_chby") + 40);
                       drawWidget(s, files.get("mui/skin_up_btn.tga"), 3, 1,
                                  dx + at("m_od_skin_up_btnx"), dy + at("m_od_skin_up_btny"));
                       drawWidget(s, files.get("mui/skin_down_btn.tga"), 3, 2,
                                  dx + at("m_od_skin_down_btnx"), dy + at("m_od_skin_down_btny"));
                       const std::pair<const char*, const char*> readers[] = {
                           {"left", "LEFT ARROW"}, {"right", "RIGHT ARROW"}, {"up", "UP ARROW"},
                           {"down", "DOWN ARROW"}, {"fire", "SPACE"},        {"die", "K"}};
                       const char* labels[] = {"Left", "Right", "Up", "Down", "Fire", "To Die"};
                       int i = 0;
                       for (auto [key, name] : readers) {
                           const float kx = at(std::string("m_od_") + key + "_key_x");
                           const float ky = at(std::string("m_od_") + key + "_key_y");
                           keyReader(s, dx + kx, dy + ky, name, i == 1 ? 2 : 1);
                           font.draw(s, labels[i], 25, dx + kx - 100, dy + ky + 35, {1, 1, 0, 1});
                           ++i;
                       }
                       shadowText(s, font, "Options", 50, dx + 20, dy + 60);
                       font.draw(s, "Autosave", 25, dx + 350, dy + 135, {1, 1, 0, 1});
                       font.draw(s, "Sound", 25, dx + 350, dy + 175, {1, 1, 0, 1});
                       shadowText(s, font, "SKIN", 30, dx + 520, dy + 300);
                       const SpriteSheet brick = loadSprite(files, "dat/s1/g_1.spr");
                       const SpriteSheet solidBlock = loadSprite(files, "dat/s1/g_2.spr");
                       const SpriteSheet ladder = loadSprite(files, "dat/s1/g_3.spr");
                       const SpriteSheet rope = loadSprite(files, "dat/s1/g_4.spr");
                       const SpriteSheet gold = loadSprite(files, "dat/s1/g_7.spr");
                       const float px = dx + at("m_od_skin_x"), py = dy + at("m_od_skin_y");
                       drawSprite(s, brick, 0, 0, px, py, 25, 25, false, false);
                       drawSprite(s, solidBlock, 0, 0, px + 60, py, 25, 25, false, false);
                       drawSprite(s, ladder, 0, 0, px + 120, py, 25, 25, false, true);
                       drawSprite(s, rope, 0, 0, px + 180, py, 25, 25, true, true);
                       drawSprite(s, gold, 0, 0, px + 240, py, 25, 25, true, true);
                   }) &&
            dialog("dialog_custom", "cgd",
                   [&](Screen& s, float dx, float dy) {
                       auto at = [&](const std::string& key) { return num(key); };
                       drawWidget(s, pic("m_ok_btn"), 3, 2, dx + at("m_cgd_ok_btnx"),
                                  dy + at("m_cgd_ok_btny"));
                       drawWidget(s, pic("m_cancel_btn"), 3, 1, dx + at("m_cgd_cancel_btnx"),
                                  dy + at("m_cgd_cancel_btny"));
                       const Texture& edit = pic("m_enter_level_num_editbox");
                       const float ex = dx + at("m_cgd_level_numx");
                       const float ey = dy + at("m_cgd_level_numy");
                       drawWidget(s, edit, 2, 2, ex, ey);
                       const float eh = static_cast<float>(edit.height()) / 2;
                       font.draw(s, "12", 25, ex + 30, ey + eh - (eh - 25) / 2, {0, 0, 0, 1});
                       font.draw(s, "Level's Number (1..75)", 23, ex, ey, {1, 1, 0, 1});
                       const std::tuple<const char*, const char*, float, int> radios[] = {
                           {"m_cgd_game_type1_radio", "Custom", 25.0f, 3},
                           {"m_cgd_game_type2_radio", "Random", 25.0f, 2},
                           {"m_cgd_game_kind1_radio", "Glint Seeker 1", 23.0f, 3},
                           {"m_cgd_game_kind2_radio", "Glint Seeker 2", 23.0f, 1}};
                       for (auto [key, label, size, state] : radios) {
                           const float rx = dx + at(std::string(key) + "x");
                           const float ry = dy + at(std::string(key) + "y");
                           drawWidget(s, pic("m_radio_btn"), 4, state, rx, ry);
                           font.draw(s, label, size, rx + 40, ry + 25, {1, 1, 0, 1});
                       }
                       shadowText(s, font, "Custom Game", 40, dx + 30, dy + 60);
                   }) &&
            dialog("dialog_newgame", "nd",
                   [&](Screen& s, float dx, float dy) {
                       drawWidget(s, pic("m_ok_btn"), 3, 1, dx + num("m_ngd_ok_btnx"),
                                  dy + num("m_ngd_ok_btny"));
                       drawWidget(s, pic("m_cancel_btn"), 3, 3, dx + num("m_ngd_cancel_btnx"),
                                  dy + num("m_ngd_cancel_btny"));
                       shadowText(s, font, "Start New Game?", 40, dx + 40, dy + 90);
                   }) &&
            dialog("dialog_quit", "qd",
                   [&](Screen& s, float dx, float dy) {
                       drawWidget(s, pic("m_ok_btn"), 3, 1, dx + num("m_qd_ok_btnx"),
                                  dy + num("m_qd_ok_btny"));
                       drawWidget(s, pic("m_cancel_btn"), 3, 1, dx + num("m_qd_cancel_btnx"),
                                  dy + num("m_qd_cancel_btny"));
                       shadowText(s, font, "Do you really want", 35, dx + 30, dy + 60);
                       shadowText(s, font, "to exit?", 35, dx + 140, dy + 100);
                   }) &&
            dialog("dialog_help", "hd",
                   [&](Screen& s, float dx, float dy) {
                       drawWidget(s, pic("m_close_btn"), 3, 1, dx + num("m_hd_close_btnx"),
                                  dy + num("m_hd_close_btny"));
                       drawWidget(s, files.get("mui/up_btn.tga"), 3, 1, dx + num("m_hd_up_btnx"),
                                  dy + num("m_hd_up_btny"));
                       drawWidget(s, files.get("mui/down_btn.tga"), 3, 2,
                                  dx + num("m_hd_down_btnx"), dy + num("m_hd_down_btny"));
                       shadowText(s, font, "Help", 50, dx + 20, dy + 50);
                       // The help box's word wrap, line for line as the game does it.
                       std::ifstream in(contentDir + "/mui/help.txt", std::ios::binary);
                       std::string text((std::istreambuf_iterator<char>(in)),
                                        std::istreambuf_iterator<char>());
                       text += '\r';
                       std::vector<std::string> lines;
                       std::string line, word;
                       for (char c : text) {
                           if (c == '\n') {
                               continue;
                           }
                           if (c == ' ' || c == '\r') {
                               if (font.width(line, 25) + font.width(word, 25) < 500) {
                                   line += word;
                               } else {
                                   lines.push_back(line);
                                   line = word;
                               }
                               line += ' ';
                               word.clear();
                               if (c == '\r') {
                                   lines.push_back(line);
                                   line.clear();
                               }
                           } else {
                               word += c;
                           }
                       }
                       std::printf("help: %zu lines\n", lines.size());
                       for (std::size_t k = 0; k < lines.size() && k < 14; ++k) {
                           font.draw(s, lines[k], 25, dx + 40,
                                     dy + 90 + 25.0f * static_cast<float>(k), {1, 1, 0, 1});
                       }
                   }) &&
            dialog("dialog_gameover", "",
                   [&](Screen& s, float, float) {
                       drawWidget(s, pic("m_close_btn"), 3, 1, num("m_end_close_btnx"),
                                  num("m_end_close_btny"));
                       const Texture& edit = pic("m_enter_name_editbox");
                       const float ex = num("m_end_editx"), ey = num("m_end_edity");
                       drawWidget(s, edit, 2, 2, ex, ey);
                       const float eh = static_cast<float>(edit.height()) / 2;
                       font.draw(s, "Anonymous Seeker", 35, ex + 30, ey + eh - (eh - 35) / 2,
                                 {0, 0, 0, 1});
                       shadowText(s, font, "Game Over !", 50, 220, 70);
                       shadowText(s, font, "Your score: 123456", 30, 240, 200);
                       shadowText(s, font, "Enter Your Name", 30, 250, 300);
                   }) &&
            dialog("dialog_top7", "", [&](Screen& s, float, float) {
                drawWidget(s, pic("m_close_btn"), 3, 2, num("m_t7d_close_btnx"),
                           num("m_t7d_close_btny"));
                shadowText(s, font, "Top 7", 50, 20, 60);
                const char* names[] = {"Quillfen",   "Anonymous", "Rope Walker", "Digger", "Glint",
                                       "Ladder Lou", "M"};
                for (int i = 0; i < 7; ++i) {
                    const float y = 150 + 60.0f * i;
                    font.draw(s, names[i], 40, 101, y + 1, {0, 0, 0, 1});
                    font.draw(s, std::to_string(90000 - 11111 * i), 40, 561, y + 1, {0, 0, 0, 1});
                    font.draw(s, names[i], 40, 100, y, {1, 1, 0, 1});
                    font.draw(s, std::to_string(90000 - 11111 * i), 40, 560, y, {1, 1, 0, 1});
                }
            });
        if (!ok) {
            return false;
        }
        {
            Screen screen(1, {0, 0, 0, 255});
            screen.quad(files.get("mui/intro.jpg"), 0, 0, 800, 600, 0, 1, 1, 0, {1, 1, 1, 1},
                        false);
            if (!save(screen.image(), outDir + "/intro.tga", error)) {
                return false;
            }
        }
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

}  // namespace glint::content
