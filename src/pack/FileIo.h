// Whole-file reads with a size limit, and writes that never leave a cut-off file behind.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace glint {

using Bytes = std::vector<std::uint8_t>;

// Reads a regular file completely. Gives nothing when the path cannot be opened, is not a
// regular file (a directory, a pipe, a device), is larger than maxBytes, or cannot be read whole.
std::optional<Bytes> readWholeFile(const std::string& path, std::uint64_t maxBytes);

// Writes bytes to a temporary file beside path (path + "." + six letters or digits), flushes
// and syncs it, and renames it over path. Either the new content is in place or the old file is
// untouched; returns false when any step failed (and then removes the temporary file), with the
// reason in why when given.
bool writeFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes,
                         std::string* why = nullptr);

}  // namespace glint
