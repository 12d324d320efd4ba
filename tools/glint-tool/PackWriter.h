// Writes data pack archives: the build packs our generated content with it.
#pragma once

#include <string>
#include <vector>

#include "pack/FileIo.h"

namespace glint::tool {

struct PackSource {
    std::string name;  // relative path with "/" separators
    Bytes data;
};

// The archive bytes for the given entries, in the given order: two reserved bytes (0), the
// entry count, then per entry the name length, the name, the data size and the data, every
// number unsigned 32-bit little-endian. Gives an empty buffer and sets error when a name or an
// entry is too large for the format.
Bytes buildPack(const std::vector<PackSource>& sources, std::string& error);

// Every regular file under directory, named by its path relative to it, in byte-wise sorted
// order. The file excludePath (the archive being written) is left out when it lies there.
bool collectDirectory(const std::string& directory, const std::string& excludePath,
                      std::vector<PackSource>& sources, std::string& error);

}  // namespace glint::tool
