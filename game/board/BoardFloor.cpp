// The floor's fixed walk paths, its depth-ordered draw list and the
// clearing before a day's layout is loaded.
#include "framework/graphics/DDImage.h"
#include "game/app/GameApp.h"
#include "game/board/Board.h"
#include "game/board/Table.h"
#include "game/board/WalkPath.h"

namespace Plix {

namespace {

constexpr float kCounterPoints[16][2] = {{0, 598},   {33, 580},  {84, 558},  {125, 545}, {166, 536}, {220, 525},
                                         {283, 517}, {355, 512}, {436, 512}, {498, 516}, {564, 523}, {613, 533},
                                         {665, 546}, {716, 563}, {772, 585}, {799, 598}};
constexpr float kBenchPoints[12][2] = {{29, 679},  {65, 654},  {117, 630}, {207, 604}, {285, 591}, {375, 585},
                                       {474, 588}, {585, 603}, {656, 622}, {703, 639}, {742, 659}, {771, 679}};

template <int N>
std::unique_ptr<WalkPath> MakePath(const float (&points)[N][2]) {
  auto path = std::make_unique<WalkPath>();
  for (const auto& p : points) path->AddPoint(p[0], p[1]);
  return path;
}

}  // namespace

void Board::BuildWalkPaths() {
  mCounterPath = MakePath(kCounterPoints);
  mBenchPath = MakePath(kBenchPoints);
}

void Board::AddToDrawList(ZObject* object) { InsertByBaseY(mDrawList, object); }

void Board::RemoveFromDrawList(ZObject* object) { mDrawList.Remove(object); }

void Board::DrawDrawList(Graphics& g) {
  ObjectListIterator it;
  for (it.Begin(mDrawList); !it.AtEnd(); it.Next()) static_cast<ZObject*>(it.Get())->Draw(g);
}

void Board::DeleteWalkNodes() {
  for (BarMovementNode*& node : mWalkNodes) {
    delete node;
    node = nullptr;
  }
}

void Board::ClearFloor() {
  DeleteWalkNodes();
  mDrawList.Clear();
  void* table = nullptr;
  while (mTables.PopFront(table)) delete static_cast<Table*>(table);
  mAreaBackground = nullptr;
  for (Image*& image : mAreaImages) image = nullptr;
  for (BarMovementNode*& node : mOverlayDecorations) node = nullptr;
  mOverlayCount = 0;
}

void Board::UpdateBackImageSurface() {
  if (!mBackImage) return;
  if (mApp.IsHardwareDrawing())
    mBackImage->DeleteSurface();
  else
    mBackImage->CreateSurface();
}

}  // namespace Plix
