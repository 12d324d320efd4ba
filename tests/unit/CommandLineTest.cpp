// The program's command line: what each option asks for, and what is refused.
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace glint {
namespace {

TEST(CommandLine, OptionsAreReadWithTheirValues) {
    struct Case {
        std::vector<std::string> arguments;
        bool help, version, fullScreen;
        int scale;
        std::string dataDirectory;
    };
    for (const Case& c : {
             Case{{}, false, false, false, 0, ""},
             Case{{"--help"}, true, false, false, 0, ""},
             Case{{"-h"}, true, false, false, 0, ""},
             Case{{"--version"}, false, true, false, 0, ""},
             Case{{"--fullscreen"}, false, false, true, 0, ""},
             Case{{"--fullscreen", "--windowed"}, false, false, false, 0, ""},
             Case{{"--windowed", "--fullscreen"}, false, false, true, 0, ""},
             Case{{"--scale", "2"}, false, false, false, 2, ""},
             Case{{"--scale=8"}, false, false, false, 8, ""},
             Case{{"--data-dir", "my files"}, false, false, false, 0, "my files"},
             Case{{"--data-dir=/tmp/g", "--scale", "3"}, false, false, false, 3, "/tmp/g"},
         }) {
        const CommandLine line = parseCommandLine(c.arguments);
        const std::string what = c.arguments.empty() ? "(none)" : c.arguments.front();
        EXPECT_EQ(line.error, "") << what;
        EXPECT_EQ(line.help, c.help) << what;
        EXPECT_EQ(line.version, c.version) << what;
        EXPECT_EQ(line.fullScreen, c.fullScreen) << what;
        EXPECT_EQ(line.scale, c.scale) << what;
        EXPECT_EQ(line.dataDirectory, c.dataDirectory) << what;
    }
}

TEST(CommandLine, WrongArgumentsAreRefused) {
    for (const std::vector<std::string>& arguments : std::vector<std::vector<std::string>>{
             {"--bogus"},
             {"-x"},
             {"game.txt"},
             {"--scale"},
             {"--scale", "0"},
             {"--scale", "9"},
             {"--scale", "2x"},
             {"--scale", "-1"},
             {"--scale", "99999999999999999999"},
             {"--scale="},
             {"--data-dir"},
             {"--data-dir="},
             {"--help=yes"},
             {"--windowed", "--nope"},
         }) {
        EXPECT_NE(parseCommandLine(arguments).error, "") << arguments.back();
    }
}

TEST(CommandLine, UsageNamesEveryOptionAndTheVersionIsOneLine) {
    const std::string usage = usageText();
    for (const char* option :
         {"--help", "--version", "--windowed", "--fullscreen", "--scale", "--data-dir"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(versionText().find('\n'), std::string::npos);
    EXPECT_EQ(versionText().rfind("Glint Seeker ", 0), 0u);
}

}  // namespace
}  // namespace glint
