// The five sound effects, synthesized from their recipes.
#pragma once

#include <string>
#include <vector>

namespace glint::content {

// Reads the sound recipe and writes each "sound NAME" as outDir/NAME.wav (mono, 16-bit PCM).
// A sound is the sum of its voices; each voice is one oscillator (sine, square, triangle, saw
// or noise) with a pitch glide, a volume envelope (attack, then exponential decay) and an
// optional low-pass filter that may sweep. The mix is scaled to a common peak level.
bool makeSounds(const std::string& recipe, const std::string& outDir, std::string& error);

// The samples of one sound of a recipe, for tests and previews.
std::vector<float> synthesize(const std::string& recipe, const std::string& name, int& rate);

}  // namespace glint::content
