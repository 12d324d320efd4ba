// Any bytes as an archive: opening keeps only whole entries, and every entry reads back in full.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "FuzzSupport.h"
#include "pack/DataPack.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The archive lives in memory: nothing is left on a disk.
    const glint::fuzz::MemoryFile file(std::span<const std::uint8_t>(data, size));
    if (!file.valid()) {
        std::abort();
    }
    glint::DataPack pack;
    if (!pack.open(file.path())) {
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
