#include "tools/databuild/Songs.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "tools/databuild/Art.h"
#include "tools/databuild/Synth.h"
#include "tools/databuild/Tables.h"

namespace Plix::DataBuild {

namespace {

constexpr int kRate = 44100;

enum class Groove { Island, Lounge, OomPah, March, Drive };

struct SongPlan {
  const char* file;
  int keyMidi;             // tonic of the key
  bool minor;
  double bpm;
  std::vector<int> chords; // scale degree (0-based) of each bar's chord, repeated
  int bars;
  Voice lead, chord, bass;
  Groove groove;
  uint32_t seed;
  double swing;            // 0 straight .. 0.33 swung eighths
};

const int kMajor[7] = {0, 2, 4, 5, 7, 9, 11};
const int kMinor[7] = {0, 2, 3, 5, 7, 8, 10};

double Midi(int m) { return 440.0 * std::pow(2.0, (m - 69) / 12.0); }

struct Composer {
  const SongPlan& p;
  std::vector<Note> notes;
  Rand rnd;
  double beat;  // seconds per beat

  explicit Composer(const SongPlan& plan) : p(plan), rnd(plan.seed), beat(60.0 / plan.bpm) {}

  int ScaleNote(int degree, int octave) const {
    const int* scale = p.minor ? kMinor : kMajor;
    int o = degree >= 0 ? degree / 7 : (degree - 6) / 7;
    int d = degree - o * 7;
    return p.keyMidi + 12 * (octave + o) + scale[d];
  }
  // Chord tones (as scale degrees) of the chord on degree c.
  std::vector<int> ChordDegrees(int c) const { return {c, c + 2, c + 4}; }

  double Time(int bar, double beatInBar) const {
    double whole = std::floor(beatInBar), frac = beatInBar - whole;
    if (std::abs(frac - 0.5) < 1e-9) frac += p.swing * 0.5;
    return (bar * 4 + whole + frac) * beat;
  }

  void Add(Voice v, int midi, double t, double len, double vol, double pan) {
    double f = Midi(midi);
    notes.push_back({v, f, f, t, len, vol, pan});
  }

  void Drums(int bar) {
    auto hit = [&](Voice v, double b, double vol, double pan = 0, double f = 60) {
      notes.push_back({v, f, f * 0.5, Time(bar, b), 0.12, vol, pan});
    };
    switch (p.groove) {
      case Groove::Island:
        hit(Voice::Kick, 0, 0.55, 0, 90); hit(Voice::Kick, 2.5, 0.4, 0, 90);
        hit(Voice::Snare, 1, 0.18, 0.1); hit(Voice::Snare, 3, 0.18, 0.1);
        for (int i = 0; i < 8; ++i) hit(Voice::Shaker, i * 0.5, i % 2 ? 0.07 : 0.1, 0.4);
        break;
      case Groove::Lounge:
        hit(Voice::Kick, 0, 0.35, 0, 80); hit(Voice::Kick, 2, 0.3, 0, 80);
        for (int i = 0; i < 4; ++i) hit(Voice::HiHat, i, 0.08, -0.3), hit(Voice::HiHat, i + 0.5, 0.05, -0.3);
        hit(Voice::Snare, 3, 0.08, 0.2);
        break;
      case Groove::OomPah:
        hit(Voice::Kick, 0, 0.5, 0, 80); hit(Voice::Kick, 2, 0.45, 0, 80);
        hit(Voice::Snare, 1, 0.16); hit(Voice::Snare, 3, 0.16);
        break;
      case Groove::March:
        hit(Voice::Kick, 0, 0.5, 0, 80); hit(Voice::Kick, 2, 0.5, 0, 80);
        hit(Voice::Snare, 1, 0.2); hit(Voice::Snare, 3, 0.2); hit(Voice::Snare, 3.5, 0.1);
        for (int i = 0; i < 4; ++i) hit(Voice::HiHat, i + 0.5, 0.06, 0.3);
        break;
      case Groove::Drive:
        hit(Voice::Kick, 0, 0.6, 0, 90); hit(Voice::Kick, 1.5, 0.4, 0, 90); hit(Voice::Kick, 2, 0.55, 0, 90);
        hit(Voice::Snare, 1, 0.22); hit(Voice::Snare, 3, 0.22);
        for (int i = 0; i < 8; ++i) hit(Voice::HiHat, i * 0.5, i % 2 ? 0.06 : 0.09, 0.35);
        break;
    }
  }

