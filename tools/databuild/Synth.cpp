#include "tools/databuild/Synth.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>

namespace Plix::DataBuild {

Voice VoiceFromName(const std::string& name) {
  static const std::map<std::string, Voice> names = {
      {"sine", Voice::Sine},   {"tri", Voice::Tri},         {"square", Voice::Square},
      {"saw", Voice::Saw},     {"bell", Voice::Bell},       {"pluck", Voice::Pluck},
      {"thump", Voice::Thump}, {"noise", Voice::Noise},     {"hiss", Voice::Hiss},
      {"crackle", Voice::Crackle}, {"click", Voice::Click}, {"hum", Voice::Hum},
      {"whistle", Voice::Whistle}, {"organ", Voice::Organ}, {"va", Voice::VowelA},
      {"ve", Voice::VowelE},   {"vo", Voice::VowelO},       {"vu", Voice::VowelU},
      {"marimba", Voice::Marimba}, {"steel", Voice::Steel}, {"ukulele", Voice::Ukulele},
      {"bass", Voice::Bass},   {"pad", Voice::Pad},         {"kick", Voice::Kick},
      {"snare", Voice::Snare}, {"hihat", Voice::HiHat},     {"shaker", Voice::Shaker},
      {"flute", Voice::Flute}, {"accordion", Voice::Accordion}, {"brass", Voice::Brass}};
  auto it = names.find(name);
  if (it == names.end()) throw std::runtime_error("unknown sound kind " + name);
  return it->second;
}

double NoteFrequency(const std::string& name) {
  static const int semis[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') throw std::runtime_error("bad note " + name);
  int semi = semis[name[0] - 'A'];
  size_t i = 1;
  if (name[i] == '#') { ++semi; ++i; }
  else if (name[i] == 'b') { --semi; ++i; }
  int octave = std::stoi(name.substr(i));
  int midi = 12 * (octave + 1) + semi;
  return 440.0 * std::pow(2.0, (midi - 69) / 12.0);
}

namespace {

struct Noise {
  uint32_t s;
  explicit Noise(uint32_t seed) : s(seed * 747796405u + 2891336453u) {}
  double Next() {
    s ^= s << 13;
    s ^= s >> 17;
    s ^= s << 5;
    return (s & 0xffffff) / double(0x800000) - 1.0;
  }
};

// One-pole filters.
struct LowPass {
  double a = 0, y = 0;
  void Set(double cutoff, int rate) { a = 1 - std::exp(-2 * M_PI * std::min(cutoff, rate * 0.45) / rate); }
  double operator()(double x) { return y += a * (x - y); }
};

double Formant(double phase, double f0, const double (&formants)[3], int rate, double& z1, double& z2, double& z3) {
  (void)rate;
  // Glottal pulse train through three resonances, approximated additively:
  // sum harmonics weighted by their distance to the formants.
  double out = 0;
  int harmonics = std::min(40, static_cast<int>(4000 / std::max(60.0, f0)));
  for (int k = 1; k <= harmonics; ++k) {
    double f = k * f0, w = 0;
    for (int i = 0; i < 3; ++i) {
      double bw = 80 + formants[i] * 0.08, d = (f - formants[i]) / bw;
      w += (i == 0 ? 1.0 : i == 1 ? 0.6 : 0.25) / (1 + d * d);
    }
    out += w * std::sin(2 * M_PI * phase * k) / std::sqrt(double(k));
  }
  (void)z1; (void)z2; (void)z3;
  return out * 0.35;
}

}  // namespace

void Render(const Note& n, std::vector<float>& buffer, int rate, int channels, uint32_t seed) {
  const long start = std::lround(n.start * rate);
  long length = std::lround(n.length * rate);
  // Ringing voices sound past their nominal length.
  double tail = 0;
  switch (n.voice) {
    case Voice::Bell: case Voice::Steel: tail = 0.6; break;
    case Voice::Marimba: case Voice::Pluck: case Voice::Ukulele: tail = 0.25; break;
    case Voice::Pad: tail = 0.3; break;
    default: tail = 0.02; break;
  }
  const long total = length + std::lround(tail * rate);
  const long frames = static_cast<long>(buffer.size()) / channels;
  Noise noise(seed);
  LowPass lp, hp;
  double phase = 0, phase2 = 0, z1 = 0, z2 = 0, z3 = 0;
  // Karplus-Strong string.
  std::vector<double> ks;
  size_t ksPos = 0;
  if (n.voice == Voice::Pluck || n.voice == Voice::Ukulele) {
    ks.resize(std::max<size_t>(2, static_cast<size_t>(rate / n.f1)));
    for (auto& v : ks) v = noise.Next();
  }
  const double panL = std::sqrt(0.5 * (1 - n.pan)), panR = std::sqrt(0.5 * (1 + n.pan));
  double crackle = 0;
  for (long i = 0; i < total; ++i) {
    long at = start + i;
    if (at < 0) continue;
    if (at >= frames) break;
    const double t = double(i) / rate;
    const double u = length > 0 ? std::min(1.0, double(i) / length) : 1.0;
    const double f = n.f1 * std::pow(n.f2 / n.f1, u);
    phase += f / rate;
    phase -= std::floor(phase);
    const double relStart = std::max(0.0, n.length - std::min(0.08, n.length * 0.3));
    // Plain attack/release envelope.
    double env = std::min(1.0, t / 0.005);
    if (t > relStart) env *= std::max(0.0, 1 - (t - relStart) / std::max(0.001, n.length - relStart + 0.0001));
    double s = 0;
    switch (n.voice) {
      case Voice::Sine: s = std::sin(2 * M_PI * phase); break;
      case Voice::Tri: s = 1 - 4 * std::abs(phase - 0.5); break;
      case Voice::Square: s = (phase < 0.5 ? 0.6 : -0.6) ; lp.Set(f * 6, rate); s = lp(s); break;
      case Voice::Saw: s = (2 * phase - 1) * 0.6; lp.Set(f * 8, rate); s = lp(s); break;
      case Voice::Bell: case Voice::Steel: {
        double ratio = n.voice == Voice::Bell ? 3.5 : 2.0;
        phase2 += f * ratio / rate;
        double idx = (n.voice == Voice::Bell ? 2.5 : 1.2) * std::exp(-t * 6);
        s = std::sin(2 * M_PI * phase + idx * std::sin(2 * M_PI * phase2));
        env = std::min(1.0, t / 0.002) * std::exp(-t * (n.voice == Voice::Bell ? 5.0 : 4.0) / std::max(0.2, n.length));
        break;
      }
      case Voice::Marimba: {
        phase2 += f * 4 / rate;
        s = std::sin(2 * M_PI * phase) + 0.3 * std::sin(2 * M_PI * phase2) * std::exp(-t * 30);
        env = std::min(1.0, t / 0.002) * std::exp(-t * 9);
        break;
      }
      case Voice::Pluck: case Voice::Ukulele: {
        double v = ks[ksPos];
        size_t next = (ksPos + 1) % ks.size();
        ks[ksPos] = 0.5 * (v + ks[next]) * (n.voice == Voice::Ukulele ? 0.994 : 0.996);
        ksPos = next;
        s = v;
        env = std::min(1.0, t / 0.002);
        if (t > n.length) env *= std::max(0.0, 1 - (t - n.length) / tail);
        break;
      }
      case Voice::Thump: case Voice::Kick:
        s = std::sin(2 * M_PI * phase);
        env = std::min(1.0, t / 0.002) * std::exp(-t * 5 / std::max(0.03, n.length));
        break;
      case Voice::Noise: case Voice::Snare: case Voice::HiHat: case Voice::Shaker: {
        double hi = n.voice == Voice::HiHat ? 12000 : n.voice == Voice::Shaker ? 9000 : n.f2;
        double lo = n.voice == Voice::HiHat ? 7000 : n.voice == Voice::Shaker ? 4000 : n.f1;
        if (n.voice == Voice::Snare) { lo = 900; hi = 7000; }
        lp.Set(hi, rate);
        hp.Set(lo, rate);
        double x = lp(noise.Next());
        s = (x - hp(x)) * 2.0;
        if (n.voice == Voice::Snare) s += 0.5 * std::sin(2 * M_PI * phase) * std::exp(-t * 30);
        double decay = n.voice == Voice::Shaker ? 25 : n.voice == Voice::HiHat ? 40 : 5 / std::max(0.03, n.length);
        env = std::min(1.0, t / 0.002) * std::exp(-t * decay);
        if (n.voice == Voice::Shaker) env = std::sin(M_PI * std::min(1.0, t / std::max(0.01, n.length)));
        break;
      }
      case Voice::Hiss: {
        lp.Set(n.f2, rate);
        hp.Set(n.f1, rate);
        double x = lp(noise.Next());
        s = (x - hp(x)) * 2.0;
        double a = std::min(1.0, t / 0.03);
        env = a * (t > n.length - 0.05 ? std::max(0.0, (n.length - t) / 0.05) : 1.0);
        break;
      }
      case Voice::Crackle: {
        if (noise.Next() * 0.5 + 0.5 < n.f1 / rate) crackle = 1.0;
        crackle *= 0.93;
        lp.Set(n.f2, rate);
        s = lp(crackle * noise.Next()) * 3;
        double a = std::min(1.0, t / 0.01);
        env = a * (t > n.length - 0.05 ? std::max(0.0, (n.length - t) / 0.05) : 1.0);
        break;
      }
      case Voice::Click:
        s = std::sin(2 * M_PI * phase) * 0.6 + noise.Next() * 0.4;
        env = std::exp(-t * 150);
        break;
      case Voice::Hum: {
        double wob = 1 + 0.15 * std::sin(2 * M_PI * 6 * t);
        s = (0.6 * (2 * phase - 1) + 0.5 * std::sin(2 * M_PI * phase)) * wob;
        lp.Set(900, rate);
        s = lp(s) * 1.5;
        env = 1;
        break;
      }
      case Voice::Whistle: case Voice::Flute: {
        double vib = n.voice == Voice::Flute ? 0.004 : 0.01;
        phase2 += 5.5 / rate;
        phase += f * vib * std::sin(2 * M_PI * phase2) / rate;
        s = std::sin(2 * M_PI * phase) + 0.08 * noise.Next();
        if (n.voice == Voice::Flute) {
          double a = std::min(1.0, t / 0.04);
          env = a * (t > n.length - 0.04 ? std::max(0.0, (n.length - t) / 0.04) : 1.0);
          s += 0.2 * std::sin(4 * M_PI * phase);
        }
        break;
      }
      case Voice::Organ: case Voice::Accordion: {
        s = std::sin(2 * M_PI * phase) + 0.5 * std::sin(4 * M_PI * phase) + 0.3 * std::sin(6 * M_PI * phase) +
            0.2 * std::sin(8 * M_PI * phase);
        if (n.voice == Voice::Accordion) {
          phase2 += f * 1.006 / rate;
          s = 0.5 * s + 0.4 * ((phase2 - std::floor(phase2)) * 2 - 1);
        }
        s *= 0.45 * (1 + 0.1 * std::sin(2 * M_PI * 7 * t));
        double a = std::min(1.0, t / 0.02);
        env = a * (t > n.length - 0.03 ? std::max(0.0, (n.length - t) / 0.03) : 1.0);
        break;
      }
      case Voice::Brass: {
        double bright = std::min(1.0, t / 0.05);
        s = 0;
        for (int k = 1; k <= 8; ++k) s += std::sin(2 * M_PI * phase * k) * std::pow(0.3 + 0.5 * bright, k - 1) / k;
        s *= 0.6;
        double a = std::min(1.0, t / 0.03);
        env = a * (t > n.length - 0.04 ? std::max(0.0, (n.length - t) / 0.04) : 1.0);
        break;
      }
      case Voice::Bass:
        s = std::sin(2 * M_PI * phase) + 0.25 * std::sin(4 * M_PI * phase);
        env = std::min(1.0, t / 0.004) * std::exp(-t * 2.5);
        if (t > n.length - 0.02) env *= std::max(0.0, (n.length - t) / 0.02);
        break;
      case Voice::Pad: {
        phase2 += f * 1.004 / rate;
        s = 0.5 * std::sin(2 * M_PI * phase) + 0.5 * std::sin(2 * M_PI * phase2) +
            0.2 * std::sin(6 * M_PI * phase);
        double a = std::min(1.0, t / 0.15);
        env = a * (t > n.length ? std::max(0.0, 1 - (t - n.length) / tail) : 1.0);
        break;
      }
      case Voice::VowelA: case Voice::VowelE: case Voice::VowelO: case Voice::VowelU: {
        static const double fa[3] = {800, 1200, 2500}, fe[3] = {500, 1900, 2500},
                            fo[3] = {500, 850, 2400}, fu[3] = {330, 800, 2300};
        const double(&fm)[3] = n.voice == Voice::VowelA ? fa : n.voice == Voice::VowelE ? fe
                               : n.voice == Voice::VowelO ? fo : fu;
        phase2 += 5.0 / rate;
        s = Formant(phase, f * (1 + 0.01 * std::sin(2 * M_PI * phase2)), fm, rate, z1, z2, z3);
        double a = std::min(1.0, t / 0.02);
        env = a * (t > n.length - 0.05 ? std::max(0.0, (n.length - t) / 0.05) : 1.0);
        break;
      }
    }
    const double v = s * env * n.volume;
    if (channels == 1) {
      buffer[at] += static_cast<float>(v);
    } else {
      buffer[at * 2] += static_cast<float>(v * panL);
      buffer[at * 2 + 1] += static_cast<float>(v * panR);
    }
  }
}

}  // namespace Plix::DataBuild
