// The help panel: the word-wrapped help text with buttons to scroll it and to close.
#include "ui/HelpDialog.h"

#include <GL/gl.h>

#include <optional>
#include <string_view>

#include "app/App.h"
#include "app/MainWindow.h"
#include "ui/DialogSupport.h"

namespace glint {

namespace {

constexpr float kWrapWidth = 500.0f;
constexpr float kTextSize = 25.0f;
constexpr int kShownLines = 14;
constexpr int kScrollStep = 2;

}  // namespace

HelpDialog::HelpDialog(MainWindow& window, App& app)
    : Dialog(window),
      app_(app),
      close_(this, &app.catalogue->texture(UiTexture::CloseButton)),
      up_(this, &app.catalogue->texture(UiTexture::ScrollUp)),
      down_(this, &app.catalogue->texture(UiTexture::ScrollDown)),
      text_(&app.catalogue->font(), kWrapWidth, kTextSize, kShownLines, kScrollStep) {
    const ParamTable& menu = app.menuTable;
    close_.setPosition(static_cast<float>(menuInt(menu, "m_hd_close_btnx")),
                       static_cast<float>(menuInt(menu, "m_hd_close_btny")));
    up_.setPosition(static_cast<float>(menuInt(menu, "m_hd_up_btnx")),
                    static_cast<float>(menuInt(menu, "m_hd_up_btny")));
    down_.setPosition(static_cast<float>(menuInt(menu, "m_hd_down_btnx")),
                      static_cast<float>(menuInt(menu, "m_hd_down_btny")));
    addWidget(&close_);
    addWidget(&up_);
    addWidget(&down_);

    // A missing text leaves the box empty; the dialog works all the same.
    if (std::optional<PackData> help = app.pack.tryReadEntry(kTextPath)) {
        const Bytes& bytes = help->data;
        text_.setText(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
    }
}

void HelpDialog::draw() {
    const Font& font = app_.catalogue->font();
    glPushMatrix();
    drawDialogPicture(*this, app_.catalogue->picture(LargePicture::Panel));
    Dialog::draw();
    drawShadowedText(font, "Help", 50.0f, 20.0f, 50.0f);
    text_.draw(40.0f, 90.0f, 1.0f, 1.0f, 0.0f, 1.0f);
    glPopMatrix();
}

void HelpDialog::onCommand(Widget* widget) {
    View::onCommand(widget);
    if (widget == &close_) {
        result = 0;
        window_.closeTop(false);
    } else if (widget == &up_) {
        text_.scrollUp();
    } else if (widget == &down_) {
        text_.scrollDown();
    }
}

}  // namespace glint
