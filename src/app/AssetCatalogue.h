// Every picture the program shows outside the level data, loaded once and reloaded around each
// display-mode change: interface textures, the font, the large backgrounds, the sprite sheets of
// every skin and the figure's sheet.
#pragma once

#include <array>

#include "render/Font.h"
#include "render/JpegTexture.h"
#include "render/Sprite.h"
#include "render/TgaTexture.h"

namespace glint {

class DataPack;

// Interface textures, in load order.
enum class UiTexture {
    Font,
    MakerLogo,
    NewGame1Button,
    NewGame2Button,
    ContinueButton,
    QuitButton,
    OkButton,
    CancelButton,
    RadioButton,
    NameEditBox,
    KeyReader,
    LevelNumberEditBox,
    HelpButton,
    CloseButton,
    Top7Button1,
    Top7Button2,
    OptionsButton,
    PlayCustomButton,
    MinimizeButton,
    FullScreenButton,
    ScrollUp,
    ScrollDown,
    SkinUp,
    SkinDown,
    CheckBox,
    Count
};

enum class LargePicture { Panel, QuitPanel, Menu, Count };

// The sheets of a skin, by group; a sheet's slot is group x 6 + skin.
enum SkinGroup {
    kSkinBrick = 0,   // "g_1": brick and trap brick
    kSkinSolid = 1,   // "g_2"
    kSkinLadder = 2,  // "g_3": ladder and hidden ladder
    kSkinRope = 3,    // "g_4"
    kSkinGold = 6,    // "g_7"
    kSkinLight = 9,   // "light"
};

class AssetCatalogue {
public:
    static constexpr int kMaxSkins = 6;
    static constexpr int kSlots = 60;

    explicit AssetCatalogue(const DataPack& pack) : pack_(pack) {}
    AssetCatalogue(const AssetCatalogue&) = delete;
    AssetCatalogue& operator=(const AssetCatalogue&) = delete;

    // Kept between 1 and 6: a skin must exist for the playfield to be drawn.
    void setSkinCount(int count);
    int skinCount() const { return skinCount_; }
    // Kept within the skins that exist.
    void setCurrentSkin(int skin);
    int currentSkin() const { return currentSkin_; }

    // Releases and loads everything again, in a fixed order. Without a GL context (uploads off)
    // the pictures are decoded for their sizes only, which is all the rules need of them.
    void load();
    // Releases every GL texture; the objects stay, ready for the next load.
    void unload();

    TgaTexture& texture(UiTexture role) { return textures_[static_cast<std::size_t>(role)]; }
    JpegTexture& picture(LargePicture which) { return pictures_[static_cast<std::size_t>(which)]; }
    const Font& font() const { return font_; }
    Sprite& slot(int index) { return sprites_[static_cast<std::size_t>(index)]; }
    // The sheet of a group in the current skin.
    Sprite& skinSprite(SkinGroup group) { return slot(group * kMaxSkins + currentSkin_); }
    Sprite& playerSprite() { return player_; }

private:
    const DataPack& pack_;
    std::array<TgaTexture, static_cast<std::size_t>(UiTexture::Count)> textures_;
    std::array<JpegTexture, static_cast<std::size_t>(LargePicture::Count)> pictures_;
    Font font_;
    std::array<Sprite, kSlots> sprites_;
    Sprite player_;
    int skinCount_ = 1;
    int currentSkin_ = 0;
};

}  // namespace glint
