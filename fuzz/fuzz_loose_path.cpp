// Any bytes as a path read as a loose file: the data pack's fallback must never read a file
// that lies outside the working directory, whatever the path holds ("..", absolute paths,
// links that lead out, both separators), and must read the files that lie inside it.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "pack/DataPack.h"
#include "pack/FileIo.h"

using namespace glint;

namespace {

constexpr std::string_view kOutside = "outside the working directory";
constexpr std::string_view kInside = "inside";

// A scratch directory, removed when the target exits. root/outside.txt and root/out/secret.txt
// must never be read. root/work, the working directory during a read, holds inside.txt,
// dir/inside.txt, a link to a file inside, links to the directory and the file outside, and a
// link to the directory above.
struct Tree {
    std::filesystem::path root;
    std::filesystem::path work;

    Tree() {
        namespace fs = std::filesystem;
        std::string pattern = (fs::temp_directory_path() / "glint-fuzz-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            std::abort();  // a target that cannot set up must not pass silently
        }
        root = pattern;
        work = root / "work";
        fs::create_directories(work / "dir");
        fs::create_directories(root / "out");
        write(root / "outside.txt", kOutside);
        write(root / "out" / "secret.txt", kOutside);
        write(work / "inside.txt", kInside);
        write(work / "dir" / "inside.txt", kInside);
        fs::create_symlink("inside.txt", work / "link-in.txt");
        fs::create_directory_symlink("dir", work / "link-dir");
        fs::create_directory_symlink(root / "out", work / "link-out");
        fs::create_symlink("../outside.txt", work / "link-file-out.txt");
        fs::create_directory_symlink("..", work / "up");
    }
    ~Tree() {
        std::error_code ec;
        std::filesystem::remove_all(root, ec);
    }
    static void write(const std::filesystem::path& path, std::string_view text) {
        std::ofstream(path, std::ios::binary) << text;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static Tree tree;
    static const std::filesystem::path home = std::filesystem::current_path();
    const std::string_view path(reinterpret_cast<const char*>(data), size);

    std::filesystem::current_path(tree.work);
    const std::optional<Bytes> read = readLooseFile(path);
    std::filesystem::current_path(home);

    if (read) {
        const std::string_view text(reinterpret_cast<const char*>(read->data()), read->size());
        if (text == kOutside) {
            std::abort();  // a file outside the working directory was read
        }
    }
    // The plain spellings of the files inside are always found.
    if (path == "inside.txt" || path == "dir/inside.txt" || path == "dir\\inside.txt" ||
        path == "link-dir/inside.txt") {
        if (!read || std::string_view(reinterpret_cast<const char*>(read->data()), read->size()) !=
                         kInside) {
            std::abort();
        }
    }
    return 0;
}
