// Our small mixer: one fixed slot per effect, each started, restarted or let run, summed into
// signed 16-bit output.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "audio/WaveReader.h"

namespace glint {

// The output the mixer writes: interleaved signed 16-bit samples in native byte order.
struct MixFormat {
    int rate = 44100;  // frames per second
    int channels = 2;  // 1 or 2
};

// Interleaved samples in some MixFormat.
using MixSamples = std::vector<std::int16_t>;

// Converts PCM samples (8-bit unsigned or 16-bit signed, mono or stereo, at 8000 to 192000 Hz,
// block align matching) to the output format: mono is copied to both sides, stereo is averaged
// to mono, and the rate is changed by linear interpolation, exactly when the rates are equal.
// Nothing for any other format. A trailing part of a frame is dropped.
std::optional<MixSamples> convertToMixFormat(const WaveFormat& format,
                                             std::span<const std::uint8_t> data,
                                             const MixFormat& output);

// Not thread-safe: whoever mixes on another thread serialises every call with a lock.
class Mixer {
public:
    // The format needs 1 or 2 channels and a positive rate; with any other the mixer has no
    // slots and mixes silence.
    Mixer(MixFormat format, std::size_t slotCount);

    const MixFormat& format() const { return format_; }
    std::size_t slotCount() const { return slots_.size(); }

    // Puts a sound (samples in format(), a trailing part of a frame dropped) into a slot,
    // stopping what the slot played. An empty sound leaves the slot empty. An index out of
    // range is ignored.
    void setSlot(std::size_t index, MixSamples samples);
    // Empties a slot, stopping it.
    void clearSlot(std::size_t index);
    bool hasSound(std::size_t index) const;

    // Starts a slot's sound, the way a sound buffer is played: when it is playing already and
    // restart is false nothing changes (its looping neither); otherwise it plays from its first
    // frame, over and over when loop is set, else once. Empty slots and indices out of range
    // are ignored.
    void start(std::size_t index, bool restart, bool loop);
    bool isPlaying(std::size_t index) const;

    // Writes `frames` frames (frames * channels samples) to out: the sum of every playing slot,
    // clipped to the 16-bit range, silence where nothing plays. Advances every playing slot;
    // one that is not looping stops after its last frame.
    void mix(std::int16_t* out, std::size_t frames);

private:
    struct Slot {
        MixSamples samples;
        std::size_t frames = 0;
        std::size_t position = 0;  // the next frame to mix
        bool playing = false;
        bool looping = false;
    };

    void mixSlot(Slot& slot, std::int32_t* sum, std::size_t frames);

    MixFormat format_;
    std::vector<Slot> slots_;
};

}  // namespace glint
