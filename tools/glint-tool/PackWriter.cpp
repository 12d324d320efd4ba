// Writes data pack archives: the build packs our generated content with it.
#include "PackWriter.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>

namespace glint::tool {

namespace {

void appendU32(Bytes& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

constexpr std::uint64_t kMaxU32 = std::numeric_limits<std::uint32_t>::max();

}  // namespace

Bytes buildPack(const std::vector<PackSource>& sources, std::string& error) {
    if (sources.size() > kMaxU32) {
        error = "too many entries for one archive";
        return {};
    }
    Bytes out = {0, 0};
    appendU32(out, static_cast<std::uint32_t>(sources.size()));
    for (const PackSource& source : sources) {
        if (source.name.size() > kMaxU32 || source.data.size() > kMaxU32) {
            error = source.name.substr(0, 200) + ": too large for the archive format";
            return {};
        }
        appendU32(out, static_cast<std::uint32_t>(source.name.size()));
        out.insert(out.end(), source.name.begin(), source.name.end());
        appendU32(out, static_cast<std::uint32_t>(source.data.size()));
        out.insert(out.end(), source.data.begin(), source.data.end());
    }
    return out;
}

bool collectDirectory(const std::string& directory, const std::string& excludePath,
                      std::vector<PackSource>& sources, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path root = fs::canonical(directory, ec);
    if (ec || !fs::is_directory(root)) {
        error = directory + ": not a directory";
        return false;
    }
    fs::path excluded = fs::weakly_canonical(excludePath, ec);

    std::vector<std::pair<std::string, fs::path>> files;
    for (auto it = fs::recursive_directory_iterator(root, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
        if (!it->is_regular_file() || fs::weakly_canonical(it->path()) == excluded) {
            continue;
        }
        files.emplace_back(it->path().lexically_relative(root).generic_string(), it->path());
    }
    if (ec) {
        error = directory + ": " + ec.message();
        return false;
    }
    std::sort(files.begin(), files.end());
    for (const auto& [name, path] : files) {
        std::optional<Bytes> data = readWholeFile(path.string(), kMaxU32);
        if (!data) {
            error = path.string() + ": cannot be read";
            return false;
        }
        sources.push_back(PackSource{name, std::move(*data)});
    }
    return true;
}

}  // namespace glint::tool
