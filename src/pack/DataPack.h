// The read-only archive "data/data.pk" that every "dat/" and "mui/" file is read from,
// with loose files of the same relative path as fallback.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "pack/FileIo.h"

namespace glint {

// Where one entry's bytes lie in the archive file.
struct PackEntry {
    std::uint32_t size = 0;
    // Position right after the entry's size field. Kept in 64 bits so that no arithmetic on
    // it can wrap; an archive that fits the format never needs more than 32.
    std::uint64_t offset = 0;
};

// The result of a read: the entry's bytes (owned by the caller) and where they came from.
struct PackData {
    Bytes data;
    std::uint64_t offset = 0;  // 0 when the bytes came from a loose file
    std::uint32_t size() const { return static_cast<std::uint32_t>(data.size()); }
};

class DataPack {
public:
    // Loose files larger than this are not read: paths come from content files.
    static constexpr std::uint64_t kMaxLooseFileBytes = 64ull << 20;

    // Opens an archive and builds its directory by walking its records. Returns false, with the
    // directory unchanged, when the file cannot be opened. A truncated or damaged archive keeps
    // every entry that fits whole and stops at the first that does not.
    bool open(const std::string& archivePath);

    // Reads one entry completely. A path missing from the archive is read from a loose file
    // under the working directory; a path found in neither gives an empty buffer.
    PackData readEntry(std::string_view path) const;

    // As readEntry, but tells "not found anywhere" apart from an entry of size 0.
    std::optional<PackData> tryReadEntry(std::string_view path) const;

    std::size_t entryCount() const { return entries_.size(); }
    const PackEntry& entry(std::size_t index) const { return entries_[index]; }
    const std::string& entryName(std::size_t index) const { return names_[index]; }

    // The first directory index whose name matches path (either separator, or the stored
    // spelling itself), if any.
    std::optional<std::size_t> find(std::string_view path) const;

private:
    std::optional<PackData> readArchived(const PackEntry& entry) const;

    std::vector<PackEntry> entries_;
    std::vector<std::string> names_;
    std::string path_;
};

// Reads a file by a relative path, refusing anything that could reach outside the working
// directory (absolute paths, ".." components, links that lead elsewhere), anything that is not
// a regular file and anything larger than kMaxLooseFileBytes.
std::optional<Bytes> readLooseFile(std::string_view relativePath);

}  // namespace glint