  void Accompaniment(int bar, int chord) {
    auto degrees = ChordDegrees(chord);
    int root = ScaleNote(chord, -2);
    switch (p.groove) {
      case Groove::OomPah:
        Add(p.bass, root, Time(bar, 0), beat * 0.8, 0.5, 0);
        Add(p.bass, ScaleNote(chord + 4, -2), Time(bar, 2), beat * 0.8, 0.45, 0);
        for (double b : {1.0, 3.0})
          for (int d : degrees) Add(p.chord, ScaleNote(d, 0), Time(bar, b), beat * 0.5, 0.12, 0.3);
        break;
      case Groove::Lounge:
        Add(p.bass, root, Time(bar, 0), beat * 1.5, 0.45, 0);
        Add(p.bass, ScaleNote(chord + 2, -2), Time(bar, 2), beat * 0.9, 0.4, 0);
        Add(p.bass, ScaleNote(chord + 4, -2), Time(bar, 3), beat * 0.9, 0.4, 0);
        for (int d : degrees) Add(p.chord, ScaleNote(d, 0), Time(bar, 0), beat * 3.8, 0.09, -0.3);
        Add(p.chord, ScaleNote(chord + 6, 0), Time(bar, 0), beat * 3.8, 0.06, -0.3);
        break;
      default: {
        Add(p.bass, root, Time(bar, 0), beat * 0.9, 0.5, 0);
        Add(p.bass, root, Time(bar, 1.5), beat * 0.45, 0.35, 0);
        Add(p.bass, ScaleNote(chord + 4, -2), Time(bar, 2), beat * 0.9, 0.45, 0);
        Add(p.bass, ScaleNote(chord + (bar % 2 ? 5 : 2), -2), Time(bar, 3.5), beat * 0.45, 0.35, 0);
        // Strummed chords on the off-beats.
        for (double b : {0.0, 1.0, 1.5, 2.5, 3.0}) {
          double strum = 0;
          for (int d : degrees) {
            Add(p.chord, ScaleNote(d, 0), Time(bar, b) + strum, beat * 0.4, 0.1, -0.35);
            strum += 0.012;
          }
        }
        break;
      }
    }
  }

  // A two-bar phrase: rhythm and pitch contour, re-harmonised per chord.
  struct Phrase {
    std::vector<double> onsets;   // beats within two bars
    std::vector<double> lengths;
    std::vector<int> steps;       // melodic movement
  };

  Phrase MakePhrase() {
    static const double rhythms[][8] = {
        {0, 1, 1.5, 2, 3, -1, -1, -1}, {0, 0.5, 1, 2, 2.5, 3, -1, -1}, {0, 1.5, 2, 3, 3.5, -1, -1, -1},
        {0, 0.5, 1.5, 2, 2.5, 3.5, -1, -1}, {0, 1, 2, 2.5, 3, -1, -1, -1}};
    Phrase ph;
    for (int half = 0; half < 2; ++half) {
      const double* r = rhythms[rnd.Next() % 5];
      int count = 0;
      while (count < 8 && r[count] >= 0) ++count;
      if (half == 1) count = std::max(2, count - 2);  // leave room to breathe
      for (int i = 0; i < count; ++i) {
        double next = i + 1 < count ? r[i + 1] : (half == 1 ? 4.0 : 4.0);
        ph.onsets.push_back(half * 4 + r[i]);
        ph.lengths.push_back(next - r[i]);
        int step = static_cast<int>(rnd.Next() % 5) - 2;
        if (rnd.Next() % 4 == 0) step *= 2;
        ph.steps.push_back(step);
      }
    }
    return ph;
  }

