// Where the program's files are: the content, and the player's own files.
#include "app/FileLocations.h"

#include <pwd.h>
#include <unistd.h>

#include <filesystem>

#ifndef GLINT_DATA_FROM_BIN
#define GLINT_DATA_FROM_BIN "../share/glint-seeker"
#endif

namespace glint {

namespace {

namespace fs = std::filesystem;

constexpr const char* kFolderName = "glint-seeker";

bool holdsPack(const std::string& root) {
    std::error_code ec;
    return fs::is_regular_file(root + "data/data.pk", ec);
}

// An absolute directory from the environment, without a trailing "/"; empty when the variable
// is unset, empty or relative (the XDG rules ignore relative values).
std::string absoluteFrom(const EnvironmentLookup& environment, const char* name) {
    const char* value = environment(name);
    if (value == nullptr || value[0] != '/') {
        return {};
    }
    std::string dir(value);
    while (dir.size() > 1 && dir.back() == '/') {
        dir.pop_back();
    }
    return dir;
}

std::string homeDirectory(const EnvironmentLookup& environment) {
    std::string home = absoluteFrom(environment, "HOME");
    if (!home.empty()) {
        return home;
    }
    // Started without HOME (by a service manager, say): the account's own home.
    if (const passwd* entry = getpwuid(getuid());
        entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/') {
        return entry->pw_dir;
    }
    return "/tmp";
}

std::string xdgDirectory(const EnvironmentLookup& environment, const char* variable,
                         const char* underHome) {
    std::string base = absoluteFrom(environment, variable);
    if (base.empty()) {
        base = homeDirectory(environment) + underHome;
    }
    if (base != "/") {
        base += "/";
    }
    return base + kFolderName;
}

}  // namespace

std::string findContentRoot(const std::string& executableDirectory) {
    if (executableDirectory.empty()) {
        return {};
    }
    if (holdsPack(executableDirectory)) {
        return executableDirectory;
    }
    // The program's directory is its real one (links resolved), so ".." is the prefix.
    const std::string root =
        (fs::path(executableDirectory) / GLINT_DATA_FROM_BIN).lexically_normal().string() + "/";
    return holdsPack(root) ? root : std::string();
}

FileLocations locateFiles(const std::string& executableDirectory, const std::string& dataDirectory,
                          const EnvironmentLookup& environment) {
    FileLocations where;
    where.contentRoot = findContentRoot(executableDirectory);
    if (!dataDirectory.empty()) {
        where.settingsDirectory = dataDirectory;
        where.gameDirectory = dataDirectory;
        return where;
    }
    const std::string beside = executableDirectory + "data";
    std::error_code ec;
    if (!executableDirectory.empty() && fs::is_directory(beside, ec) &&
        access(beside.c_str(), W_OK | X_OK) == 0) {
        where.settingsDirectory = beside;
        where.gameDirectory = beside;
        where.portable = true;
        return where;
    }
    where.settingsDirectory = xdgDirectory(environment, "XDG_CONFIG_HOME", "/.config");
    where.gameDirectory = xdgDirectory(environment, "XDG_DATA_HOME", "/.local/share");
    return where;
}

}  // namespace glint
