// Every picture the program shows outside the level data, loaded once and reloaded around each
// display-mode change.
#include "app/AssetCatalogue.h"

#include <algorithm>
#include <string>

#include "pack/DataPack.h"
#include "pack/ParamTable.h"

namespace glint {

namespace {

// Where each interface texture comes from: a fixed path, or the "mui/menu.txt" key naming it.
struct UiSource {
    const char* path;  // fixed path, or null when key names it
    const char* key;
    bool repeat;
    bool mipmap;
};

// In load order, one per UiTexture.
constexpr UiSource kUiSources[] = {
    {"mui/font.tga", nullptr, false, false},
    {"mui/quillfen.tga", nullptr, false, true},
    {nullptr, "m_glint1_game_btn", false, true},
    {nullptr, "m_glint2_game_btn", false, true},
    {nullptr, "m_continue_single_game_btn", true, true},
    {nullptr, "m_quit_game_btn", true, true},
    {nullptr, "m_ok_btn", false, true},
    {nullptr, "m_cancel_btn", true, true},
    {nullptr, "m_radio_btn", true, true},
    {nullptr, "m_enter_name_editbox", false, true},
    {"mui/key_reader.tga", nullptr, false, true},
    {nullptr, "m_enter_level_num_editbox", false, true},
    {nullptr, "m_help_btn", false, true},
    {nullptr, "m_close_btn", false, true},
    {nullptr, "m_top7_btn", false, true},
    {nullptr, "m_top7_btn2", false, true},
    {nullptr, "m_options_btn", false, true},
    {nullptr, "m_play_custom_btn", false, true},
    {nullptr, "m_mini_btn", false, true},
    {nullptr, "m_fullscreen_btn", false, true},
    {"mui/up_btn.tga", nullptr, false, true},
    {"mui/down_btn.tga", nullptr, false, true},
    {"mui/skin_up_btn.tga", nullptr, false, true},
    {"mui/skin_down_btn.tga", nullptr, false, true},
    {"mui/checkbox.tga", nullptr, false, true},
};
static_assert(std::size(kUiSources) == static_cast<std::size_t>(UiTexture::Count));

constexpr const char* kLargePictures[] = {"mui/dialog_wnd.jpg", "mui/exit_dialog_wnd.jpg",
                                          "mui/main_wnd.jpg"};

// The sheets of a skin in load order, with their groups.
struct SkinSheet {
    SkinGroup group;
    const char* file;
};
constexpr SkinSheet kSkinSheets[] = {{kSkinBrick, "g_1.spr"},  {kSkinSolid, "g_2.spr"},
                                     {kSkinLadder, "g_3.spr"}, {kSkinRope, "g_4.spr"},
                                     {kSkinGold, "g_7.spr"},   {kSkinLight, "light.spr"}};

}  // namespace

void AssetCatalogue::setSkinCount(int count) {
    skinCount_ = std::clamp(count, 1, kMaxSkins);
    setCurrentSkin(currentSkin_);
}

void AssetCatalogue::setCurrentSkin(int skin) {
    currentSkin_ = std::clamp(skin, 0, skinCount_ - 1);
}

void AssetCatalogue::unload() {
    for (TgaTexture& t : textures_) {
        t.release();
    }
    for (JpegTexture& p : pictures_) {
        p.release();
    }
    for (Sprite& s : sprites_) {
        if (s.texture() != nullptr) {
            s.texture()->release();
        }
    }
    if (player_.texture() != nullptr) {
        player_.texture()->release();
    }
}

void AssetCatalogue::load() {
    unload();
    PackData fontBytes = pack_.readEntry("mui/font.tga");
    font_.buildGlyphs(fontBytes.data);
    font_.setTexture(&texture(UiTexture::Font));

    ParamTable menu;
    menu.loadFromBuffer(pack_.readEntry("mui/menu.txt").data, true);
    for (std::size_t i = 0; i < std::size(kUiSources); ++i) {
        const UiSource& source = kUiSources[i];
        std::string path = source.path != nullptr ? source.path : menu.get(source.key, "0");
        textures_[i].loadFromMemory(pack_.readEntry(path).data, source.repeat, source.mipmap);
    }
    for (std::size_t i = 0; i < std::size(kLargePictures); ++i) {
        pictures_[i].loadFromMemory(pack_.readEntry(kLargePictures[i]).data, false, false);
    }
    for (int skin = 0; skin < skinCount_; ++skin) {
        const std::string folder = "dat/s" + std::to_string(skin + 1) + "/";
        for (const SkinSheet& sheet : kSkinSheets) {
            slot(sheet.group * kMaxSkins + skin)
                .load(pack_, pack_.readEntry(folder + sheet.file).data, false, true);
        }
    }
    player_.load(pack_, pack_.readEntry("dat/p_1.spr").data, false, false);
}

}  // namespace glint
