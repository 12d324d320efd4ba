// What every dialog of the menus does alike: placement and positions from the menu table,
// titles drawn with a shadow, the panel picture behind the widgets.
#pragma once

#include <string>

namespace glint {

class App;
class Dialog;
class Font;
class ParamTable;
class Texture;

// The number under a menu-table key ("0" when missing), held within kMaxLayoutUnits either
// way: positions and sizes far off any screen still convert to int and add up without
// overflowing.
constexpr int kMaxLayoutUnits = 100000;
float menuFloat(const ParamTable& menu, const std::string& key);
int menuInt(const ParamTable& menu, const std::string& key);

// Gives a dialog the reference screen and places it by "m_<prefix>_x", "_y", "_width" and
// "_height" of the menu table.
void placeDialog(Dialog& dialog, const App& app, const std::string& prefix);

// A title: black at (x + 2, y + 2), then yellow at (x, y), at depth 10.
void drawShadowedText(const Font& font, const std::string& text, float size, float x, float y);
// Text in yellow at depth 10.
void drawYellowText(const Font& font, const std::string& text, float size, float x, float y);

// The picture stretched over the dialog's rectangle (its panel position and background size).
void drawDialogPicture(Dialog& dialog, const Texture& picture);

}  // namespace glint
