#pragma once

#include <string>
#include <vector>

#include "tools/databuild/Synth.h"
#include "tools/databuild/Tables.h"

namespace Plix::DataBuild {

// Synthesises every declared sound effect as 16-bit mono WAV (22050 Hz).
void BuildSounds(const std::vector<SoundDecl>& sounds, const std::string& stage);

// Parses one sound element (kind:f1:f2:start:length:volume or a melody) into
// notes; throws with the element on bad input.
std::vector<Note> ParseSoundElement(const std::string& element);

// A RIFF WAVE file of 16-bit samples.
std::string WavBytes(const std::vector<float>& samples, int rate, int channels);

}  // namespace Plix::DataBuild
