// The options: autosave, sound, the skin with a preview of its tiles, and the six game keys.
#include "ui/OptionsDialog.h"

#include "app/App.h"
#include "app/MainWindow.h"
#include "ui/DialogSupport.h"

namespace glint {

namespace {

// Labels of the key readers, in their order, and the keys of their positions.
struct ReaderPlace {
    const char* label;
    const char* keyX;
    const char* keyY;
};
constexpr ReaderPlace kReaders[] = {{"Left", "m_od_left_key_x", "m_od_left_key_y"},
                                    {"Right", "m_od_right_key_x", "m_od_right_key_y"},
                                    {"Up", "m_od_up_key_x", "m_od_up_key_y"},
                                    {"Down", "m_od_down_key_x", "m_od_down_key_y"},
                                    {"Fire", "m_od_fire_key_x", "m_od_fire_key_y"},
                                    {"To Die", "m_od_die_key_x", "m_od_die_key_y"}};

KeyReader makeReader(View* owner, App& app) {
    return KeyReader(owner, &app.catalogue->font(), 25.0f,
                     &app.catalogue->texture(UiTexture::KeyReader), app.keyboard);
}

}  // namespace

OptionsDialog::OptionsDialog(MainWindow& window, App& app)
    : Dialog(window),
      app_(app),
      close_(this, &app.catalogue->texture(UiTexture::CloseButton)),
      autosave_(this, &app.catalogue->texture(UiTexture::CheckBox)),
      skinUp_(this, &app.catalogue->texture(UiTexture::SkinUp)),
      skinDown_(this, &app.catalogue->texture(UiTexture::SkinDown)),
      sound_(this, &app.catalogue->texture(UiTexture::CheckBox)),
      readers_{makeReader(this, app), makeReader(this, app), makeReader(this, app),
               makeReader(this, app), makeReader(this, app), makeReader(this, app)} {
    const ParamTable& menu = app.menuTable;
    close_.setPosition(menuFloat(menu, "m_od_close_btnx"), menuFloat(menu, "m_od_close_btny"));
    addWidget(&close_);
    const float boxX = menuFloat(menu, "m_od_autosave_chbx");
    const float boxY = menuFloat(menu, "m_od_autosave_chby");
    autosave_.setPosition(boxX, boxY);
    addWidget(&autosave_);
    skinUp_.setPosition(menuFloat(menu, "m_od_skin_up_btnx"), menuFloat(menu, "m_od_skin_up_btny"));
    addWidget(&skinUp_);
    skinDown_.setPosition(menuFloat(menu, "m_od_skin_down_btnx"),
                          menuFloat(menu, "m_od_skin_down_btny"));
    addWidget(&skinDown_);
    sound_.setPosition(boxX, boxY + 40.0f);
    addWidget(&sound_);

    const GameSettings& keys = app.settings;
    const int codes[] = {keys.m_left_key, keys.m_right_key, keys.m_up_key,
                         keys.m_down_key, keys.m_fire_key,  keys.m_die_key};
    for (std::size_t i = 0; i < readers_.size(); ++i) {
        readers_[i].setPosition(menuFloat(menu, kReaders[i].keyX),
                                menuFloat(menu, kReaders[i].keyY));
        readers_[i].setKeyCode(codes[i]);
        addWidget(&readers_[i]);
    }
    autosave_.setOn(app.autosave);
    sound_.setOn(app.soundOn);
    rebuildPreview();
}

void OptionsDialog::rebuildPreview() {
    // The first five sheets of the current skin: brick, block, ladder, rope, gold.
    const SkinGroup sheets[] = {kSkinBrick, kSkinSolid, kSkinLadder, kSkinRope, kSkinGold};
    const ParamTable& menu = app_.menuTable;
    const float left = menuFloat(menu, "m_od_skin_x");
    const float top = menuFloat(menu, "m_od_skin_y");
    preview_.clear();
    for (int i = 0; i < 5; ++i) {
        Sprite sprite = app_.catalogue->skinSprite(sheets[i]);
        sprite.setSize(25.0f, 25.0f);
        sprite.position = Vec3{left + 60.0f * static_cast<float>(i), top, 10.0f};
        // The ladder, rope and gold pieces have transparent parts.
        sprite.blended = i >= 2;
        sprite.flipV = i >= 3;
        preview_.push_back(sprite);
    }
}

void OptionsDialog::draw() {
    drawDialogPicture(*this, app_.catalogue->picture(LargePicture::Panel));
    Dialog::draw();
    const Font& font = app_.catalogue->font();
    drawShadowedText(font, "Options", 50.0f, 20.0f, 60.0f);
    drawYellowText(font, "Autosave", 25.0f, 350.0f, 135.0f);
    drawYellowText(font, "Sound", 25.0f, 350.0f, 175.0f);
    drawShadowedText(font, "SKIN", 30.0f, 520.0f, 300.0f);
    for (std::size_t i = 0; i < readers_.size(); ++i) {
        drawYellowText(font, kReaders[i].label, 25.0f, readers_[i].x - 100.0f,
                       readers_[i].y + 35.0f);
    }
    for (const Sprite& sprite : preview_) {
        sprite.draw(true);
    }
}

void OptionsDialog::onCommand(Widget* widget) {
    View::onCommand(widget);
    if (widget == &close_) {
        GameSettings& keys = app_.settings;
        int* bindings[] = {&keys.m_left_key, &keys.m_right_key, &keys.m_up_key,
                           &keys.m_down_key, &keys.m_fire_key,  &keys.m_die_key};
        for (std::size_t i = 0; i < readers_.size(); ++i) {
            *bindings[i] = readers_[i].keyCode();
        }
        result = 0;
        window_.closeTop(false);
    } else if (widget == &autosave_) {
        app_.autosave = autosave_.on();
    } else if (widget == &sound_) {
        app_.soundOn = sound_.on();
        app_.sound.setEnabled(app_.soundOn);
    } else if (widget == &skinUp_ || widget == &skinDown_) {
        AssetCatalogue& catalogue = *app_.catalogue;
        const int count = catalogue.skinCount();
        const int step = widget == &skinUp_ ? 1 : count - 1;
        catalogue.setCurrentSkin((catalogue.currentSkin() + step) % count);
        rebuildPreview();
    }
}

}  // namespace glint
