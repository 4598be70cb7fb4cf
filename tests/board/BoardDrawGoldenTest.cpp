// Pictures of a story day: the floor of each area at a busy moment (seated
// guests with their wishes, a full counter, the golden ice cream in the
// air, a notice, the bar with its clock and figures) and one evening with
// the closed sign out. Compared at half size with the golden images;
// PLIX_UPDATE_GOLDEN=1 rewrites them.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "framework/graphics/Graphics.h"
#include "framework/graphics/DDImage.h"
#include "framework/resources/ImageLib.h"
#include "game/board/Conveyor.h"
#include "game/board/CustomerFlow.h"
#include "game/characters/CustomerManager.h"
#include "tests/board/BoardTestSupport.h"
#include "tests/board/DayScene.h"
#include "tests/support/Golden.h"

namespace Plix {
namespace {

using Testing::BoardFixture;
using Testing::DayMoment;

// The board's frame, and its half-size reduction (each pixel the mean of
// four).
std::vector<uint32_t> DrawFrame(Board& board, DDImage& canvas) {
  canvas.Create(800, 600);
  canvas.CreateSurface();
  Graphics g(&canvas);
  board.Draw(&g);
  std::vector<uint32_t> half(400 * 300);
  const uint32_t* bits = canvas.GetBits();
  for (int y = 0; y < 300; ++y)
    for (int x = 0; x < 400; ++x) {
      uint32_t sum[3] = {0, 0, 0};
      for (int k = 0; k < 4; ++k) {
        const uint32_t p = bits[(2 * y + k / 2) * 800 + 2 * x + k % 2];
        for (int c = 0; c < 3; ++c) sum[c] += (p >> (8 * c)) & 0xFF;
      }
      half[y * 400 + x] = 0xFF000000u | (sum[2] / 4) << 16 | (sum[1] / 4) << 8 | sum[0] / 4;
    }
  return half;
}

struct GoldenCase {
  const char* name;
  DayMoment moment;
};

void PrintTo(const GoldenCase& c, std::ostream* os) { *os << c.name; }

class DayPicture : public BoardFixture, public ::testing::WithParamInterface<GoldenCase> {};

TEST_P(DayPicture, MatchesItsGoldenImage) {
  const GoldenCase& c = GetParam();
  std::unique_ptr<Board> board = Testing::MakeDayMoment(*mGame, c.moment);
  ASSERT_TRUE(board);
  EXPECT_GE(board->GetConveyor()->GetContainers().GetCount(), 3);
  EXPECT_GE(board->GetCustomerManager()->Count(), c.moment.closed ? 4 : 8);
  for (int place = 0; place < ItemHolder::kPlaces; ++place)
    EXPECT_TRUE(board->GetCounter()->IsOccupied(place)) << "counter place " << place;
  DDImage canvas(mGame->mAppDisplay);
  const std::vector<uint32_t> half = DrawFrame(*board, canvas);
  // The full picture, to look at.
  auto full = ImageLib::CreateImage(800, 600);
  for (int i = 0; i < 800 * 600; ++i) full->mBits[i] = canvas.GetBits()[i] | 0xFF000000u;
  ImageLib::WritePNGImage(Testing::BinaryDir() + "/day-" + c.name + ".png", full.get());
  Testing::ExpectMatchesGolden(std::string("tests/board/golden/day-") + c.name + ".png", half, 400, 300);
}

// Happy Hour: the queue of customers with their wishes and moods, and its
// own bar.
TEST_F(BoardFixture, AHappyHourQueueMatchesItsGoldenImage) {
  std::unique_ptr<Board> board = Testing::MakeHappyHourMoment(*mGame, 7);
  ASSERT_TRUE(board);
  EXPECT_GE(board->GetCustomerFlow()->GetCount(), 5);
  EXPECT_EQ(board->mFlyingIceCreams.GetCount(), 1);
  DDImage canvas(mGame->mAppDisplay);
  const std::vector<uint32_t> half = DrawFrame(*board, canvas);
  auto full = ImageLib::CreateImage(800, 600);
  for (int i = 0; i < 800 * 600; ++i) full->mBits[i] = canvas.GetBits()[i] | 0xFF000000u;
  ImageLib::WritePNGImage(Testing::BinaryDir() + "/happy-hour.png", full.get());
  Testing::ExpectMatchesGolden("tests/board/golden/happy-hour.png", half, 400, 300);
}

INSTANTIATE_TEST_SUITE_P(
    Moments, DayPicture,
    ::testing::Values(GoldenCase{"area1", {1, 0.35f, false, 11}}, GoldenCase{"area2", {2, 0.4f, false, 12}},
                      GoldenCase{"area3", {3, 0.3f, false, 13}}, GoldenCase{"area4", {4, 0.45f, false, 14}},
                      GoldenCase{"area5", {5, 0.35f, false, 15}}, GoldenCase{"area6-closed", {6, 1.0f, true, 16}}),
    [](const ::testing::TestParamInfo<GoldenCase>& info) {
      std::string name = info.param.name;
      for (char& ch : name)
        if (ch == '-') ch = '_';
      return name;
    });

}  // namespace
}  // namespace Plix
