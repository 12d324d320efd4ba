// The text files of the pack: key/value tables and the help text, checked on the way in.
#pragma once

#include <string>

namespace glint::content {

// Copies a key/value table after checking what the game's parser needs: ASCII only, no byte
// order mark, no double quote, and "//" only where a comment begins (never inside a word, where
// it would cut a value short).
bool copyTable(const std::string& source, const std::string& out, std::string& error);

// Writes the help text with CR LF line ends (the help box breaks lines only at a carriage
// return), after checking that it holds only printable ASCII and line ends.
bool writeHelpText(const std::string& source, const std::string& out, std::string& error);

}  // namespace glint::content