  int melodyDegree = 4;

  void PlayPhrase(const Phrase& ph, int bar, const std::vector<int>& chords, bool answer) {
    for (size_t i = 0; i < ph.onsets.size(); ++i) {
      double b = ph.onsets[i];
      int barHere = bar + static_cast<int>(b / 4);
      int chord = chords[barHere % chords.size()];
      int step = answer && i + 2 >= ph.onsets.size() ? -std::abs(ph.steps[i]) : ph.steps[i];
      melodyDegree += step;
      melodyDegree = std::clamp(melodyDegree, 0, 11);
      bool strong = std::fmod(b, 1.0) == 0.0;
      if (strong) {
        // Land on the nearest chord tone.
        int best = melodyDegree, bestDist = 99;
        for (int d : ChordDegrees(chord))
          for (int o = -7; o <= 14; o += 7) {
            int cand = d + o, dist = std::abs(cand - melodyDegree);
            if (cand >= 0 && cand <= 11 && dist < bestDist) { best = cand; bestDist = dist; }
          }
        melodyDegree = best;
      }
      double len = ph.lengths[i] * beat * 0.9;
      Add(p.lead, ScaleNote(melodyDegree, 0) + 12, Time(barHere, std::fmod(b, 4.0)), len, 0.22, 0.2);
    }
  }

  void Compose() {
    const int bars = p.bars;
    std::vector<int> chords(bars);
    for (int b = 0; b < bars; ++b) chords[b] = p.chords[b % p.chords.size()];
    Phrase a = MakePhrase(), b = MakePhrase();
    for (int bar = 0; bar < bars; ++bar) {
      Drums(bar);
      Accompaniment(bar, chords[bar]);
    }
    // Form: A A B A per eight bars.
    for (int bar = 0; bar + 1 < bars; bar += 2) {
      int pos = (bar / 2) % 4;
      if (pos == 0) melodyDegree = 4;
      const Phrase& ph = pos == 2 ? b : a;
      PlayPhrase(ph, bar, chords, pos == 3);
    }
  }
};

std::vector<float> Render(const SongPlan& plan) {
  Composer c(plan);
  c.Compose();
  const double length = plan.bars * 4 * c.beat;
  const size_t frames = static_cast<size_t>(std::lround(length * kRate));
  const size_t tail = static_cast<size_t>(2 * kRate);
  std::vector<float> buf((frames + tail) * 2, 0.0f);
  for (size_t i = 0; i < c.notes.size(); ++i) Plix::DataBuild::Render(c.notes[i], buf, kRate, 2, plan.seed + static_cast<uint32_t>(i));
  // Wrap the tail into the start so that the loop is seamless.
  for (size_t i = 0; i < tail * 2; ++i) buf[i] += buf[frames * 2 + i];
  buf.resize(frames * 2);
  float peak = 0;
  for (float s : buf) peak = std::max(peak, std::abs(s));
  float gain = peak > 0 ? 0.85f / peak : 1.0f;
  for (float& s : buf) s *= gain;
  return buf;
}

std::string EncodeVorbis(const std::vector<float>& pcm, uint32_t serial) {
  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 2, kRate, 0.3f) != 0) throw std::runtime_error("vorbis encoder refused its settings");
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "ENCODER", "plix databuild");
  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, static_cast<int>(serial & 0x7fffffff));
  std::string out;
  auto writePage = [&](const ogg_page& pg) {
    out.append(reinterpret_cast<const char*>(pg.header), static_cast<size_t>(pg.header_len));
    out.append(reinterpret_cast<const char*>(pg.body), static_cast<size_t>(pg.body_len));
  };
  ogg_packet header, comments, codes;
  vorbis_analysis_headerout(&vd, &vc, &header, &comments, &codes);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &comments);
  ogg_stream_packetin(&os, &codes);
  ogg_page pg;
  while (ogg_stream_flush(&os, &pg)) writePage(pg);
  const size_t frames = pcm.size() / 2, chunk = 4096;
  for (size_t pos = 0;; pos += chunk) {
    size_t n = pos < frames ? std::min(chunk, frames - pos) : 0;
    if (n > 0) {
      float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      for (size_t i = 0; i < n; ++i) {
        buffer[0][i] = pcm[(pos + i) * 2];
        buffer[1][i] = pcm[(pos + i) * 2 + 1];
      }
    }
    vorbis_analysis_wrote(&vd, static_cast<int>(n));
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet op;
      while (vorbis_bitrate_flushpacket(&vd, &op)) {
        ogg_stream_packetin(&os, &op);
        while (ogg_stream_pageout(&os, &pg)) writePage(pg);
      }
    }
    if (n == 0) break;
  }
  while (ogg_stream_flush(&os, &pg)) writePage(pg);
  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return out;
}

