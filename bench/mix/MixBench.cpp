// Mixing 32 looping voices of 44.1 kHz audio (mono and stereo, some
// resampled by pitch, panned and attenuated) for 10 seconds of output.
// Ends with "ratio mix <fraction>": the mixing time as a fraction of the
// 10 seconds it produces.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "framework/platform/AudioMixer.h"
#include "framework/platform/DirectSound.h"

namespace {

using namespace Plix;

constexpr int kVoices = 32;
constexpr int kSeconds = 10;
constexpr int kChunk = 1024;  // frames per device callback

std::vector<IDirectSoundBuffer*> StartVoices(IDirectSound* ds) {
  std::vector<IDirectSoundBuffer*> voices;
  for (int v = 0; v < kVoices; ++v) {
    const int channels = v % 2 ? 2 : 1;
    WAVEFORMATEX format;
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(channels);
    format.nSamplesPerSec = 44100;
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(2 * channels);
    format.nAvgBytesPerSec = 44100u * format.nBlockAlign;
    DSBUFFERDESC desc;
    desc.dwSize = 20;
    desc.dwFlags = DSBCAPS_STATIC | DSBCAPS_CTRLFREQUENCY | DSBCAPS_CTRLPAN | DSBCAPS_CTRLVOLUME;
    desc.dwBufferBytes = 44100u * format.nBlockAlign;  // one second
    desc.lpwfxFormat = &format;
    IDirectSoundBuffer* b = nullptr;
    if (FAILED(ds->CreateSoundBuffer(&desc, &b, nullptr))) std::abort();
    void* p = nullptr;
    DWORD n = 0;
    b->Lock(0, desc.dwBufferBytes, &p, &n, nullptr, nullptr, 0);
    auto* s = static_cast<int16_t*>(p);
    for (DWORD i = 0; i < n / 2; ++i)
      s[i] = static_cast<int16_t>(4000 * std::sin(0.01 * (v + 1) * static_cast<double>(i)));
    b->Unlock(p, n, nullptr, 0);
    if (v % 4 == 3) b->SetFrequency(44100 + 1000 * v);  // a quarter resampled
    b->SetPan((v % 5 - 2) * 1000);
    b->SetVolume(-100 * (v % 7));
    b->Play(0, 0, DSBPLAY_LOOPING);
    voices.push_back(b);
  }
  return voices;
}

void MixTenSeconds(std::vector<int16_t>& out) {
  for (int done = 0; done < kSeconds * kMixRate; done += kChunk)
    MixAudio(out.data(), std::min(kChunk, kSeconds * kMixRate - done));
}

void BM_Mix32Voices10Seconds(benchmark::State& state) {
  std::vector<int16_t> out(2 * kChunk);
  for (auto _ : state) {
    MixTenSeconds(out);
    benchmark::DoNotOptimize(out.data());
  }
}
BENCHMARK(BM_Mix32Voices10Seconds)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  SetOfflineAudioForTesting(true);
  IDirectSound* ds = nullptr;
  if (FAILED(DirectSoundCreate(nullptr, &ds, nullptr))) return 1;
  std::vector<IDirectSoundBuffer*> voices = StartVoices(ds);

  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  // The ratio: the best of five runs against the 10 s produced.
  std::vector<int16_t> out(2 * kChunk);
  double best = 1e9;
  for (int run = 0; run < 5; ++run) {
    const auto t0 = std::chrono::steady_clock::now();
    MixTenSeconds(out);
    const std::chrono::duration<double> t = std::chrono::steady_clock::now() - t0;
    best = std::min(best, t.count());
  }
  for (IDirectSoundBuffer* b : voices) b->Release();
  ds->Release();
  std::printf("ratio mix %.5f\n", best / kSeconds);
  return 0;
}
