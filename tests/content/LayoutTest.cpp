// "mui/menu.txt" holds every key the menus and dialogs read, and places their widgets and
// fixed texts so that nothing overlaps and everything stays inside its panel.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "ContentFiles.h"
#include "render/Font.h"
#include "ui/MainMenuView.h"

namespace glint::content_test {
namespace {

struct Box {
    std::string what;
    float x0, y0, x1, y1;
};

bool overlap(const Box& a, const Box& b) {
    // Hit tests include the right and bottom edges, so touching boxes count as overlapping.
    return a.x0 <= b.x1 && b.x0 <= a.x1 && a.y0 <= b.y1 && b.y0 <= a.y1;
}

class Layout {
public:
    Layout() : menu_(table("mui/menu.txt")) {
        auto bytes = archived("mui/font.tga");
        if (bytes) {
            font_.buildGlyphs(*bytes);
        }
    }

    bool has(const std::string& key) const { return menu_.get(key, "").size() > 0; }
    float num(const std::string& key) const {
        EXPECT_TRUE(has(key)) << "mui/menu.txt has no " << key;
        return ParamTable::toFloat(menu_.get(key, "0"));
    }

    // A widget at (x, y) as large as one band of its picture.
    Box widget(const std::string& what, const std::string& picture, int bands, float x,
               float y) const {
        auto img = tgaPicture(picture);
        EXPECT_TRUE(img.has_value()) << picture;
        const float w = img ? static_cast<float>(img->width) : 0.0f;
        const float h = img ? static_cast<float>(img->height) / static_cast<float>(bands) : 0.0f;
        return {what, x, y, x + w, y + h};
    }
    Box button(const std::string& what, const std::string& pictureKey, const std::string& pos,
               float dx = 0, float dy = 0) const {
        return widget(what, menu_.get(pictureKey, ""), 3, num(pos + "x") + dx, num(pos + "y") + dy);
    }
    // Text drawn with its lower left corner at (x, y), rising `size` above it; its ink ends
    // before the gap that follows the last glyph.
    Box text(const std::string& s, float size, float x, float y) const {
        return {"text \"" + s + "\"", x, y - size, x + font_.textWidth(s, size) - font_.gap(size),
                y};
    }
    std::string picture(const std::string& key) const { return menu_.get(key, ""); }
    const Font& font() const { return font_; }

private:
    ParamTable menu_;
    Font font_;
};

void expectApart(const std::vector<Box>& boxes, const std::string& view) {
    for (std::size_t i = 0; i < boxes.size(); ++i) {
        for (std::size_t j = i + 1; j < boxes.size(); ++j) {
            EXPECT_FALSE(overlap(boxes[i], boxes[j]))
                << view << ": " << boxes[i].what << " overlaps " << boxes[j].what;
        }
    }
}

// Inside the panel, clear of its frame.
void expectInside(const std::vector<Box>& boxes, float w, float h, const std::string& view) {
    const float frame = 6;
    for (const Box& b : boxes) {
        EXPECT_TRUE(b.x0 >= frame && b.y0 >= 0 && b.x1 <= w - frame && b.y1 <= h - 2)
            << view << ": " << b.what << " (" << b.x0 << ", " << b.y0 << ") - (" << b.x1 << ", "
            << b.y1 << ") leaves the " << w << " x " << h << " panel";
    }
}

TEST(ContentLayout, TheFontMeasuresText) {
    Layout l;
    ASSERT_TRUE(l.font().built());
    EXPECT_GT(l.font().textWidth("Options", 50), 100.0f);
}

TEST(ContentLayout, MainMenuButtonsStandApartOnTheScreen) {
    Layout l;
    std::vector<Box> boxes = {
        l.button("new game 1", "m_glint1_game_btn", "m_glint1_game_btn"),
        l.button("new game 2", "m_glint2_game_btn", "m_glint2_game_btn"),
        l.button("continue", "m_continue_single_game_btn", "m_continue_single_game_btn"),
        l.button("quit", "m_quit_game_btn", "m_quit_game_btn"),
        l.button("help", "m_help_btn", "m_help_btn"),
        l.button("top 7 set 1", "m_top7_btn", "m_mm_top7_1_btn"),
        l.button("top 7 set 2", "m_top7_btn2", "m_mm_top7_2_btn"),
        l.button("options", "m_options_btn", "m_options_btn"),
        l.widget("maker logo", "mui/quillfen.tga", 3, 225, 470),
        l.button("custom game", "m_play_custom_btn", "m_play_custom_btn"),
        l.button("full screen", "m_fullscreen_btn", "m_mm_fullscreen_btn"),
        l.button("minimize", "m_mini_btn", "m_mini_btn"),
        l.text(MainMenuView::kTitle, 40, 10, 50)};
    expectApart(boxes, "main menu");
    expectInside(boxes, 800, 600, "main menu");
}

TEST(ContentLayout, ConfirmationDialogsHoldTheirQuestionAndButtons) {
    Layout l;
    std::vector<Box> newGame = {l.button("OK", "m_ok_btn", "m_ngd_ok_btn"),
                                l.button("cancel", "m_cancel_btn", "m_ngd_cancel_btn"),
                                l.text("Start New Game?", 40, 40, 90)};
    expectApart(newGame, "new game");
    expectInside(newGame, l.num("m_nd_width"), l.num("m_nd_height"), "new game");
    l.num("m_nd_x");
    l.num("m_nd_y");

    std::vector<Box> quit = {l.button("OK", "m_ok_btn", "m_qd_ok_btn"),
                             l.button("cancel", "m_cancel_btn", "m_qd_cancel_btn"),
                             l.text("Do you really want", 35, 30, 60),
                             l.text("to exit?", 35, 140, 100)};
    expectApart(quit, "quit");
    expectInside(quit, l.num("m_qd_width"), l.num("m_qd_height"), "quit");
    l.num("m_qd_x");
    l.num("m_qd_y");
}

TEST(ContentLayout, HelpKeepsItsButtonsClearOfTheText) {
    Layout l;
    std::vector<Box> help = {
        l.button("close", "m_close_btn", "m_hd_close_btn"),
        l.widget("up", "mui/up_btn.tga", 3, l.num("m_hd_up_btnx"), l.num("m_hd_up_btny")),
        l.widget("down", "mui/down_btn.tga", 3, l.num("m_hd_down_btnx"), l.num("m_hd_down_btny")),
        l.text("Help", 50, 20, 50),
        // Fourteen lines of 25 units from (40, 90), wrapped at 500.
        {"help text", 40, 90 - 25, 40 + 500, 90 + 13 * 25}};
    expectApart(help, "help");
    expectInside(help, l.num("m_hd_width"), l.num("m_hd_height"), "help");
    l.num("m_hd_x");
    l.num("m_hd_y");
}

TEST(ContentLayout, OptionsPlaceEveryControlBesideItsLabel) {
    Layout l;
    const float cbx = l.num("m_od_autosave_chbx"), cby = l.num("m_od_autosave_chby");
    std::vector<Box> boxes = {l.button("close", "m_close_btn", "m_od_close_btn"),
                              l.widget("autosave", "mui/checkbox.tga", 4, cbx, cby),
                              l.widget("skin up", "mui/skin_up_btn.tga", 3,
                                       l.num("m_od_skin_up_btnx"), l.num("m_od_skin_up_btny")),
                              l.widget("skin down", "mui/skin_down_btn.tga", 3,
                                       l.num("m_od_skin_down_btnx"), l.num("m_od_skin_down_btny")),
                              l.widget("sound", "mui/checkbox.tga", 4, cbx, cby + 40),
                              l.text("Options", 50, 20, 60),
                              l.text("Autosave", 25, 350, 135),
                              l.text("Sound", 25, 350, 175),
                              l.text("SKIN", 30, 520, 300)};
    const std::pair<const char*, const char*> readers[] = {{"left", "Left"}, {"right", "Right"},
                                                           {"up", "Up"},     {"down", "Down"},
                                                           {"fire", "Fire"}, {"die", "To Die"}};
    for (auto [key, label] : readers) {
        const float x = l.num(std::string("m_od_") + key + "_key_x");
        const float y = l.num(std::string("m_od_") + key + "_key_y");
        boxes.push_back(l.widget(std::string(key) + " key", "mui/key_reader.tga", 2, x, y));
        boxes.push_back(l.text(label, 25, x - 100, y + 35));
    }
    // The skin preview: five pictures 25 units square, 60 apart.
    const float sx = l.num("m_od_skin_x"), sy = l.num("m_od_skin_y");
    for (int i = 0; i < 5; ++i) {
        const float cx = sx + 60.0f * static_cast<float>(i);
        boxes.push_back(
            {"skin preview " + std::to_string(i), cx - 12.5f, sy - 12.5f, cx + 12.5f, sy + 12.5f});
    }
    expectApart(boxes, "options");
    expectInside(boxes, l.num("m_od_width"), l.num("m_od_height"), "options");
    l.num("m_od_x");
    l.num("m_od_y");
}

TEST(ContentLayout, CustomGameLabelsEveryRadioAndTheLevelBox) {
    Layout l;
    std::vector<Box> boxes = {l.button("OK", "m_ok_btn", "m_cgd_ok_btn"),
                              l.button("cancel", "m_cancel_btn", "m_cgd_cancel_btn"),
                              l.text("Custom Game", 40, 30, 60)};
    const float ex = l.num("m_cgd_level_numx"), ey = l.num("m_cgd_level_numy");
    boxes.push_back(l.widget("level number", l.picture("m_enter_level_num_editbox"), 2, ex, ey));
    boxes.push_back(l.text("Level's Number (1..75)", 23, ex, ey - 0.5f));
    const std::tuple<const char*, const char*, float> radios[] = {
        {"m_cgd_game_type1_radio", "Custom", 25.0f},
        {"m_cgd_game_type2_radio", "Random", 25.0f},
        {"m_cgd_game_kind1_radio", "Glint Seeker 1", 23.0f},
        {"m_cgd_game_kind2_radio", "Glint Seeker 2", 23.0f}};
    for (auto [key, label, size] : radios) {
        const float x = l.num(std::string(key) + "x"), y = l.num(std::string(key) + "y");
        boxes.push_back(l.widget(label, l.picture("m_radio_btn"), 4, x, y));
        boxes.push_back(l.text(label, size, x + 40, y + 25));
    }
    expectApart(boxes, "custom game");
    expectInside(boxes, l.num("m_cgd_width"), l.num("m_cgd_height"), "custom game");
    l.num("m_cgd_x");
    l.num("m_cgd_y");
}

TEST(ContentLayout, ScoreScreensKeepTheirButtonsOffTheText) {
    Layout l;
    std::vector<Box> over = {l.button("close", "m_close_btn", "m_end_close_btn"),
                             l.widget("name", l.picture("m_enter_name_editbox"), 2,
                                      l.num("m_end_editx"), l.num("m_end_edity")),
                             l.text("Game Over !", 50, 220, 70),
                             l.text("Your score: 9999999", 30, 240, 200),
                             l.text("Enter Your Name", 30, 250, 300)};
    expectApart(over, "game over");
    expectInside(over, 800, 600, "game over");

    std::vector<Box> top = {l.button("close", "m_close_btn", "m_t7d_close_btn"),
                            l.text("Top 7", 50, 20, 60)};
    for (int i = 0; i < 7; ++i) {
        const float y = 150.0f + 60.0f * static_cast<float>(i);
        top.push_back(l.text("Anonymous", 40, 100, y));
        top.push_back(l.text("9999999", 40, 560, y));
    }
    expectApart(top, "top 7");
    expectInside(top, 800, 600, "top 7");
}

}  // namespace
}  // namespace glint::content_test
