#include "framework/platform/Memory.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace Plix {

namespace {

// Resident pages of the process, from /proc/self/statm.
long ResidentPages() {
  FILE* f = std::fopen("/proc/self/statm", "r");
  if (!f) return -1;
  long size = 0, resident = -1;
  if (std::fscanf(f, "%ld %ld", &size, &resident) != 2) resident = -1;
  std::fclose(f);
  return resident;
}

}  // namespace

// Loading leaves holes between the blocks it keeps: their pages go back to
// the system, and the blocks still in use keep every byte.
TEST(Memory, FreedPagesBetweenLiveBlocksGoBackAndLiveBlocksStayIntact) {
  constexpr size_t kBlock = 16 << 10, kBlocks = 1024;  // 16 MiB below the mapping threshold
  std::vector<std::unique_ptr<char[]>> blocks;
  for (size_t i = 0; i < kBlocks; ++i) {
    blocks.emplace_back(new char[kBlock]);
    std::memset(blocks.back().get(), static_cast<int>(i & 0xFF), kBlock);
  }
  for (size_t i = 0; i < kBlocks; ++i)
    if (i % 16 != 0) blocks[i].reset();
  const long before = ResidentPages();
  ReturnFreeMemory();
  const long after = ResidentPages();
  for (size_t i = 0; i < kBlocks; i += 16)
    for (size_t j = 0; j < kBlock; j += 997) ASSERT_EQ(blocks[i][j], static_cast<char>(i & 0xFF)) << i;
  ASSERT_GT(before, 0);
  ASSERT_GT(after, 0);
#if !defined(__SANITIZE_ADDRESS__)
  // The sanitizer's own allocator keeps its pages; the system allocator
  // gives back most of the 15 MiB freed.
  const long page = sysconf(_SC_PAGESIZE);
  EXPECT_GT((before - after) * page, 8l << 20);
#endif
}

}  // namespace Plix
