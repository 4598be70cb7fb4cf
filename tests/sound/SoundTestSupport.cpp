#include "tests/sound/SoundTestSupport.h"

#include <cmath>
#include <cstdlib>

#include "framework/platform/SdlWindow.h"
#include "tests/support/TestSupport.h"

namespace Plix::Testing {

// SDL's audio thread starts D-Bus, which keeps its allocations for the life
// of the process; the window code carries the leak checker's list of such
// libraries, so the tests link it in.
bool (*gKeepSdlSuppressions)(HWND, POINT*) = &Plix::ClientToScreen;

std::string Le16(uint16_t v) { return {char(v & 0xFF), char(v >> 8)}; }
std::string Le32(uint32_t v) { return Le16(uint16_t(v)) + Le16(uint16_t(v >> 16)); }
std::string Be32(uint32_t v) { return {char(v >> 24), char(v >> 16), char(v >> 8), char(v)}; }

std::string WavFile(const std::vector<std::pair<std::string, std::string>>& chunks) {
  std::string body = "WAVE";
  for (const auto& [id, bytes] : chunks) body += id + Le32(uint32_t(bytes.size())) + bytes;
  return "RIFF" + Le32(uint32_t(body.size())) + body;
}

std::string FmtChunk(int channels, int rate, int bits, int tag, int extra) {
  const int align = channels * bits / 8;
  return Le16(uint16_t(tag)) + Le16(uint16_t(channels)) + Le32(uint32_t(rate)) +
         Le32(uint32_t(rate * align)) + Le16(uint16_t(align)) + Le16(uint16_t(bits)) +
         std::string(size_t(extra), '\x7F');
}

std::string AuFile(uint32_t encoding, uint32_t rate, uint32_t channels, const std::string& data,
                   uint32_t declaredSize) {
  return ".snd" + Be32(24) + Be32(declaredSize) + Be32(encoding) + Be32(rate) + Be32(channels) +
         data;
}

std::string ToneBytes(int frames, int channels, int rate, double hz, double amplitude) {
  std::string out;
  for (int i = 0; i < frames; ++i) {
    const int16_t s = int16_t(std::lround(32767 * amplitude * std::sin(2 * M_PI * hz * i / rate)));
    for (int c = 0; c < channels; ++c) out += Le16(uint16_t(s));
  }
  return out;
}

std::string OggFixture(const std::string& name) {
  return std::string(PLIX_SOUND_FIXTURES) + "/" + name + ".ogg";
}

std::vector<int16_t> Mix(int frames) {
  std::vector<int16_t> out(size_t(frames) * 2);
  MixAudio(out.data(), frames);
  return out;
}

double Level(const std::vector<int16_t>& stereo, int channel, size_t from, size_t to) {
  to = std::min(to, stereo.size() / 2);
  if (to <= from) return 0;
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += std::abs(stereo[2 * i + channel]);
  return sum / double(to - from);
}

double Frequency(const std::vector<int16_t>& stereo, int channel, size_t from, size_t to) {
  to = std::min(to, stereo.size() / 2);
  int crossings = 0;
  for (size_t i = from + 1; i < to; ++i)
    if (stereo[2 * (i - 1) + channel] < 0 && stereo[2 * i + channel] >= 0) ++crossings;
  return to > from ? crossings * 44100.0 / double(to - from) : 0;
}

}  // namespace Plix::Testing
