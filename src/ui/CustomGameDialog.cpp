// The choice of a single level to play: a chosen level of a level set, or a random one.
#include "ui/CustomGameDialog.h"

#include "app/App.h"
#include "app/MainWindow.h"
#include "ui/DialogSupport.h"

namespace glint {

CustomGameDialog::CustomGameDialog(MainWindow& window, App& app)
    : Dialog(window),
      app_(app),
      ok_(this, &app.catalogue->texture(UiTexture::OkButton)),
      cancel_(this, &app.catalogue->texture(UiTexture::CancelButton)),
      level_(this, &app.catalogue->font(), 25.0f,
             &app.catalogue->texture(UiTexture::LevelNumberEditBox)),
      custom_(this, &app.catalogue->texture(UiTexture::RadioButton)),
      random_(this, &app.catalogue->texture(UiTexture::RadioButton)),
      set1_(this, &app.catalogue->texture(UiTexture::RadioButton)),
      set2_(this, &app.catalogue->texture(UiTexture::RadioButton)) {
    const ParamTable& menu = app.menuTable;
    auto place = [&](Control& control, const char* keyX, const char* keyY) {
        control.setPosition(menuFloat(menu, keyX), menuFloat(menu, keyY));
        addWidget(&control);
    };
    place(ok_, "m_cgd_ok_btnx", "m_cgd_ok_btny");
    place(cancel_, "m_cgd_cancel_btnx", "m_cgd_cancel_btny");
    place(level_, "m_cgd_level_numx", "m_cgd_level_numy");
    level_.z = 10.0f;
    level_.maxLength = 2;
    level_.textOffset = 30.0f;
    level_.numericOnly = true;
    level_.rangeCheck = true;
    level_.minimum = 1;
    level_.maximum = 75;
    level_.textColour[0] = level_.textColour[1] = level_.textColour[2] = 0.0f;
    place(custom_, "m_cgd_game_type1_radiox", "m_cgd_game_type1_radioy");
    place(random_, "m_cgd_game_type2_radiox", "m_cgd_game_type2_radioy");
    place(set1_, "m_cgd_game_kind1_radiox", "m_cgd_game_kind1_radioy");
    place(set2_, "m_cgd_game_kind2_radiox", "m_cgd_game_kind2_radioy");
    type_.add(&custom_);
    type_.add(&random_);
    set_.add(&set1_);
    set_.add(&set2_);

    const GameSettings& settings = app.settings;
    level_.setText(ParamTable::fromInt(settings.m_custom_level_num));
    RadioButton& type = settings.m_custom_type_game != 0 ? random_ : custom_;
    type.setChecked(true);
    type_.select(&type);
    RadioButton& set = settings.m_custom_kind_game != 0 ? set2_ : set1_;
    set.setChecked(true);
    set_.select(&set);
    showChoices(&type == &custom_);
}

void CustomGameDialog::showChoices(bool chosenLevel) {
    set1_.visible = chosenLevel;
    set2_.visible = chosenLevel;
    level_.enabled = chosenLevel;
}

void CustomGameDialog::draw() {
    drawDialogPicture(*this, app_.catalogue->picture(LargePicture::Panel));
    Dialog::draw();
    const Font& font = app_.catalogue->font();
    drawShadowedText(font, "Custom Game", 40.0f, 30.0f, 60.0f);
    struct Label {
        const RadioButton& radio;
        const char* text;
        float size;
    };
    const Label labels[] = {{custom_, "Custom", 25.0f},
                            {random_, "Random", 25.0f},
                            {set1_, "Glint Seeker 1", 23.0f},
                            {set2_, "Glint Seeker 2", 23.0f}};
    for (const Label& label : labels) {
        if (label.radio.visible) {
            drawYellowText(font, label.text, label.size, label.radio.x + 40.0f,
                           label.radio.y + 25.0f);
        }
    }
    if (level_.enabled) {
        drawYellowText(font, "Level's Number (1..75)", 23.0f, level_.x, level_.y);
    }
}

void CustomGameDialog::onCommand(Widget* widget) {
    View::onCommand(widget);
    GameSettings& settings = app_.settings;
    if (widget == &ok_) {
        if (custom_.on()) {
            const int level = ParamTable::toInt(level_.text());
            if (level < 1 || level > 75) {
                return;  // refused: the dialog stays open and nothing is stored
            }
            settings.m_custom_level_num = level;
        }
        result = 0;
        window_.closeTop(false);
    } else if (widget == &cancel_) {
        result = 1;
        window_.closeTop(false);
    } else if (widget == &custom_ || widget == &random_) {
        type_.select(static_cast<RadioButton*>(widget));
        showChoices(widget == &custom_);
    } else if (widget == &set1_ || widget == &set2_) {
        set_.select(static_cast<RadioButton*>(widget));
    }
    settings.m_custom_kind_game = set_.indexOfChecked();
    settings.m_custom_type_game = type_.indexOfChecked();
}

}  // namespace glint
