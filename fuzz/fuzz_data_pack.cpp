// Any bytes as an archive: opening keeps only whole entries, and every entry reads back in full.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pack/DataPack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string path = "/tmp/glint-fuzz-" + std::to_string(::getpid()) + ".pk";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return 0;
    }
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    glint::DataPack pack;
    if (!pack.open(path)) {
        std::abort();
    }
    for (std::size_t i = 0; i < pack.entryCount(); ++i) {
        const glint::PackEntry& entry = pack.entry(i);
        if (entry.offset + entry.size > size) {
            std::abort();
        }
        // Reading by name finds this entry or an earlier one of the same name.
        std::optional<std::size_t> found = pack.find(pack.entryName(i));
        if (!found || *found > i) {
            std::abort();
        }
        glint::PackData read = pack.readEntry(pack.entryName(i));
        if (read.size() != pack.entry(*found).size) {
            std::abort();
        }
    }
    return 0;
}
