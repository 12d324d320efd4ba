// The game's five sound effects: loaded once at start-up, started by index from the game world.
#pragma once

#include <memory>
#include <string>

#include "platform/AudioDevice.h"

namespace glint {

class Mixer;

class SoundEffects {
public:
    // Effect indices, in load order.
    static constexpr int kDig = 0;
    static constexpr int kGold = 1;
    static constexpr int kCaught = 2;
    static constexpr int kLastGold = 3;
    static constexpr int kExit = 4;
    static constexpr int kEffectCount = 5;
    // The files of the effects, loaded in this order.
    static constexpr const char* kFiles[kEffectCount] = {
        "data/s1.wav", "data/s2.wav", "data/s3.wav", "data/s4.wav", "data/s5.wav"};

    SoundEffects();
    ~SoundEffects();  // shuts down
    SoundEffects(const SoundEffects&) = delete;
    SoundEffects& operator=(const SoundEffects&) = delete;

    // Opens the default sound device with every slot empty; the next load fills slot 0. False
    // when there is no device: the program then runs silent (every load fails and play does
    // nothing). True at once when open already.
    bool init();

    // Loads the next effect: the n-th call fills slot n - 1, whether it succeeds or not, so a
    // file that cannot be loaded leaves its own effect silent and every later effect keeps its
    // index. False without a device, beyond the last slot, or when the file is missing, not a
    // WAVE file, or in a format the mixer cannot convert (PCM, 8 or 16 bits, mono or stereo).
    bool loadWav(const std::string& path);

    // Starts an effect. When it is playing already and restart is false it plays on; otherwise
    // it starts from its beginning, looping when loop is set. Nothing happens while effects are
    // disabled, without a device, for an empty slot or an index out of range.
    void play(int index, bool restart, bool loop);
    bool isPlaying(int index) const;

    // Effects are enabled at construction. Disabling stops new starts; an effect already
    // playing finishes.
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool isEnabled() const { return enabled_; }

    bool isOpen() const { return device_.isOpen(); }

    // Closes the device and drops every effect; the next load fills slot 0 again. Call it while
    // SDL is still up; harmless when nothing is open.
    void shutdown();

private:
    platform::AudioDevice device_;
    // Created once the device's format is known. The audio thread mixes it; the game thread
    // changes it only under the device's lock.
    std::unique_ptr<Mixer> mixer_;
    int nextSlot_ = 0;
    bool enabled_ = true;
};

}  // namespace glint
