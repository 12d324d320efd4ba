// What every dialog of the menus does alike: placement and positions from the menu table,
// titles drawn with a shadow, the panel picture behind the widgets.
#include "ui/DialogSupport.h"

#include <GL/gl.h>

#include <algorithm>

#include "app/App.h"
#include "app/Dialog.h"
#include "pack/ParamTable.h"
#include "render/Font.h"
#include "render/Texture.h"

namespace glint {

float menuFloat(const ParamTable& menu, const std::string& key) {
    constexpr auto kMost = static_cast<float>(kMaxLayoutUnits);
    return std::clamp(ParamTable::toFloat(menu.get(key, "0")), -kMost, kMost);
}

int menuInt(const ParamTable& menu, const std::string& key) {
    return std::clamp(menu.getInt(key), -kMaxLayoutUnits, kMaxLayoutUnits);
}

void placeDialog(Dialog& dialog, const App& app, const std::string& prefix) {
    dialog.setReferenceSize(app.camera.width, app.camera.height);
    const ParamTable& menu = app.menuTable;
    dialog.panelX = static_cast<float>(menuInt(menu, "m_" + prefix + "_x"));
    dialog.panelY = static_cast<float>(menuInt(menu, "m_" + prefix + "_y"));
    dialog.backgroundWidth = menuInt(menu, "m_" + prefix + "_width");
    dialog.backgroundHeight = menuInt(menu, "m_" + prefix + "_height");
}

void drawShadowedText(const Font& font, const std::string& text, float size, float x, float y) {
    font.drawText(text, size, x + 2.0f, y + 2.0f, 10.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    font.drawText(text, size, x, y, 10.0f, 1.0f, 1.0f, 0.0f, 1.0f);
}

void drawYellowText(const Font& font, const std::string& text, float size, float x, float y) {
    font.drawText(text, size, x, y, 10.0f, 1.0f, 1.0f, 0.0f, 1.0f);
}

void drawDialogPicture(Dialog& dialog, const Texture& picture) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, picture.name);
    dialog.drawPanelBackground(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace glint
