// The question asked before the program ends: OK to quit, Cancel to stay.
#include "ui/QuitDialog.h"

#include <GL/gl.h>

#include "app/App.h"
#include "app/MainWindow.h"
#include "ui/DialogSupport.h"

namespace glint {

QuitDialog::QuitDialog(MainWindow& window, App& app)
    : Dialog(window),
      app_(app),
      ok_(this, &app.catalogue->texture(UiTexture::OkButton)),
      cancel_(this, &app.catalogue->texture(UiTexture::CancelButton)) {
    const ParamTable& menu = app.menuTable;
    ok_.setPosition(static_cast<float>(menuInt(menu, "m_qd_ok_btnx")),
                    static_cast<float>(menuInt(menu, "m_qd_ok_btny")));
    cancel_.setPosition(static_cast<float>(menuInt(menu, "m_qd_cancel_btnx")),
                        static_cast<float>(menuInt(menu, "m_qd_cancel_btny")));
    addWidget(&ok_);
    addWidget(&cancel_);
}

void QuitDialog::draw() {
    const Font& font = app_.catalogue->font();
    glPushMatrix();
    drawDimmer(0.0f, 0.0f, 0.0f, 0.5f);
    drawDialogPicture(*this, app_.catalogue->picture(LargePicture::Panel));
    Dialog::draw();
    // Both shadows first, then both lines in yellow.
    font.drawText("Do you really want", 35.0f, 33.0f, 63.0f, 10.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    font.drawText("to exit?", 35.0f, 143.0f, 103.0f, 10.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    drawYellowText(font, "Do you really want", 35.0f, 30.0f, 60.0f);
    drawYellowText(font, "to exit?", 35.0f, 140.0f, 100.0f);
    glPopMatrix();
}

void QuitDialog::onCommand(Widget* widget) {
    View::onCommand(widget);
    if (widget == &ok_) {
        result = 0;
        window_.closeTop(false);
    } else if (widget == &cancel_) {
        result = 1;
        window_.closeTop(false);
    }
}

}  // namespace glint
