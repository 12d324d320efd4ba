// The program's command line: what the player asked for this run.
#pragma once

#include <string>
#include <vector>

namespace glint {

struct CommandLine {
    static constexpr int kMaxScale = 8;

    bool help = false;
    bool version = false;
    // Full screen from the start (true), windowed (false), or as usual (neither set).
    bool fullScreen = false;
    bool windowed = false;
    // The window's size as a multiple of the logical screen; 0 when not given.
    int scale = 0;
    // Where every user file goes; empty when not given.
    std::string dataDirectory;
    // A replay to play at once; empty when not given.
    std::string replayFile;
    // Why the command line cannot be used; empty when it can.
    std::string error;
};

// Reads the arguments after the program's name. Options: --help (-h), --version, --windowed,
// --fullscreen (the later of the two wins), --scale N (1 to kMaxScale), --data-dir DIR,
// --replay FILE; a value
// may also follow "=" (--scale=2).
CommandLine parseCommandLine(const std::vector<std::string>& arguments);

// The usage text, ended by a newline.
std::string usageText();
// "Glint Seeker VERSION", without a newline.
std::string versionText();

}  // namespace glint
