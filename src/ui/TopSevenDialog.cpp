// One level set's seven best scores, over the whole screen.
#include "ui/TopSevenDialog.h"

#include <GL/gl.h>

#include <string>

#include "app/App.h"
#include "app/MainWindow.h"
#include "persist/HighScoreTable.h"
#include "ui/DialogSupport.h"

namespace glint {

TopSevenDialog::TopSevenDialog(MainWindow& window, App& app, int table)
    : Dialog(window),
      app_(app),
      table_(app.settings.highScores[table == 1 ? 1 : 0]),
      close_(this, &app.catalogue->texture(UiTexture::CloseButton)) {
    setReferenceSize(app.camera.width, app.camera.height);
    const ParamTable& menu = app.menuTable;
    close_.setPosition(static_cast<float>(menuInt(menu, "m_t7d_close_btnx")),
                       static_cast<float>(menuInt(menu, "m_t7d_close_btny")));
    addWidget(&close_);
}

void TopSevenDialog::draw() {
    const Font& font = app_.catalogue->font();
    glPushMatrix();
    // The panel is the whole reference screen.
    backgroundWidth = refWidth;
    backgroundHeight = refHeight;
    drawDialogPicture(*this, app_.catalogue->picture(LargePicture::Panel));
    Dialog::draw();
    drawShadowedText(font, "Top 7", 50.0f, 20.0f, 60.0f);
    const auto& entries = table_.entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const float y = 150.0f + 60.0f * static_cast<float>(i);
        const std::string& name = entries[i].name;
        const std::string score = std::to_string(entries[i].score);
        font.drawText(name, 40.0f, 101.0f, y + 1.0f, 10.0f, 0.0f, 0.0f, 0.0f, 1.0f);
        font.drawText(score, 40.0f, 561.0f, y + 1.0f, 10.0f, 0.0f, 0.0f, 0.0f, 1.0f);
        drawYellowText(font, name, 40.0f, 100.0f, y);
        drawYellowText(font, score, 40.0f, 560.0f, y);
    }
    glPopMatrix();
}

void TopSevenDialog::onCommand(Widget* widget) {
    View::onCommand(widget);
    if (widget == &close_) {
        result = 0;
        window_.closeTop(false);
    }
}

}  // namespace glint
