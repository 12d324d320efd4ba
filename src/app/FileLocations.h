// Where the program's files are: the read-only content (the data pack and the sounds) and the
// player's own files, portable beside the program, in the XDG base directories, or in a folder
// named on the command line. Nothing else decides a user file's directory.
#pragma once

#include <functional>
#include <string>

namespace glint {

struct FileLocations {
    // The directory whose "data/" holds the pack and the sounds, with a trailing "/"; empty when
    // neither place has a pack (the working directory is then used as it is).
    std::string contentRoot;
    // Where the settings live, and where the saved game and the score tables live.
    std::string settingsDirectory;
    std::string gameDirectory;
    // The user files lie in "data/" beside the program.
    bool portable = false;
};

// Reads an environment variable; null when it is not set.
using EnvironmentLookup = std::function<const char*(const char*)>;

// The content root for a program in executableDirectory (with a trailing "/"): the directory
// itself when its "data/" holds the pack, else the installed data directory relative to it
// ("../share/glint-seeker/" for a program in "bin/"), when that holds the pack.
std::string findContentRoot(const std::string& executableDirectory);

// Chooses every location. dataDirectory (from --data-dir, made absolute by the caller) puts
// every user file there. Otherwise a writable "data/" beside the program keeps them (portable,
// as in a build folder); else the settings go to $XDG_CONFIG_HOME/glint-seeker and the saved
// game and scores to $XDG_DATA_HOME/glint-seeker, with the XDG defaults under $HOME when a
// variable is unset, empty or relative.
FileLocations locateFiles(const std::string& executableDirectory, const std::string& dataDirectory,
                          const EnvironmentLookup& environment);

}  // namespace glint
