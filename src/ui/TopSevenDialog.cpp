// One level set's seven best scores, over the whole screen.
#include "ui/TopSevenDialog.h"

#include <GL/gl.h>

#include <string>

#include "app/App.h"
#include "app/MainWindow.h"
#include "persist/HighScoreTable.h"
#include "ui/DialogSupport.h"

namespace glint {

namespace {

// Where entry i stands: its text's baseline and the row around it.
float baseline(int entry) {
    return 150.0f + 60.0f * static_cast<float>(entry);
}

}  // namespace

bool ScoreRow::onMouseMove(int px, int py, std::uint64_t /*flags*/) {
    const bool on = hit(px, py);
    state = on ? 2 : 1;
    return on;
}

bool ScoreRow::onLButtonDown(int px, int py, std::uint64_t /*flags*/) {
    if (!hit(px, py)) {
        return false;
    }
    owner_->onCommand(this);
    return true;
}

void ScoreRow::trigger() {
    owner_->onCommand(this);
}

void ScoreRow::draw() {
    if (state != 2 && !showsFocus()) {
        return;
    }
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 0.6f, 0.25f);
    glBegin(GL_QUADS);
    glVertex3f(x, y, 5.0f);
    glVertex3f(x + width, y, 5.0f);
    glVertex3f(x + width, y + height, 5.0f);
    glVertex3f(x, y + height, 5.0f);
    glEnd();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
}

TopSevenDialog::TopSevenDialog(MainWindow& window, App& app, int table)
    : Dialog(window),
      app_(app),
      tableIndex_(table == 1 ? 1 : 0),
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
        const float y = baseline(static_cast<int>(i));
        if (rows_[i]) {
            // A game that can be watched is marked.
            font.drawText(">", 40.0f, 51.0f, y + 1.0f, 10.0f, 0.0f, 0.0f, 0.0f, 1.0f);
            drawYellowText(font, ">", 40.0f, 50.0f, y);
        }
        const std::string& name = entries[i].name;
        const std::string score = std::to_string(entries[i].score);
        font.drawText(name, 40.0f, 101.0f, y + 1.0f, 10.0f, 0.0f, 0.0f, 0.0f, 1.0f);
        font.drawText(score, 40.0f, 561.0f, y + 1.0f, 10.0f, 0.0f, 0.0f, 0.0f, 1.0f);
        drawYellowText(font, name, 40.0f, 100.0f, y);
        drawYellowText(font, score, 40.0f, 560.0f, y);
    }
    glPopMatrix();
}

void TopSevenDialog::offerReplays(const std::array<bool, 7>& watchable) {
    for (int i = 0; i < 7; ++i) {
        if (watchable[i] && !rows_[i]) {
            rows_[i] = std::make_unique<ScoreRow>(this, i);
            rows_[i]->setPosition(80.0f, baseline(i) - 44.0f);
            addWidget(rows_[i].get());
        }
    }
}

void TopSevenDialog::onCommand(Widget* widget) {
    View::onCommand(widget);
    if (widget == &close_) {
        result = 0;
        window_.closeTop(false);
        return;
    }
    for (const auto& row : rows_) {
        if (row && widget == row.get()) {
            watched_ = row->entry;
            result = kWatch;
            window_.closeTop(false);
        }
    }
}

}  // namespace glint
