// A small additive synthesizer: oscillators with glides, envelopes and a sweeping low-pass.
#include "Sounds.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "SourceText.h"
#include "WaveFile.h"

namespace glint::content {

namespace {

struct Voice {
    std::string wave;
    float start = 0;
    float length = 0;
    float pitch = 440;
    float pitchEnd = 440;
    float volume = 0.5f;
    float attack = 0.005f;
    float decay = 0;  // time constant of the exponential fall; 0 = hold to the end
    float lowpass = 0;
    float lowpassEnd = 0;
    float vibratoDepth = 0;  // in semitones
    float vibratoRate = 0;
    float duty = 0.5f;
    int seed = 1;
};

struct Recipe {
    std::string name;
    int rate = 22050;
    float length = 0.5f;
    float peak = 0.85f;
    std::vector<Voice> voices;
};

Voice readVoice(Params& p) {
    Voice v;
    v.wave = p.text("wave");
    v.start = p.number("start", 0);
    v.length = p.number("length");
    v.pitch = p.number("pitch", 440);
    v.pitchEnd = p.number("to", v.pitch);
    v.volume = p.number("volume", 0.5f);
    v.attack = p.number("attack", 0.005f);
    v.decay = p.number("decay", 0);
    v.lowpass = p.number("lowpass", 0);
    v.lowpassEnd = p.number("lowpass_to", v.lowpass);
    v.vibratoDepth = p.number("vibrato", 0);
    v.vibratoRate = p.number("vibrato_rate", 6);
    v.duty = p.number("duty", 0.5f);
    v.seed = p.integer("seed", 1);
    p.finish();
    if (v.wave != "sine" && v.wave != "square" && v.wave != "triangle" && v.wave != "saw" &&
        v.wave != "noise") {
        throw SourceError("unknown wave \"" + v.wave + "\"");
    }
    if (v.length <= 0 || v.pitch <= 0 || v.pitchEnd <= 0) {
        throw SourceError("a voice needs a positive length and pitch");
    }
    return v;
}

std::vector<Recipe> readRecipes(const std::string& path) {
    SourceFile src(path);
    std::vector<Recipe> recipes;
    for (auto words = src.next(); !words.empty(); words = src.next()) {
        if (words[0] == "sound") {
            if (words.size() < 2) {
                src.fail("\"sound NAME ...\"");
            }
            Recipe r;
            r.name = words[1];
            Params p(words, 2, src.where());
            r.rate = p.integer("rate", 22050);
            r.length = p.number("length");
            r.peak = p.number("peak", 0.85f);
            p.finish();
            if (r.rate != 22050 && r.rate != 44100) {
                src.fail("the rate is 22050 or 44100");
            }
            recipes.push_back(r);
        } else if (words[0] == "voice") {
            if (recipes.empty()) {
                src.fail("a voice belongs to a sound");
            }
            Params p(words, 1, src.where());
            try {
                recipes.back().voices.push_back(readVoice(p));
            } catch (const SourceError& e) {
                src.fail(e.what());
            }
        } else {
            src.fail("unknown line \"" + words[0] + "\"");
        }
    }
    return recipes;
}

std::vector<float> render(const Recipe& r) {
    const auto count = static_cast<std::size_t>(std::lround(r.length * static_cast<float>(r.rate)));
    std::vector<float> mix(count, 0.0f);
    const float dt = 1.0f / static_cast<float>(r.rate);
    for (const Voice& v : r.voices) {
        double phase = 0;
        float filtered = 0;
        std::uint32_t noiseState = 0x12345u * static_cast<std::uint32_t>(v.seed) + 1u;
        float noiseHold = 0;
        const auto first =
            static_cast<std::size_t>(std::lround(v.start * static_cast<float>(r.rate)));
        const auto n = static_cast<std::size_t>(std::lround(v.length * static_cast<float>(r.rate)));
        for (std::size_t i = 0; i < n && first + i < count; ++i) {
            const float t = static_cast<float>(i) * dt;
            const float u = t / v.length;  // 0..1 through the voice
            float freq = v.pitch * std::pow(v.pitchEnd / v.pitch, u);
            if (v.vibratoDepth > 0) {
                freq *=
                    std::pow(2.0f, v.vibratoDepth / 12.0f *
                                       std::sin(2 * std::numbers::pi_v<float> * v.vibratoRate * t));
            }
            const double step = static_cast<double>(freq) * dt;
            const bool wrapped = phase + step >= 1.0;
            phase = std::fmod(phase + step, 1.0);
            const float ph = static_cast<float>(phase);
            float s = 0;
            if (v.wave == "sine") {
                s = std::sin(2 * std::numbers::pi_v<float> * ph);
            } else if (v.wave == "square") {
                s = ph < v.duty ? 0.8f : -0.8f;
            } else if (v.wave == "triangle") {
                s = 4 * std::fabs(ph - 0.5f) - 1;
            } else if (v.wave == "saw") {
                s = 2 * ph - 1;
            } else {
                // Noise is sampled and held at the voice's pitch: a low pitch gives rumble.
                if (wrapped || i == 0) {
                    noiseState = noiseState * 1664525u + 1013904223u;
                    noiseHold =
                        static_cast<float>(noiseState >> 8) / static_cast<float>(1u << 24) * 2 - 1;
                }
                s = noiseHold;
            }
            if (v.lowpass > 0) {
                const float cutoff = v.lowpass * std::pow(v.lowpassEnd / v.lowpass, u);
                const float a = 1 - std::exp(-2 * std::numbers::pi_v<float> * cutoff * dt);
                filtered += a * (s - filtered);
                s = filtered;
            }
            float env = v.attack > 0 ? std::min(1.0f, t / v.attack) : 1.0f;
            if (v.decay > 0 && t > v.attack) {
                env *= std::exp(-(t - v.attack) / v.decay);
            }
            // A 4 ms fade at the end of every voice keeps it from clicking.
            const float tail = v.length - t;
            env *= std::clamp(tail / 0.004f, 0.0f, 1.0f);
            mix[first + i] += s * env * v.volume;
        }
    }
    float peak = 0;
    for (float s : mix) {
        peak = std::max(peak, std::fabs(s));
    }
    if (peak > 0) {
        for (float& s : mix) {
            s *= r.peak / peak;
        }
    }
    // Fade the last 5 ms of the whole sound as well.
    const auto fade = std::min(mix.size(), static_cast<std::size_t>(r.rate / 200));
    for (std::size_t i = 0; i < fade; ++i) {
        mix[mix.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(fade);
    }
    return mix;
}

}  // namespace

std::vector<float> synthesize(const std::string& recipe, const std::string& name, int& rate) {
    for (const Recipe& r : readRecipes(recipe)) {
        if (r.name == name) {
            rate = r.rate;
            return render(r);
        }
    }
    throw SourceError(recipe + ": no sound \"" + name + "\"");
}

bool makeSounds(const std::string& recipe, const std::string& outDir, std::string& error) {
    try {
        for (const Recipe& r : readRecipes(recipe)) {
            if (r.length >= 1.0f) {
                error = r.name + ": an effect lasts under a second";
                return false;
            }
            if (!writeWave(outDir + "/" + r.name + ".wav", render(r), r.rate, error)) {
                return false;
            }
        }
        return true;
    } catch (const std::exception& e) {
        error = e.what();
        return false;
    }
}

}  // namespace glint::content
