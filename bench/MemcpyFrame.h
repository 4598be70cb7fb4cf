#pragma once
// The bandwidth floor the frame benchmarks are measured against: copying
// one 800 x 600 32-bit frame with memcpy.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace Plix::Bench {

constexpr size_t kMemcpyFramePixels = 800 * 600;

inline void BM_MemcpyFrame(benchmark::State& state) {
  std::vector<uint32_t> from(kMemcpyFramePixels, 0x12345678), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size() * 4);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
}

// The once-per-run check of the reference: the copy is its source.
inline bool MemcpyFrameCopies() {
  std::vector<uint32_t> from(kMemcpyFramePixels), to(from.size());
  for (size_t i = 0; i < from.size(); ++i) from[i] = static_cast<uint32_t>(i * 2654435761u);
  std::memcpy(to.data(), from.data(), from.size() * 4);
  if (to == from) return true;
  std::fprintf(stderr, "FAILED: the copied frame differs\n");
  return false;
}

}  // namespace Plix::Bench
