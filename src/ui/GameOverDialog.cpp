// The end of a game: the final score and, when it makes the level set's Top 7, the player's
// name for the table.
#include "ui/GameOverDialog.h"

#include <GL/gl.h>

#include <cstdio>

#include "app/App.h"
#include "app/MainWindow.h"
#include "persist/HighScoreTable.h"
#include "platform/Messages.h"
#include "ui/DialogSupport.h"

namespace glint {

namespace {

HighScoreTable& tableOf(App& app, int levelSet) {
    return app.settings.highScores[levelSet == 1 ? 1 : 0];
}

// The picture over the rectangle (0, 0)-(width, height), mapped as the panel background maps
// it: the top-left corner takes texture row 0.
void drawOverScreen(const Texture& picture, float width, float height) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture.name);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.0f, 0.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.0f, height);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(width, 0.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(width, height);
    glEnd();
}

}  // namespace

GameOverDialog::GameOverDialog(MainWindow& window, App& app, int score, int levelSet)
    : Dialog(window),
      app_(app),
      score_(score),
      table_(tableOf(app, levelSet)),
      nameEntry_(table_.qualifies(score) != -1),
      close_(this, &app.catalogue->texture(UiTexture::CloseButton)),
      nameBox_(this, &app.catalogue->font(), 35.0f,
               &app.catalogue->texture(UiTexture::NameEditBox)) {
    setReferenceSize(app.camera.width, app.camera.height);
    dimBackdrop = true;
    drawBackground = false;

    const ParamTable& menu = app.menuTable;
    close_.setPosition(static_cast<float>(menuInt(menu, "m_end_close_btnx")),
                       static_cast<float>(menuInt(menu, "m_end_close_btny")));
    addWidget(&close_);

    nameBox_.setPosition(menuFloat(menu, "m_end_editx"), menuFloat(menu, "m_end_edity"));
    nameBox_.z = 10.0f;
    nameBox_.maxLength = kMaxNameLength;
    nameBox_.textOffset = 30.0f;
    nameBox_.textColour[0] = 0.0f;
    nameBox_.textColour[1] = 0.0f;
    nameBox_.textColour[2] = 0.0f;
    nameBox_.textColour[3] = 1.0f;
    // A score that does not qualify gets no name box: neither drawn nor usable.
    nameBox_.enabled = nameEntry_;
    addWidget(&nameBox_);
    // The player can type at once, without clicking into the box first.
    if (nameEntry_) {
        setFocus(&nameBox_);
    }
}

void GameOverDialog::close() {
    // The close button, Escape and Enter may all arrive before the frame step that removes the
    // dialog; only the first of them enters the score and asks for the close.
    if (closed_) {
        return;
    }
    closed_ = true;
    name_ = nameBox_.text().empty() ? kAnonymous : nameBox_.text();
    if (table_.qualifies(score_) != -1) {
        table_.insert(name_, score_);
    }
    result = 0;
    window_.closeTop(false);
}

void GameOverDialog::onKeyDown(int key) {
    if (key == platform::vk::kEscape || key == platform::vk::kReturn) {
        close();
    }
    View::onKeyDown(key);
}

void GameOverDialog::onCommand(Widget* widget) {
    View::onCommand(widget);
    if (widget == &close_) {
        close();
    }
}

void GameOverDialog::draw() {
    const Font& font = app_.catalogue->font();
    glPushMatrix();
    drawDimmer(0.0f, 0.0f, 0.0f, 1.0f);
    drawPanelBackground(0.3f, 0.4f, 0.5f, 0.9f);
    drawOverScreen(app_.catalogue->picture(LargePicture::Panel), static_cast<float>(refWidth),
                   static_cast<float>(refHeight));
    Dialog::draw();
    drawShadowedText(font, "Game Over !", 50.0f, 220.0f, 70.0f);
    char line[48];
    std::snprintf(line, sizeof line, "Your score: %i", score_);
    drawShadowedText(font, line, 30.0f, 240.0f, 200.0f);
    if (nameEntry_) {
        drawShadowedText(font, "Enter Your Name", 30.0f, 250.0f, 300.0f);
    }
    glPopMatrix();
}

}  // namespace glint
