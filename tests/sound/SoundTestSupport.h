#pragma once
// Fixtures of the sound tests: sample files built byte by byte, the Ogg
// tones the build encodes, and the mixer pulled by hand (with
// Testing::OfflineAudio).
#include <cstdint>
#include <string>
#include <vector>

#include "framework/platform/AudioMixer.h"
#include "tests/support/TestSupport.h"

namespace Plix::Testing {

// A RIFF WAVE file from its chunks (id, body).
std::string WavFile(const std::vector<std::pair<std::string, std::string>>& chunks);
std::string FmtChunk(int channels, int rate, int bits, int tag = 1, int extra = 0);
std::string Le16(uint16_t v);
std::string Le32(uint32_t v);
std::string Be32(uint32_t v);
// A Sun audio file with a 24-byte header.
std::string AuFile(uint32_t encoding, uint32_t rate, uint32_t channels, const std::string& data,
                   uint32_t declaredSize);
// `frames` of a 16-bit sine tone (mono or identical stereo channels).
std::string ToneBytes(int frames, int channels, int rate, double hz, double amplitude = 0.5);

// An Ogg tone encoded by the build (see CMakeLists.txt).
std::string OggFixture(const std::string& name);

// `frames` stereo frames from the mixer.
std::vector<int16_t> Mix(int frames);
// Mean absolute sample of one channel (0 left, 1 right) over frames.
double Level(const std::vector<int16_t>& stereo, int channel, size_t from = 0,
             size_t to = SIZE_MAX);
// Upward zero crossings per second of one channel over frames.
double Frequency(const std::vector<int16_t>& stereo, int channel, size_t from, size_t to);

}  // namespace Plix::Testing
