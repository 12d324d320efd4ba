// The game's five sound effects: loaded once at start-up, started by index from the game world.
#include "audio/SoundEffects.h"

#include <optional>
#include <utility>

#include "audio/Mixer.h"
#include "audio/WaveReader.h"

namespace glint {

namespace {

// The device's format: every effect is converted to it once, at load time.
constexpr int kOutputRate = 44100;
constexpr int kOutputChannels = 2;

}  // namespace

SoundEffects::SoundEffects() = default;

SoundEffects::~SoundEffects() {
    shutdown();
}

bool SoundEffects::init() {
    if (device_.isOpen()) {
        return true;
    }
    auto fill = [this](std::int16_t* samples, std::size_t frames) { mixer_->mix(samples, frames); };
    if (!device_.open(kOutputRate, kOutputChannels, std::move(fill))) {
        return false;
    }
    // The device is paused until resume, so the mixer can be made without the lock.
    mixer_ = std::make_unique<Mixer>(MixFormat{device_.rate(), device_.channels()},
                                     static_cast<std::size_t>(kEffectCount));
    nextSlot_ = 0;
    device_.resume();
    return true;
}

bool SoundEffects::loadWav(const std::string& path) {
    const int slot = nextSlot_++;
    if (!mixer_ || slot >= kEffectCount) {
        return false;
    }
    WaveReader reader;
    if (!reader.open(path)) {
        return false;
    }
    // Converting takes a while and touches nothing the audio thread sees, so it runs unlocked.
    std::optional<MixSamples> samples =
        convertToMixFormat(reader.format(), reader.data(), mixer_->format());
    if (!samples) {
        return false;
    }
    platform::AudioLock lock(device_);
    mixer_->setSlot(static_cast<std::size_t>(slot), std::move(*samples));
    return true;
}

void SoundEffects::play(int index, bool restart, bool loop) {
    if (!enabled_ || !mixer_ || index < 0 || index >= kEffectCount) {
        return;
    }
    platform::AudioLock lock(device_);
    mixer_->start(static_cast<std::size_t>(index), restart, loop);
}

bool SoundEffects::isPlaying(int index) const {
    if (!mixer_ || index < 0 || index >= kEffectCount) {
        return false;
    }
    platform::AudioLock lock(device_);
    return mixer_->isPlaying(static_cast<std::size_t>(index));
}

void SoundEffects::shutdown() {
    // Closing stops the audio thread for good, so the mixer can go without the lock.
    device_.close();
    mixer_.reset();
    nextSlot_ = 0;
}

}  // namespace glint
