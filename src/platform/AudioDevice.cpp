// The sound output device: signed 16-bit samples asked for by a callback on the audio thread.
#include "platform/AudioDevice.h"

#include <SDL.h>

#include <cstring>
#include <utility>

namespace glint::platform {

namespace {

// Frames per callback: short enough that an effect started by a 30 ms frame step is heard
// within that step, long enough not to starve a busy machine.
constexpr Uint16 kCallbackFrames = 512;

}  // namespace

AudioDevice::~AudioDevice() {
    close();
}

bool AudioDevice::open(int rate, int channels, Fill fill) {
    close();
    if (rate <= 0 || channels < 1 || channels > 8) {
        error_ = "unsupported output format";
        return false;
    }
    // The audio subsystem counts its users, so each open device holds one reference of its own
    // and the rest of the program may init and quit SDL audio as it likes.
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        error_ = SDL_GetError();
        return false;
    }
    SDL_AudioSpec desired{};
    desired.freq = rate;
    desired.format = AUDIO_S16SYS;
    desired.channels = static_cast<Uint8>(channels);
    desired.samples = kCallbackFrames;
    desired.callback = &AudioDevice::callback;
    desired.userdata = this;
    SDL_AudioSpec obtained{};
    // No changes allowed: SDL converts our samples to whatever the hardware takes, which spares
    // the mixer every format but the one it was built for.
    SDL_AudioDeviceID id = SDL_OpenAudioDevice(nullptr, 0, &desired, &obtained, 0);
    if (id == 0) {
        error_ = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    id_ = id;
    rate_ = obtained.freq;
    channels_ = obtained.channels;
    fill_ = std::move(fill);
    error_.clear();
    return true;
}

void AudioDevice::resume() {
    if (id_ != 0) {
        SDL_PauseAudioDevice(id_, 0);
    }
}

void AudioDevice::close() {
    if (id_ != 0) {
        // After SDL_Quit the device is gone already, and so is our reference.
        if (SDL_WasInit(SDL_INIT_AUDIO) != 0) {
            SDL_CloseAudioDevice(id_);
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
        }
        id_ = 0;
    }
    rate_ = 0;
    channels_ = 0;
    fill_ = nullptr;
}

void AudioDevice::lock() const {
    if (id_ != 0) {
        SDL_LockAudioDevice(id_);
    }
}

void AudioDevice::unlock() const {
    if (id_ != 0) {
        SDL_UnlockAudioDevice(id_);
    }
}

void AudioDevice::callback(void* self, std::uint8_t* stream, int length) {
    auto* device = static_cast<AudioDevice*>(self);
    const std::size_t bytesPerFrame =
        sizeof(std::int16_t) * static_cast<std::size_t>(device->channels_);
    if (!device->fill_ || bytesPerFrame == 0) {
        std::memset(stream, 0, static_cast<std::size_t>(length));
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(length);
    const std::size_t frames = bytes / bytesPerFrame;
    device->fill_(reinterpret_cast<std::int16_t*>(stream), frames);
    std::memset(stream + frames * bytesPerFrame, 0, bytes - frames * bytesPerFrame);
}

}  // namespace glint::platform
