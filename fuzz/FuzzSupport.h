// What the fuzz targets share: one headless application on our content, keys taken from the
// input, and files that live in memory.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "app/App.h"
#include "platform/KeyboardDevice.h"

namespace glint {
class GameFlow;
}

namespace glint::fuzz {

// The application every target that plays or shows the game shares, made on first use: the
// data pack named by GLINT_FUZZ_PACK, else the one the normal build makes (build/data/data.pk),
// with its catalogue loaded for the sizes only (no GL context) and libjpeg's messages silenced.
App& headlessApp();

// The shared application with what targets change in it (rules, bindings, custom choice, level
// set, skin, menu table, window and switches) put back as it was after start-up, so that every
// input starts from the same state and a finding replays alone.
App& freshApp();

// The input parsed as a plain text table.
ParamTable tableOf(const std::uint8_t* data, std::size_t size);

// The keys held in a tick from one byte: bit 0 left, 1 right, 2 up, 3 down, 4 fire, 5 die,
// through the current bindings, 6 and 7 the two tilt keys. Attached to the shared application's
// keyboard while it exists.
class ByteKeys : public platform::KeyStateSource {
public:
    ByteKeys();
    ~ByteKeys() override;
    ByteKeys(const ByteKeys&) = delete;
    ByteKeys& operator=(const ByteKeys&) = delete;

    void hold(std::uint8_t keys) { keys_ = keys; }
    bool readState(platform::KeyState& state) override;

private:
    std::uint8_t keys_ = 0;
};

// Ticks a game `ticks` times, holding the keys of keys[t] in tick t (none past its end).
void play(GameFlow& flow, std::span<const std::uint8_t> keys, int ticks);

// A file held in memory with a path the ordinary file functions open (/proc/self/fd/N): nothing
// is written to a disk.
class MemoryFile {
public:
    explicit MemoryFile(std::span<const std::uint8_t> bytes);
    ~MemoryFile();
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    bool valid() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};

}  // namespace glint::fuzz
