// A small additive/FM synthesiser shared by the sound effects and the songs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Plix::DataBuild {

enum class Voice {
  Sine, Tri, Square, Saw, Bell, Pluck, Thump, Noise, Hiss, Crackle, Click, Hum, Whistle, Organ,
  VowelA, VowelE, VowelO, VowelU,
  // Song instruments.
  Marimba, Steel, Ukulele, Bass, Pad, Kick, Snare, HiHat, Shaker, Flute, Accordion, Brass
};

// Parses a voice name of the sounds table ("bell", "va", ...); throws on others.
Voice VoiceFromName(const std::string& name);

struct Note {
  Voice voice;
  double f1;      // Hz at the start
  double f2;      // Hz at the end
  double start;   // seconds
  double length;  // seconds
  double volume;
  double pan = 0; // -1 left .. 1 right (songs only)
};

// Adds the note into the buffer (interleaved channels) at the sample rate.
// seed varies the noise of noisy voices deterministically.
void Render(const Note& note, std::vector<float>& buffer, int rate, int channels, uint32_t seed);

// Frequency of a note name like "C5", "F#4", "Bb3"; throws on bad names.
double NoteFrequency(const std::string& name);

}  // namespace Plix::DataBuild
