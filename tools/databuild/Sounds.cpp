#include "tools/databuild/Sounds.h"

#include "tools/databuild/Art.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace Plix::DataBuild {

namespace {

std::vector<std::string> Split(const std::string& s, char sep) {
  std::vector<std::string> out;
  std::string part;
  std::istringstream in(s);
  while (std::getline(in, part, sep)) out.push_back(part);
  return out;
}

double ToDouble(const std::string& s) {
  size_t used = 0;
  double v = std::stod(s, &used);
  if (used != s.size()) throw std::runtime_error("not a number: " + s);
  return v;
}

void PutLE(std::string& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 255));
}

}  // namespace

std::vector<Note> ParseSoundElement(const std::string& element) {
  std::vector<std::string> f = Split(element, ':');
  try {
    if (!f.empty() && f[0] == "mel") {
      if (f.size() != 6) throw std::runtime_error("mel:kind:bpm:start:volume:notes");
      Voice v = VoiceFromName(f[1]);
      double eighth = 30.0 / ToDouble(f[2]);
      double t = ToDouble(f[3]), vol = ToDouble(f[4]);
      std::vector<Note> notes;
      for (const std::string& n : Split(f[5], ',')) {
        size_t dash = n.find('-');
        if (dash == std::string::npos) throw std::runtime_error("note without length: " + n);
        double len = ToDouble(n.substr(dash + 1)) * eighth;
        std::string name = n.substr(0, dash);
        if (name != "R") {
          double hz = NoteFrequency(name);
          notes.push_back({v, hz, hz, t, len * 0.92, vol});
        }
        t += len;
      }
      return notes;
    }
    if (f.size() != 6) throw std::runtime_error("expected kind:f1:f2:start:length:volume");
    Note n{VoiceFromName(f[0]), ToDouble(f[1]), ToDouble(f[2]), ToDouble(f[3]), ToDouble(f[4]), ToDouble(f[5])};
    if (n.f1 <= 0 || n.f2 <= 0 || n.length <= 0 || n.start < 0) throw std::runtime_error("values out of range");
    return {n};
  } catch (const std::exception& e) {
    throw std::runtime_error("bad sound element " + element + ": " + e.what());
  }
}

std::string WavBytes(const std::vector<float>& samples, int rate, int channels) {
  std::string out = "RIFF";
  const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
  PutLE(out, 36 + dataBytes, 4);
  out += "WAVEfmt ";
  PutLE(out, 16, 4);
  PutLE(out, 1, 2);
  PutLE(out, static_cast<uint32_t>(channels), 2);
  PutLE(out, static_cast<uint32_t>(rate), 4);
  PutLE(out, static_cast<uint32_t>(rate * channels * 2), 4);
  PutLE(out, static_cast<uint32_t>(channels * 2), 2);
  PutLE(out, 16, 2);
  out += "data";
  PutLE(out, dataBytes, 4);
  for (float s : samples) {
    long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0);
    PutLE(out, static_cast<uint32_t>(static_cast<int16_t>(v)) & 0xffff, 2);
  }
  return out;
}

void BuildSounds(const std::vector<SoundDecl>& sounds, const std::string& stage) {
  const int rate = 22050;
  for (const SoundDecl& d : sounds) {
    std::vector<Note> notes;
    for (const auto& e : d.elements) {
      try {
        auto more = ParseSoundElement(e);
        notes.insert(notes.end(), more.begin(), more.end());
      } catch (const std::exception& ex) {
        throw std::runtime_error(d.id + ": " + ex.what());
      }
    }
    double end = 0;
    for (const Note& n : notes) end = std::max(end, n.start + n.length);
    // Room for ringing tails, then trimmed to the last audible sample.
    std::vector<float> buf(static_cast<size_t>((end + (d.loop ? 0 : 0.7)) * rate) + 1, 0.0f);
    uint32_t seed = HashId(d.id);
    for (size_t i = 0; i < notes.size(); ++i) Render(notes[i], buf, rate, 1, seed + static_cast<uint32_t>(i));
    if (d.loop) {
      // Cross-fade the last 0.2 s into the start so that the loop has no seam.
      size_t fade = std::min(buf.size() / 4, static_cast<size_t>(0.2 * rate));
      size_t n = buf.size() - fade;
      for (size_t i = 0; i < fade; ++i) {
        double t = double(i) / fade;
        buf[i] = static_cast<float>(buf[i] * t + buf[n + i] * (1 - t));
      }
      buf.resize(n);
    } else {
      size_t last = buf.size();
      while (last > 1 && std::abs(buf[last - 1]) < 1e-4f) --last;
      buf.resize(last + rate / 100);
    }
    float peak = 0;
    for (float s : buf) peak = std::max(peak, std::abs(s));
    if (peak > 0.89f) for (float& s : buf) s *= 0.89f / peak;
    WriteWholeFile(stage + "/" + d.file + ".wav", WavBytes(buf, rate, 1));
  }
}

}  // namespace Plix::DataBuild
