// The player's own files: where each one lives, and the rules that keep them safe.
#include "app/UserFiles.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>

#include "pack/FileIo.h"
#include "persist/SaveFileScrambler.h"

namespace glint {

namespace {

namespace fs = std::filesystem;

struct FileKind {
    const char* name;
    std::string_view key;
    // An entry without which the file means nothing (a saved game must say its level set), or
    // null.
    const char* required;
};

constexpr FileKind kKinds[UserFiles::kCount] = {
    {"dx.cfg", SaveFileScrambler::kSettingsKey, nullptr},
    {"save.sav", SaveFileScrambler::kSavedGameKey, "m_game_kind"},
    {"scores1.tab", SaveFileScrambler::kHighScoreKey, nullptr},
    {"scores2.tab", SaveFileScrambler::kHighScoreKey, nullptr},
};

// Whether unscrambled bytes are a table as the game writes them: lines of text, each ended by
// LF. Damaged or foreign bytes unscramble into control characters almost at once; an empty
// file, or one cut short, ends without its LF.
bool looksWritten(const Bytes& plain) {
    if (plain.empty() || plain.back() != '\n') {
        return false;
    }
    return std::none_of(plain.begin(), plain.end(), [](std::uint8_t b) {
        return (b < 32 && b != '\t' && b != '\n' && b != '\r') || b == 127;
    });
}

const FileKind& kindOf(UserFile file) {
    return kKinds[static_cast<std::size_t>(file)];
}

// The six characters mkstemp puts in place of "XXXXXX".
bool isTemporarySuffix(std::string_view suffix) {
    if (suffix.size() != 6) {
        return false;
    }
    for (char c : suffix) {
        const bool alphanumeric =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
        if (!alphanumeric) {
            return false;
        }
    }
    return true;
}

}  // namespace

UserFiles::UserFiles(std::string directory)
    : settingsDirectory_(directory), gameDirectory_(std::move(directory)) {}

UserFiles::UserFiles(std::string settingsDirectory, std::string gameDirectory)
    : settingsDirectory_(std::move(settingsDirectory)), gameDirectory_(std::move(gameDirectory)) {}

const std::string& UserFiles::directory(UserFile file) const {
    return file == UserFile::Settings ? settingsDirectory_ : gameDirectory_;
}

std::string UserFiles::path(UserFile file) const {
    return directory(file) + "/" + kindOf(file).name;
}

std::string_view UserFiles::key(UserFile file) {
    return kindOf(file).key;
}

UserFiles::Read UserFiles::read(UserFile file, ParamTable& table) {
    table.clear();
    const std::string where = path(file);
    std::error_code ec;
    const fs::file_status status = fs::symlink_status(where, ec);
    if (ec || status.type() == fs::file_type::not_found) {
        return Read::Missing;
    }
    bool ok = false;
    if (std::optional<Bytes> stored = readWholeFile(where, ParamTable::kMaxUserFileBytes)) {
        std::optional<Bytes> plain = SaveFileScrambler::unscramble(*stored, key(file));
        if (plain && looksWritten(*plain)) {
            table.loadFromBuffer(*plain, true);
            const char* required = kindOf(file).required;
            ok = required == nullptr || !table.get(required, "").empty();
        }
    }
    if (!ok) {
        table.clear();
        damaged_[static_cast<std::size_t>(file)] = true;
        return Read::Damaged;
    }
    damaged_[static_cast<std::size_t>(file)] = false;
    return Read::Read;
}

bool UserFiles::keepAside(UserFile file) {
    bool& damaged = damaged_[static_cast<std::size_t>(file)];
    if (!damaged) {
        return true;
    }
    const std::string where = path(file);
    const std::string aside = where + ".damaged";
    if (std::rename(where.c_str(), aside.c_str()) != 0 && errno != ENOENT) {
        std::fprintf(stderr, "glint: %s could not be read, and cannot be kept as %s: %s\n",
                     where.c_str(), aside.c_str(), std::strerror(errno));
        return false;
    }
    std::fprintf(stderr, "glint: %s could not be read; it is kept as %s\n", where.c_str(),
                 aside.c_str());
    damaged = false;
    return true;
}

bool UserFiles::write(UserFile file, const ParamTable& table) {
    const std::string where = path(file);
    std::error_code ec;
    fs::create_directories(directory(file), ec);
    // A file we could not read is never overwritten: the player may still want it.
    if (!keepAside(file)) {
        return false;
    }
    const std::string plain = table.text();
    std::string why;
    if (!writeFileAtomically(
            where,
            SaveFileScrambler::scramble(
                std::span(reinterpret_cast<const std::uint8_t*>(plain.data()), plain.size()),
                key(file)),
            &why)) {
        std::fprintf(stderr, "glint: cannot write %s: %s\n", where.c_str(), why.c_str());
        return false;
    }
    return true;
}

bool UserFiles::remove(UserFile file) {
    if (damaged_[static_cast<std::size_t>(file)]) {
        return keepAside(file);
    }
    const std::string where = path(file);
    if (std::remove(where.c_str()) != 0 && errno != ENOENT) {
        std::fprintf(stderr, "glint: cannot remove %s: %s\n", where.c_str(), std::strerror(errno));
        return false;
    }
    return true;
}

void UserFiles::removeStaleTemporaries() const {
    removeStaleTemporariesIn(settingsDirectory_);
    if (gameDirectory_ != settingsDirectory_) {
        removeStaleTemporariesIn(gameDirectory_);
    }
}

void UserFiles::removeStaleTemporariesIn(const std::string& dir) const {
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, ec)) {
        const std::string name = entry.path().filename().string();
        for (std::size_t i = 0; i < kCount; ++i) {
            const FileKind& kind = kKinds[i];
            // Only the temporaries of files that live in this directory.
            if (directory(static_cast<UserFile>(i)) != dir) {
                continue;
            }
            const std::string prefix = std::string(kind.name) + ".";
            if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0 &&
                isTemporarySuffix(std::string_view(name).substr(prefix.size())) &&
                entry.symlink_status(ec).type() == fs::file_type::regular) {
                fs::remove(entry.path(), ec);
            }
        }
    }
}

}  // namespace glint