std::vector<SongPlan> Plans() {
  return {
      {"mainmenu.ogg", 60, false, 112, {0, 5, 3, 4}, 16, Voice::Steel, Voice::Ukulele, Voice::Bass, Groove::Island, 101, 0.15},
      {"hawaii.ogg", 65, false, 92, {0, 3, 0, 4, 1, 4, 0, 0}, 16, Voice::Flute, Voice::Ukulele, Voice::Bass, Groove::Island, 202, 0.25},
      {"circus.ogg", 58, false, 138, {0, 4, 4, 0, 0, 3, 4, 0}, 16, Voice::Accordion, Voice::Organ, Voice::Brass, Groove::OomPah, 303, 0.0},
      {"store.ogg", 63, false, 100, {0, 5, 1, 4}, 16, Voice::Marimba, Voice::Pad, Voice::Bass, Groove::Lounge, 404, 0.3},
      {"game_complete.ogg", 67, false, 96, {0, 4, 5, 3}, 16, Voice::Brass, Voice::Pad, Voice::Bass, Groove::March, 505, 0.0},
      {"song1.ogg", 60, false, 120, {0, 3, 4, 0}, 16, Voice::Marimba, Voice::Ukulele, Voice::Bass, Groove::Island, 606, 0.2},
      {"song2.ogg", 62, true, 116, {0, 6, 5, 4}, 16, Voice::Steel, Voice::Pluck, Voice::Bass, Groove::Island, 707, 0.1},
      {"song3.ogg", 65, false, 132, {0, 1, 4, 0, 3, 4, 0, 4}, 16, Voice::Flute, Voice::Ukulele, Voice::Bass, Groove::Drive, 808, 0.0},
      {"song4.ogg", 67, false, 150, {0, 5, 3, 4}, 16, Voice::Steel, Voice::Pluck, Voice::Bass, Groove::Drive, 909, 0.0},
  };
}

}  // namespace

void BuildSongs(const std::string& outDir, int threads) {
  std::vector<SongPlan> plans = Plans();
  std::atomic<size_t> next{0};
  std::mutex errorMutex;
  std::string error;
  auto work = [&] {
    for (size_t i; (i = next++) < plans.size();) {
      try {
        std::vector<float> pcm = Render(plans[i]);
        WriteWholeFile(outDir + "/" + plans[i].file, EncodeVorbis(pcm, HashId(plans[i].file)));
      } catch (const std::exception& e) {
        std::lock_guard<std::mutex> lock(errorMutex);
        if (error.empty()) error = std::string(plans[i].file) + ": " + e.what();
      }
    }
  };
  std::vector<std::thread> pool;
  for (int t = 0; t < std::max(1, threads); ++t) pool.emplace_back(work);
  for (auto& t : pool) t.join();
  if (!error.empty()) throw std::runtime_error(error);
}

}  // namespace Plix::DataBuild
