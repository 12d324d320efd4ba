// Scratch directories and file helpers for tests that touch the disk.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "pack/FileIo.h"

namespace glint::test {

// A fresh empty directory that is the working directory for the object's lifetime, so that
// relative paths (loose files, "data/...") resolve inside it. Removed afterwards.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

// Writes a file, creating its parent directories.
void writeFile(const std::filesystem::path& path, std::string_view bytes);
void writeFile(const std::filesystem::path& path, const Bytes& bytes);
std::string readFile(const std::filesystem::path& path);

inline Bytes bytesOf(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

}  // namespace glint::test
