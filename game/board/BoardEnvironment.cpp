// The floor of a day from its environment file: the area's pictures, the
// back image with the still scenery and the shadows, the tables, the
// stations' places, the decorations and the walk network.
#include <string>
#include <vector>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Graphics.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/resources/PakInterface.h"
#include "framework/resources/ResourceManager.h"
#include "game/app/AlphaButton.h"
#include "game/app/GameApp.h"
#include "game/app/GameResources.h"
#include "game/app/PlayerProfile.h"
#include "game/board/AnimatedDecorations.h"
#include "game/board/ArrivalSchedule.h"
#include "game/board/Board.h"
#include "game/board/EnvironmentFile.h"
#include "game/board/StationButtons.h"
#include "game/board/Table.h"
#include "game/board/Uncle.h"
#include "game/characters/Monkey.h"

namespace Plix {

namespace {

int CelW(const Image* image) { return image ? image->GetCellWidth() : 0; }
int CelH(const Image* image) { return image ? image->GetCellHeight() : 0; }
int FullW(const Image* image) { return image ? image->GetWidth() : 0; }
int FullH(const Image* image) { return image ? image->GetHeight() : 0; }

// Each area's decoration pictures by slot, with their drawing mode
// (0 painted into the back image, 1 sorted among the characters, 2 overlay).
struct AreaSlot {
  Image** image;
  int mode;
};

std::vector<AreaSlot> AreaSlots(int area) {
  switch (area) {
    case 1:
      return {{&IMAGE_BG1_ROSES_1, 0}, {&IMAGE_BG1_ROSES_2, 0}, {&IMAGE_BG1_MUSHROOM_1, 1}, {&IMAGE_BG1_MUSHROOM_2, 1},
              {nullptr, 1},           {&IMAGE_BG1_STONES_1, 1}, {&IMAGE_BG1_STONES_2, 1},  {&IMAGE_BG1_FOUNTAIN, 0},
              {&IMAGE_BG1_TREE, 2},   {nullptr, 1}};
    case 2:
      return {{&IMAGE_BG2_BUSH_1, 1}, {&IMAGE_BG2_BUSH_2, 1},  {&IMAGE_BG2_FENCE_LEFT, 0}, {&IMAGE_BG2_FENCE_RIGHT, 0},
              {&IMAGE_BG2_GIRAFFE, 1}, {&IMAGE_BG2_GRASS_1, 0}, {&IMAGE_BG2_GRASS_2, 0},    {&IMAGE_BG2_MOUSE, 1},
              {&IMAGE_BG2_PANDA, 1},   {&IMAGE_BG2_RABBIT, 1},  {&IMAGE_BG2_STONES, 0}};
    case 3:
      return {{&IMAGE_BG3_COLUMN, 1},  {&IMAGE_BG3_COLUMN_BROKEN, 0}, {&IMAGE_BG3_DEBRIS, 0},
              {&IMAGE_BG3_FIELD_1, 0}, {&IMAGE_BG3_FIELD_2, 0},       {&IMAGE_BG3_FIELD_3, 0},
              {&IMAGE_BG3_STATY, 1},   {&IMAGE_BG3_STATY_LARGE, 1},   {&IMAGE_BG3_TEMPLE, 0},
              {&IMAGE_BG3_VASE, 1}};
    case 4:
      return {{&IMAGE_BG4_BALL_1, 1},  {&IMAGE_BG4_BALL_2, 1},         {&IMAGE_BG4_BALLOON, 1},
              {&IMAGE_BG4_BALLOONS, 1}, {&IMAGE_BG4_HAMMER, 1},         {&IMAGE_BG4_ROLLERCOASTER, 0},
              {&IMAGE_BG4_STRIPES_1, 0}, {&IMAGE_BG4_STRIPES_2, 0}};
    case 5:
      return {{&IMAGE_BG5_CRAB_1, 0},   {&IMAGE_BG5_CRAB_2, 0},   {&IMAGE_BG5_LEAF_1, 0},      {&IMAGE_BG5_LEAF_2, 0},
              {&IMAGE_BG5_LEAVES, 0},   {&IMAGE_BG5_PALMTREE_1, 0}, {&IMAGE_BG5_PALMTREE_2, 0}, {&IMAGE_BG5_SHELL_1, 0},
              {&IMAGE_BG5_SHELL_2, 0},  {&IMAGE_BG5_SHELL_3, 0},  {&IMAGE_BG5_SHELL_4, 0},     {&IMAGE_BG5_SHELL_5, 0},
              {&IMAGE_BG5_STARS, 0},    {&IMAGE_BG5_TOWEL_1, 0},  {&IMAGE_BG5_TOWEL_2, 0},     {&IMAGE_BG5_TOYS, 0},
              {&IMAGE_BG5_WATER, 0}};
    case 6:
      return {{&IMAGE_BG6_BUSH_1, 0},   {&IMAGE_BG6_BUSH_2, 0},   {&IMAGE_BG6_BUSH_3, 0},    {&IMAGE_BG6_BUSH_4, 0},
              {&IMAGE_BG6_HOTEL, 0},    {&IMAGE_BG6_LIGHT_OFF, 0}, {&IMAGE_BG6_LIGHT_ON, 0}, {&IMAGE_BG6_PLANTS_1, 0},
              {&IMAGE_BG6_PLANTS_2, 0}, {&IMAGE_BG6_POOL, 0}};
    default:
      return {};
  }
}

Image* AreaBackground(int area) {
  Image* const backgrounds[6] = {IMAGE_BACKGROUND_1, IMAGE_BACKGROUND_2, IMAGE_BACKGROUND_3,
                                 IMAGE_BACKGROUND_4, IMAGE_BACKGROUND_5, IMAGE_BACKGROUND_6};
  return backgrounds[area - 1];
}

bool BindArea(int area, ResourceManager& resources) {
  switch (area) {
    case 1: return BindArea1Resources(&resources);
    case 2: return BindArea2Resources(&resources);
    case 3: return BindArea3Resources(&resources);
    case 4: return BindArea4Resources(&resources);
    case 5: return BindArea5Resources(&resources);
    case 6: return BindArea6Resources(&resources);
    default: return false;
  }
}

}  // namespace


EnvironmentSizes Board::GetEnvironmentSizes() const {
  EnvironmentSizes s;
  s.trashStationWidth = CelW(IMAGE_TRASH_STATION);
  s.trashStationHeight = CelH(IMAGE_TRASH_STATION);
  s.napkinTableWidth = FullW(IMAGE_SPECIAL_TABLE);
  s.napkinTableHeight = FullH(IMAGE_SPECIAL_TABLE);
  Image* tables[3] = {IMAGE_TABLE_1, IMAGE_TABLE_2, IMAGE_TABLE_4};
  for (int i = 0; i < 3; ++i) {
    s.tableWidth[i] = CelW(tables[i]);
    s.tableHeight[i] = CelH(tables[i]);
  }
  s.organHeight = CelH(IMAGE_ORGAN_1);
  if (mJugglingButton) {
    s.ballsWidth = mJugglingButton->GetWidth();
    s.ballsHeight = mJugglingButton->GetHeight();
  } else {
    s.ballsWidth = CelW(IMAGE_TWO_BALLS);
    s.ballsHeight = CelH(IMAGE_TWO_BALLS);
  }
  return s;
}

bool Board::LoadEnvironment(const char* fileName) {
  std::vector<uint8_t> bytes;
  EnvironmentLayout layout;
  std::string error;
  const std::string name = fileName ? fileName : "";
  bool read = ReadPakFile(name, bytes);
  if (!read) error = "cannot be opened";
  const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (read && !(ParseEnvironment(text, layout, error) && CheckLinkedPositions(layout, GetEnvironmentSizes(), error)))
    read = false;
  if (!read) {
    // Nothing on the board changes; the day is left once it has started.
    RefuseFloor(name, error);
    return false;
  }
  BuildFloor(layout);
  return true;
}

void Board::RefuseFloor(const std::string& file, const std::string& why) {
  // The player is told which file and what is wrong with it, below the
  // game's own words.
  const std::string detail = (file.empty() ? std::string("(no floor named)") : Fs::NativePath(file)) + ": " + why;
  TellPlayer(detail);
  mApp.ShowFatalError(std::string(kCouldNotLoadEnvironment) + "\n\n" + detail);
  mFloorMissing = true;
}

void Board::BuildFloor(const EnvironmentLayout& layout) {
  mArea = layout.area;
  if (mArea == 1)
    mPatienceFactor = 1.1f;
  else if (mArea == 2)
    mPatienceFactor = mDay < 10 ? 1.05f : 1.0f;
  else if (mArea == 3)
    mPatienceFactor = 1.05f;
  else if (mArea == 4)
    mPatienceFactor = 1.1f;
  else if (mArea == 5)
    mPatienceFactor = 1.28f;
  else if (mArea == 6)
    mPatienceFactor = 1.25f;
  else
    mPatienceFactor = 1.0f;
  LoadAreaResources();
  mShadowColor = Color(0, 0, 0, 64);

  auto* back = new DDImage(mApp.mAppDisplay);
  back->Create(800, 566);
  back->mForcedMode = true;
  back->mHasTrans = false;
  back->mHasAlpha = false;
  if (!mApp.IsHardwareDrawing()) back->CreateSurface();
  mBackImage.reset(back);
  Graphics g(back);
  if (mAreaBackground) g.DrawImage(mAreaBackground, 0, 0);
  auto shadow = [&](Image* image, int x, int y) {
    if (!image) return;
    g.SetImageTinting(true);
    g.SetColor(mShadowColor);
    g.DrawImage(image, x, y);
    g.SetImageTinting(false);
  };
  auto paint = [&](Image* image, int x, int y) {
    if (image) g.DrawImage(image, x, y);
  };

  const EnvironmentSizes sizes = GetEnvironmentSizes();
  const int count = static_cast<int>(layout.records.size());
  for (int i = 0; i < count; ++i) {
    const EnvironmentRecord& r = layout.records[i];
    if (!RecordMakesNode(r)) continue;
    const EnvironmentNode place = PlaceEnvironmentNode(layout, i, sizes);
    auto* node = new BarMovementNode();
    node->SetKind(place.kind);
    node->SetPosition(place.x, place.y);
    mWalkNodes[i] = node;
    switch (r.kind) {
      case kEnvTable: {
        auto* table = new Table(this, r.p4);
        table->SetPosition(r.x, r.y);
        mTables.PushBack(table);
        node->SetObject(table);
        if (r.p4 == 1 && (r.p5 == 1 || r.p5 == 3)) {
          table->SetMirrored();
          shadow(IMAGE_TABLE_1_SHADOW_RIGHT, r.x - 7, r.y + 16);
        } else if (r.p4 == 1) {
          shadow(IMAGE_TABLE_1_SHADOW, r.x - 38, r.y + 16);
        } else if (r.p4 == 2) {
          shadow(IMAGE_TABLE_2_SHADOW, r.x - 43, r.y - 12);
        } else {
          shadow(IMAGE_TABLE_4_SHADOW, r.x - 40, r.y - 8);
        }
        AddToDrawList(table);
        break;
      }
      case kEnvTrashStation:
        mTrashStationX = r.x + 28;
        mTrashStationY = r.y + 24;
        if (mTrashStationButton) {
          mTrashStationButton->SetPosition(r.x, r.y);
          AddToDrawList(mTrashStationButton.get());
        }
        shadow(IMAGE_TRASH_STATION_SHADOW, r.x - 6, r.y + 26);
        break;
      case kEnvNapkins:
        shadow(IMAGE_BIG_SHADOW, r.x - 6, r.y + 22);
        paint(IMAGE_SPECIAL_TABLE, r.x, r.y - 34);
        if (mNapkinsButton) {
          mNapkinsButton->SetPosition(static_cast<int>(place.x) - CelW(IMAGE_NAPKINS) / 2,
                                      static_cast<int>(place.y) - FullH(IMAGE_NAPKINS) - 90);
          AddToDrawList(mNapkinsButton.get());
        }
        break;
      case kEnvLemonade: {
        Image* bottles[3] = {IMAGE_BOTTLE_0, IMAGE_BOTTLE_1, IMAGE_BOTTLE_2};
        for (int k = 0; k < 3; ++k) {
          if (!mLemonadeButtons[k]) continue;
          mLemonadeButtons[k]->SetPosition(r.x - CelW(bottles[k]) / 2, r.y - CelH(bottles[k]) - (k == 2 ? 68 : 64));
          AddToDrawList(mLemonadeButtons[k].get());
        }
        break;
      }
      case kEnvCookies:
        if (mCookiesButton) {
          mCookiesButton->SetPosition(r.x - CelW(IMAGE_COOKIES) / 2, r.y - CelH(IMAGE_COOKIES) - 68);
          AddToDrawList(mCookiesButton.get());
        }
        break;
      case kEnvOrgan:
        if (mOrganButton) {
          mOrganButton->SetPosition(r.x, r.y);
          AddToDrawList(mOrganButton.get());
        }
        break;
      case kEnvJugglingBalls:
        if (mJugglingButton) {
          mJugglingButton->SetPosition(r.x, r.y);
          AddToDrawList(mJugglingButton.get());
        }
        break;
      case kEnvMonkeyPlace:
        if (mMode == 0 && mMonkey) mMonkey->StandAtNode(node);
        break;
      case kEnvUnclePlace:
        if (mUncle) {
          mUncle->SetPosition(r.x, r.y);
          AddToDrawList(mUncle.get());
        }
        break;
      case kEnvDecoration:
        PlaceDecoration(layout.area, r, node, g);
        break;
      default:
        break;
    }
  }

  for (int i = 0; i < count; ++i)
    for (int j : layout.records[i].links) mWalkNodes[i]->AddLink(mWalkNodes[j]);

  if (mMode == 0) DressTables();
  ObjectListIterator it;
  for (it.Begin(mTables); !it.AtEnd(); it.Next()) static_cast<Table*>(it.Get())->RecomputeAppeal();
}

void Board::PlaceDecoration(int area, const EnvironmentRecord& r, BarMovementNode* node, Graphics& g) {
  const int slot = r.p4;
  Image* picture = slot >= 0 && slot < kAreaImageCount ? mAreaImages[slot] : nullptr;
  if (IsAnimatedDecoration(area, slot)) {
    const int dayLength = mArrivalSchedule ? mArrivalSchedule->GetDayLength() : 0;
    if (ZObject* decoration = CreateAnimatedDecoration(this, area, slot, r.x, r.y, dayLength)) {
      mDecorations.PushBack(decoration);
      AddToDrawList(decoration);
    }
    const bool painted = (area == 1 && slot == 7) || (area == 5 && slot == 16) || (area == 6 && slot == 9);
    if (painted && picture) g.DrawImage(picture, r.x, r.y - 34);
    return;
  }
  // A slot without a picture makes a bare node.
  if (!picture) return;
  node->SetObject(picture);
  switch (mAreaImageModes[slot]) {
    case 0:
      g.DrawImage(picture, r.x, r.y - 34);
      break;
    case 1:
      AddToDrawList(node);
      break;
    case 2:
      if (mOverlayCount < kOverlayCount) mOverlayDecorations[mOverlayCount++] = node;
      break;
    default:
      break;
  }
}

void Board::DressTables() {
  PlayerProfile& profile = Profile();
  const int d = mDay + 1;
  int s1 = d >= 8 ? profile.GetSunshade(0) : 0;
  int s2 = d >= 31 ? profile.GetSunshade(1) : 0;
  int c1 = d >= 5 ? profile.GetTableCloth(0) : 0;
  int c2 = d >= 25 ? profile.GetTableCloth(1) : 0;
  int f1 = d >= 4 ? profile.GetFlower(0) : 0;
  int f2 = d >= 13 ? profile.GetFlower(1) : 0;
  int f3 = d >= 32 ? profile.GetFlower(2) : 0;

  ObjectListIterator it;
  for (it.Begin(mTables); !it.AtEnd(); it.Next()) {
    Table* t = static_cast<Table*>(it.Get());
    if (s2 > 0) {
      t->SetSunshadeLevel(2);
      --s2;
    } else if (s1 > 0) {
      t->SetSunshadeLevel(1);
      --s1;
    }
  }
  if (mTables.IsEmpty()) return;
  for (int seats : {4, 2, 1}) {
    for (it.Begin(mTables); !it.AtEnd(); it.Next()) {
      Table* t = static_cast<Table*>(it.Get());
      if (t->GetKind() != seats) continue;
      // A table that has a cloth is left alone, and the cheaper one is not tried.
      if (c2 > 0) {
        if (t->GetClothLevel() == 0) {
          t->SetClothLevel(2);
          --c2;
        }
      } else if (c1 > 0 && t->GetClothLevel() == 0) {
        t->SetClothLevel(1);
        --c1;
      }
      if (f3 > 0) {
        if (t->GetFlowerLevel() == 0) {
          t->SetFlowerLevel(3);
          --f3;
        }
      } else if (f2 > 0) {
        if (t->GetFlowerLevel() == 0) {
          t->SetFlowerLevel(2);
          --f2;
        }
      } else if (f1 > 0 && t->GetFlowerLevel() == 0) {
        t->SetFlowerLevel(1);
        --f1;
      }
    }
  }

  bool allFlower = true, allFlower2Cloth = true, allBest = true;
  for (it.Begin(mTables); !it.AtEnd(); it.Next()) {
    const Table* t = static_cast<Table*>(it.Get());
    if (t->GetFlowerLevel() == 0) allFlower = false;
    if (t->GetFlowerLevel() < 2 || t->GetClothLevel() == 0) allFlower2Cloth = false;
    if (t->GetFlowerLevel() != 3 || t->GetClothLevel() != 2) allBest = false;
  }
  int grade = 0;
  if (allFlower) grade = 1;
  if (allFlower2Cloth) grade = 2;
  if (allBest) grade = 3;
  if (mReplay || profile.GetTrophyGrade(2) >= grade) grade = 0;
  mPendingTrophy2Grade = grade;
}

void Board::LoadAreaResources() {
  ResourceManager& resources = *mApp.mAppResources;
  for (int k = 1; k <= 6; ++k) {
    const std::string group = "Area" + std::to_string(k);
    if (k != mArea && resources.IsGroupReady(group)) resources.FreeGroup(group);
  }
  if (mArea < 1 || mArea > 6) return;
  const std::string group = "Area" + std::to_string(mArea);
  if (!resources.IsGroupReady(group)) {
    resources.LoadResources(group);
    BindArea(mArea, resources);
  }
  mAreaBackground = AreaBackground(mArea);
  const std::vector<AreaSlot> slots = AreaSlots(mArea);
  for (int i = 0; i < static_cast<int>(slots.size()) && i < kAreaImageCount; ++i) {
    mAreaImages[i] = slots[i].image ? *slots[i].image : nullptr;
    mAreaImageModes[i] = slots[i].mode;
  }
}

}  // namespace Plix
