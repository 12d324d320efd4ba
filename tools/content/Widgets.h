// Interface pictures: buttons, check box, radio button, edit boxes, key reader, arrows, logo.
#pragma once

#include <string>

namespace glint::content {

// Reads the widget recipe and writes every picture it names under outRoot (32-bit TGA).
// Each picture is a stack of bands, one per state, state 1 at the bottom, every band drawn
// upright: buttons (normal, hover, pressed), check box and radio button (off, off hovered,
// on, on hovered), edit boxes (unfocused, focused), key reader (idle, waiting).
// Returns false with a message on any fault.
bool makeWidgets(const std::string& recipe, const std::string& fontDir, const std::string& outRoot,
                 std::string& error);

}  // namespace glint::content
