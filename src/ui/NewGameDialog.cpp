// "Start New Game?": asked when a new game would replace the one in progress.
#include "ui/NewGameDialog.h"

#include "app/App.h"
#include "app/MainWindow.h"
#include "ui/DialogSupport.h"

namespace glint {

NewGameDialog::NewGameDialog(MainWindow& window, App& app)
    : Dialog(window),
      app_(app),
      ok_(this, &app.catalogue->texture(UiTexture::OkButton)),
      cancel_(this, &app.catalogue->texture(UiTexture::CancelButton)) {
    const ParamTable& menu = app.menuTable;
    ok_.setPosition(menuFloat(menu, "m_ngd_ok_btnx"), menuFloat(menu, "m_ngd_ok_btny"));
    cancel_.setPosition(menuFloat(menu, "m_ngd_cancel_btnx"), menuFloat(menu, "m_ngd_cancel_btny"));
    addWidget(&ok_);
    addWidget(&cancel_);
}

void NewGameDialog::draw() {
    drawDialogPicture(*this, app_.catalogue->picture(LargePicture::Panel));
    Dialog::draw();
    drawShadowedText(app_.catalogue->font(), "Start New Game?", 40.0f, 40.0f, 90.0f);
}

void NewGameDialog::onCommand(Widget* widget) {
    View::onCommand(widget);
    result = widget == &ok_ ? 0 : 1;
    window_.closeTop(false);
}

}  // namespace glint
