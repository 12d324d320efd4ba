// Our small mixer: one fixed slot per effect, each started, restarted or let run, summed into
// signed 16-bit output.
#include "audio/Mixer.h"

#include <algorithm>
#include <array>
#include <limits>
#include <utility>

namespace glint {

namespace {

// Rates outside this range are refused so that a damaged header cannot blow a short file up
// into an enormous sound.
constexpr std::uint32_t kMinSourceRate = 8000;
constexpr std::uint32_t kMaxSourceRate = 192000;

// Output is mixed in blocks of this many frames, so that the sums live on the stack: mix runs
// on the audio thread, where allocating could stall the device.
constexpr std::size_t kBlockFrames = 256;
constexpr std::size_t kMaxChannels = 2;

bool isValid(const MixFormat& format) {
    return format.rate > 0 && (format.channels == 1 || format.channels == 2);
}

std::int16_t sampleAt(const std::uint8_t* p, int bits) {
    if (bits == 8) {
        return static_cast<std::int16_t>((p[0] - 128) * 256);  // 8-bit PCM is unsigned
    }
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | p[1] << 8));
}

// The source frames as 16-bit samples with the output's channel count, at the source rate.
MixSamples decode(const WaveFormat& format, std::span<const std::uint8_t> data, int channels) {
    const std::size_t frames = data.size() / format.blockAlign;
    const std::size_t bytesPerSample = format.bitsPerSample / 8;
    MixSamples out;
    out.reserve(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i) {
        const std::uint8_t* frame = data.data() + i * format.blockAlign;
        std::int32_t left = sampleAt(frame, format.bitsPerSample);
        std::int32_t right =
            format.channels == 2 ? sampleAt(frame + bytesPerSample, format.bitsPerSample) : left;
        if (channels == 1) {
            out.push_back(static_cast<std::int16_t>((left + right) / 2));
        } else {
            out.push_back(static_cast<std::int16_t>(left));
            out.push_back(static_cast<std::int16_t>(right));
        }
    }
    return out;
}

// Linear interpolation between neighbouring source frames. Output frame i lies at source
// position i * from / to; with whole-number arithmetic, equal rates copy exactly and doubling
// keeps every source sample and puts midpoints between them.
MixSamples resample(const MixSamples& in, int channels, std::uint32_t from, std::uint32_t to) {
    const std::size_t ch = static_cast<std::size_t>(channels);
    const std::uint64_t inFrames = in.size() / ch;
    if (from == to || inFrames == 0) {
        return in;
    }
    const std::uint64_t outFrames = inFrames * to / from;
    MixSamples out(static_cast<std::size_t>(outFrames) * ch);
    for (std::uint64_t i = 0; i < outFrames; ++i) {
        const std::uint64_t where = i * from;
        const std::uint64_t index = where / to;
        const std::int64_t fraction = static_cast<std::int64_t>(where % to);
        const std::uint64_t next = std::min(index + 1, inFrames - 1);
        for (std::size_t c = 0; c < ch; ++c) {
            const std::int64_t a = in[index * ch + c];
            const std::int64_t b = in[next * ch + c];
            out[i * ch + c] =
                static_cast<std::int16_t>(a + (b - a) * fraction / static_cast<std::int64_t>(to));
        }
    }
    return out;
}

std::int16_t clip(std::int32_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int32_t>(
        value, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max()));
}

}  // namespace

std::optional<MixSamples> convertToMixFormat(const WaveFormat& format,
                                             std::span<const std::uint8_t> data,
                                             const MixFormat& output) {
    const bool supported = format.formatTag == WaveReader::kFormatPcm &&
                           (format.channels == 1 || format.channels == 2) &&
                           (format.bitsPerSample == 8 || format.bitsPerSample == 16) &&
                           format.blockAlign == format.channels * format.bitsPerSample / 8 &&
                           format.sampleRate >= kMinSourceRate &&
                           format.sampleRate <= kMaxSourceRate;
    if (!supported || !isValid(output)) {
        return std::nullopt;
    }
    return resample(decode(format, data, output.channels), output.channels, format.sampleRate,
                    static_cast<std::uint32_t>(output.rate));
}

Mixer::Mixer(MixFormat format, std::size_t slotCount) : format_(format) {
    // A format we cannot mix gets no slots, and so writes nothing but silence.
    if (isValid(format)) {
        slots_.resize(slotCount);
    }
}

void Mixer::setSlot(std::size_t index, MixSamples samples) {
    if (index >= slots_.size()) {
        return;
    }
    const std::size_t channels = static_cast<std::size_t>(format_.channels);
    Slot& slot = slots_[index];
    slot = Slot{};
    slot.frames = samples.size() / channels;
    samples.resize(slot.frames * channels);
    slot.samples = std::move(samples);
}

void Mixer::clearSlot(std::size_t index) {
    if (index < slots_.size()) {
        slots_[index] = Slot{};
    }
}

bool Mixer::hasSound(std::size_t index) const {
    return index < slots_.size() && slots_[index].frames > 0;
}

void Mixer::start(std::size_t index, bool restart, bool loop) {
    if (!hasSound(index)) {
        return;
    }
    Slot& slot = slots_[index];
    if (slot.playing && !restart) {
        return;
    }
    slot.position = 0;
    slot.playing = true;
    slot.looping = loop;
}

bool Mixer::isPlaying(std::size_t index) const {
    return index < slots_.size() && slots_[index].playing;
}

void Mixer::mix(std::int16_t* out, std::size_t frames) {
    const std::size_t channels = static_cast<std::size_t>(std::max(format_.channels, 0));
    if (slots_.empty()) {
        std::fill_n(out, frames * channels, 0);
        return;
    }
    std::array<std::int32_t, kBlockFrames * kMaxChannels> sum;
    while (frames > 0) {
        const std::size_t block = std::min(frames, kBlockFrames);
        std::fill_n(sum.begin(), block * channels, 0);
        for (Slot& slot : slots_) {
            mixSlot(slot, sum.data(), block);
        }
        for (std::size_t i = 0; i < block * channels; ++i) {
            out[i] = clip(sum[i]);
        }
        out += block * channels;
        frames -= block;
    }
}

void Mixer::mixSlot(Slot& slot, std::int32_t* sum, std::size_t frames) {
    const std::size_t channels = static_cast<std::size_t>(format_.channels);
    std::size_t done = 0;
    // A looping sound shorter than the block wraps several times within it.
    while (slot.playing && done < frames) {
        const std::size_t run = std::min(frames - done, slot.frames - slot.position);
        const std::int16_t* from = slot.samples.data() + slot.position * channels;
        std::int32_t* to = sum + done * channels;
        for (std::size_t i = 0; i < run * channels; ++i) {
            to[i] += from[i];
        }
        done += run;
        slot.position += run;
        if (slot.position == slot.frames) {
            slot.position = 0;
            slot.playing = slot.looping;
        }
    }
}

}  // namespace glint
