// The program's command line: what the player asked for this run.
#include "app/CommandLine.h"

#include <charconv>

#ifndef GLINT_VERSION
#define GLINT_VERSION "0"
#endif

namespace glint {

CommandLine parseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (std::size_t i = 0; i < arguments.size() && line.error.empty(); ++i) {
        std::string option = arguments[i];
        std::string value;
        bool hasValue = false;
        if (const std::size_t eq = option.find('=');
            option.starts_with("--") && eq != std::string::npos) {
            value = option.substr(eq + 1);
            option.resize(eq);
            hasValue = true;
        }
        const bool takesValue =
            option == "--scale" || option == "--data-dir" || option == "--replay";
        if (takesValue && !hasValue) {
            if (i + 1 >= arguments.size()) {
                line.error = option + " needs a value";
                break;
            }
            value = arguments[++i];
        } else if (!takesValue && hasValue) {
            line.error = option + " takes no value";
            break;
        }
        if (option == "--help" || option == "-h") {
            line.help = true;
        } else if (option == "--version") {
            line.version = true;
        } else if (option == "--windowed") {
            line.windowed = true;
            line.fullScreen = false;
        } else if (option == "--fullscreen") {
            line.fullScreen = true;
            line.windowed = false;
        } else if (option == "--scale") {
            int n = 0;
            const char* end = value.data() + value.size();
            const auto [last, ec] = std::from_chars(value.data(), end, n);
            if (ec != std::errc() || last != end || n < 1 || n > CommandLine::kMaxScale) {
                line.error = "--scale wants a whole number from 1 to " +
                             std::to_string(CommandLine::kMaxScale) + ", not '" + value + "'";
            } else {
                line.scale = n;
            }
        } else if (option == "--data-dir") {
            if (value.empty()) {
                line.error = "--data-dir needs a directory";
            } else {
                line.dataDirectory = value;
            }
        } else if (option == "--replay") {
            if (value.empty()) {
                line.error = "--replay needs a file";
            } else {
                line.replayFile = value;
            }
        } else {
            line.error = "unknown option '" + option + "'";
        }
    }
    return line;
}

std::string usageText() {
    return "Usage: glint [OPTION]...\n"
           "Glint Seeker, an arcade platform game.\n"
           "\n"
           "  --windowed        play in a window (the default)\n"
           "  --fullscreen      play full screen\n"
           "  --scale N         open the window at N times 800 x 600 (1 to 8), for this run\n"
           "  --data-dir DIR    keep the settings, saved game and scores in DIR\n"
           "  --replay FILE     play a recorded game (Escape ends it)\n"
           "  --help            show this help and exit\n"
           "  --version         show the version and exit\n"
           "\n"
           "Without --data-dir, user files live in data/ beside the program when it is\n"
           "writable there, else the settings in $XDG_CONFIG_HOME/glint-seeker and the saved\n"
           "game and scores in $XDG_DATA_HOME/glint-seeker.\n";
}

std::string versionText() {
    return std::string("Glint Seeker ") + GLINT_VERSION;
}

}  // namespace glint
