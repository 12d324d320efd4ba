// The sound output device: signed 16-bit samples asked for by a callback on the audio thread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace glint::platform {

class AudioDevice {
public:
    // Fills `frames` frames of interleaved samples. Runs on the audio thread, never at the same
    // time as code that holds the device's lock.
    using Fill = std::function<void(std::int16_t* samples, std::size_t frames)>;

    AudioDevice() = default;
    ~AudioDevice();
    AudioDevice(const AudioDevice&) = delete;
    AudioDevice& operator=(const AudioDevice&) = delete;

    // Opens the default output device for signed 16-bit samples in native byte order at the
    // given rate and channel count; any conversion the hardware needs happens behind it, so
    // rate() and channels() are what was asked for. The device starts paused: fill is first
    // called after resume(). False, with nothing open and error() saying why, when there is no
    // usable device; a device open already is closed first.
    bool open(int rate, int channels, Fill fill);
    // Lets the device call fill.
    void resume();
    // Stops the audio thread and releases the device; fill is never called again. Harmless
    // when nothing is open, and after the whole of SDL has been shut down.
    void close();

    bool isOpen() const { return id_ != 0; }
    int rate() const { return rate_; }
    int channels() const { return channels_; }
    const std::string& error() const { return error_; }

    // While held, fill does not run. Harmless when nothing is open.
    void lock() const;
    void unlock() const;

private:
    static void callback(void* self, std::uint8_t* stream, int length);

    std::uint32_t id_ = 0;
    int rate_ = 0;
    int channels_ = 0;
    Fill fill_;
    std::string error_;
};

// Holds a device's lock for the lifetime of the object.
class AudioLock {
public:
    explicit AudioLock(const AudioDevice& device) : device_(device) { device_.lock(); }
    ~AudioLock() { device_.unlock(); }
    AudioLock(const AudioLock&) = delete;
    AudioLock& operator=(const AudioLock&) = delete;

private:
    const AudioDevice& device_;
};

}  // namespace glint::platform
