#include "framework/platform/CRand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace Plix {

TEST(CRand, MatchesTheOriginalRuntime) {
  // The original runtime's first draws after srand(1), and after srand(0).
  struct Case {
    uint32_t seed;
    std::vector<int> draws;
  } cases[] = {
      {1, {41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}},
      {0, {38, 7719, 21238, 2437, 8855}},
  };
  for (const auto& c : cases) {
    SRand(c.seed);
    for (size_t i = 0; i < c.draws.size(); ++i) EXPECT_EQ(Rand(), c.draws[i]) << c.seed << " #" << i;
  }
}

TEST(CRand, ReseedingRepeatsTheSequence) {
  SRand(123456789);
  std::vector<int> first;
  for (int i = 0; i < 1000; ++i) {
    first.push_back(Rand());
    ASSERT_GE(first.back(), 0);
    ASSERT_LE(first.back(), kRandMax);
  }
  SRand(123456789);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(Rand(), first[i]) << i;
}

TEST(CRand, OneSequenceAcrossThreads) {
  // Draws from two threads together use the sequence up exactly once.
  SRand(7);
  std::vector<int> expected;
  for (int i = 0; i < 2000; ++i) expected.push_back(Rand());
  SRand(7);
  std::vector<int> a, b;
  std::thread t([&] { for (int i = 0; i < 1000; ++i) a.push_back(Rand()); });
  for (int i = 0; i < 1000; ++i) b.push_back(Rand());
  t.join();
  int next = Rand();
  SRand(7);
  for (int i = 0; i < 2000; ++i) Rand();
  EXPECT_EQ(next, Rand());
  std::vector<int> all = a;
  all.insert(all.end(), b.begin(), b.end());
  std::sort(all.begin(), all.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(all, expected);
}

}  // namespace Plix
