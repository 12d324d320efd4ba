// The read-only archive "data/data.pk" that every "dat/" and "mui/" file is read from,
// with loose files of the same relative path as fallback.
#include "pack/DataPack.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace glint {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

bool readU32(std::FILE* file, std::uint32_t& value) {
    std::uint8_t b[4];
    if (std::fread(b, 1, 4, file) != 4) {
        return false;
    }
    value = static_cast<std::uint32_t>(b[0]) | static_cast<std::uint32_t>(b[1]) << 8 |
            static_cast<std::uint32_t>(b[2]) << 16 | static_cast<std::uint32_t>(b[3]) << 24;
    return true;
}

bool isSeparator(char c) {
    return c == '/' || c == '\\';
}

// A stored name matches a request written entirely with `separator` wherever the name has
// either separator; every other byte must be equal, case included.
bool matchesWith(std::string_view name, std::string_view request, char separator) {
    if (name.size() != request.size()) {
        return false;
    }
    for (std::size_t i = 0; i < name.size(); ++i) {
        char expected = isSeparator(name[i]) ? separator : name[i];
        if (request[i] != expected) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool DataPack::open(const std::string& archivePath) {
    FilePtr file(std::fopen(archivePath.c_str(), "rb"));
    if (!file) {
        return false;
    }
    std::error_code ec;
    std::uint64_t fileSize = std::filesystem::file_size(archivePath, ec);
    if (ec) {
        fileSize = 0;  // not a regular file: nothing in it can be trusted to fit
    }

    path_ = archivePath;
    entries_.clear();
    names_.clear();

    // Every length is checked against what is left of the file before anything is allocated
    // or skipped, so a damaged count or size can neither exhaust memory nor wrap an offset.
    std::uint8_t reserved[2];
    std::uint32_t count = 0;
    if (std::fread(reserved, 1, 2, file.get()) != 2 || !readU32(file.get(), count)) {
        return true;
    }
    std::uint64_t position = 6;
    auto left = [&] { return position < fileSize ? fileSize - position : 0; };
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint32_t nameLength = 0;
        if (!readU32(file.get(), nameLength)) {
            break;
        }
        position += 4;
        if (nameLength > left()) {
            break;
        }
        std::string name(nameLength, '\0');
        if (nameLength > 0 && std::fread(name.data(), 1, nameLength, file.get()) != nameLength) {
            break;
        }
        position += nameLength;
        name.resize(name.find('\0') == std::string::npos ? name.size() : name.find('\0'));

        std::uint32_t size = 0;
        if (!readU32(file.get(), size)) {
            break;
        }
        position += 4;
        if (size > left()) {
            break;
        }
        entries_.push_back(PackEntry{size, position});
        names_.push_back(std::move(name));
        position += size;
        if (::fseeko(file.get(), static_cast<off_t>(position), SEEK_SET) != 0) {
            break;
        }
    }
    return true;
}

std::optional<std::size_t> DataPack::find(std::string_view path) const {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        // A name stored with a mix of separators is still found by its own spelling.
        if (names_[i] == path || matchesWith(names_[i], path, '\\') ||
            matchesWith(names_[i], path, '/')) {
            return i;
        }
    }
    return std::nullopt;
}

std::optional<PackData> DataPack::readArchived(const PackEntry& entry) const {
    FilePtr file(std::fopen(path_.c_str(), "rb"));
    if (!file || ::fseeko(file.get(), static_cast<off_t>(entry.offset), SEEK_SET) != 0) {
        return std::nullopt;
    }
    PackData result;
    result.offset = entry.offset;
    result.data.resize(entry.size);
    if (std::fread(result.data.data(), 1, entry.size, file.get()) != entry.size) {
        return std::nullopt;  // the archive changed since it was opened
    }
    return result;
}

std::optional<PackData> DataPack::tryReadEntry(std::string_view path) const {
    if (std::optional<std::size_t> index = find(path)) {
        return readArchived(entries_[*index]);
    }
    if (std::optional<Bytes> bytes = readLooseFile(path)) {
        return PackData{std::move(*bytes), 0};
    }
    return std::nullopt;
}

PackData DataPack::readEntry(std::string_view path) const {
    return tryReadEntry(path).value_or(PackData{});
}

std::optional<Bytes> readLooseFile(std::string_view relativePath) {
    namespace fs = std::filesystem;
    if (relativePath.empty() || relativePath.find('\0') != std::string_view::npos) {
        return std::nullopt;
    }
    // Content names paths with either separator; on disk both mean a directory boundary.
    std::string path(relativePath);
    for (char& c : path) {
        if (c == '\\') {
            c = '/';
        }
    }
    fs::path relative(path);
    if (relative.is_absolute() || relative.has_root_path()) {
        return std::nullopt;
    }
    for (const fs::path& part : relative) {
        if (part == "..") {
            return std::nullopt;
        }
    }
    // Links may still lead out of the working directory: compare where the path really ends up.
    std::error_code ec;
    fs::path base = fs::canonical(fs::current_path(ec), ec);
    if (ec) {
        return std::nullopt;
    }
    fs::path resolved = fs::weakly_canonical(base / relative, ec);
    if (ec) {
        return std::nullopt;
    }
    fs::path inside = resolved.lexically_relative(base);
    if (inside.empty() || *inside.begin() == "..") {
        return std::nullopt;
    }
    return readWholeFile(resolved.string(), DataPack::kMaxLooseFileBytes);
}

}  // namespace glint
