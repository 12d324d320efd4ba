// JSON text for the tool's output.
#pragma once

#include <string>
#include <string_view>

namespace glint::tool {

// A JSON string literal, quotes included. Bytes are read as Latin-1, so any byte string gives
// valid JSON: control bytes and bytes from 128 up are written as \u00XX escapes.
std::string jsonString(std::string_view bytes);

}  // namespace glint::tool
