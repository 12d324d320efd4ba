// Writing the sound effects as RIFF WAVE files the game's reader accepts.
#pragma once

#include <string>
#include <vector>

namespace glint::content {

// Writes mono 16-bit PCM: a "RIFF" form "WAVE" with a 16-byte "fmt " chunk and a "data" chunk.
// Samples are in -1..1 and are clipped to that range.
bool writeWave(const std::string& path, const std::vector<float>& samples, int sampleRate,
               std::string& error);

}  // namespace glint::content
