// The player dialogs played through the main menu: players created, selected
// and deleted, the selection and the greeting following the current player
// through a deletion, "Create" only while a slot is free, presses during the
// list's slide-out ignored, and the name field's limits; the profile file is
// read back at the end.
#include "game/screens/PlayerDialogs.h"

#include <gtest/gtest.h>

#include "framework/graphics/Font.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/widget/Checkbox.h"
#include "framework/util/Utilities.h"
#include "framework/widget/EditWidget.h"
#include "game/app/GameResources.h"
#include "tests/screens/MenuTestSupport.h"

namespace Plix {
namespace {

using Testing::MainMenuTest;
using Testing::ScreenGame;

class PlayerDialogsTest : public MainMenuTest {
protected:
  MMPlayerDialog* OpenList() {
    ClickSign(MainMenu::kChangePlayer);
    auto* list = OpenDialog<MMPlayerDialog>(MMPlayerDialog::kDialogId);
    EXPECT_NE(list, nullptr);
    if (list) {
      EXPECT_TRUE(AtRest(list));
    }
    return list;
  }
  // "Create", the name typed, Enter; back at the list.
  void CreateThroughList(MMPlayerDialog* list, const std::wstring& name) {
    ClickButton(list->GetButton(MMPlayerDialog::kCreate));
    auto* dialog = OpenDialog<MMNewPlayerDialog>(MMNewPlayerDialog::kDialogId);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(AtRest(dialog));
    Type(name);
    Key(13);
    ASSERT_TRUE(TickUntil([&] { return Game().GetDialog(MMNewPlayerDialog::kDialogId) == nullptr; }, 200));
  }
  void DeleteThroughList(MMPlayerDialog* list, wchar_t answer) {
    ClickButton(list->GetButton(MMPlayerDialog::kDelete));
    auto* question = OpenDialog<DeletePlayerDialog>(DeletePlayerDialog::kDialogId);
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(AtRest(question));
    Key(answer);
    ASSERT_TRUE(TickUntil([&] { return Game().GetDialog(DeletePlayerDialog::kDialogId) == nullptr; }, 200));
  }
  void ClickRow(MMPlayerDialog* list, int row) {
    Checkbox* box = list->GetRow(row);
    Click(box->mX + 5, box->mY + box->mHeight / 2);
  }
  bool Closed() {
    return TickUntil([&] { return Game().GetDialog(MMPlayerDialog::kDialogId) == nullptr; }, 200);
  }
  std::vector<bool> Checks(MMPlayerDialog* list) {
    std::vector<bool> checks;
    for (int i = 0; i < MMPlayerDialog::kRows; ++i) checks.push_back(list->GetRow(i)->mChecked);
    return checks;
  }
};

// A dialog button's label, at its fixed offset, stands in the middle of its
// plate as the game's own art and font draw them: the capitals' box and the
// plate's box share their centre within a pixel.
TEST_F(PlayerDialogsTest, DialogButtonLabelsAreCentredOnTheirPlates) {
  Boot();
  const struct {
    Image* image;
    Image* cells;
    const wchar_t* label;
  } cases[] = {{IMAGE_DIALOG_BUTTON_1, IMAGE_DIALOG_BUTTON_1, L"OK"},
               {IMAGE_DIALOG_BUTTON_2, IMAGE_DIALOG_BUTTON_1, L"HOME"},
               {IMAGE_DIALOG_BUTTON_LARGE_1, IMAGE_DIALOG_BUTTON_LARGE_1, L"RESUME"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(WStringToString(c.label));
    ASSERT_NE(c.image, nullptr);
    ButtonWidget button(1, nullptr);
    LookAsDialogButton(&button, c.image, c.label, c.cells);
    const int w = button.mWidth, h = button.mHeight;
    MemoryImage picture;
    picture.Create(w, h);
    std::fill_n(picture.GetBits(), w * h, 0u);
    picture.OnBitsChanged();
    {
      Graphics g(&picture);
      button.Draw(&g);
    }
    // The plate is opaque; the label is the dialog text colour.
    int plate[4] = {w, h, -1, -1}, ink[4] = {w, h, -1, -1};
    auto grow = [](int* box, int x, int y) {
      box[0] = std::min(box[0], x), box[1] = std::min(box[1], y);
      box[2] = std::max(box[2], x), box[3] = std::max(box[3], y);
    };
    const Color text = DialogTextColor();
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint32_t p = picture.GetBits()[y * w + x];
        if ((p >> 24) >= 0xF0) grow(plate, x, y);
        const int r = (p >> 16) & 255, gr = (p >> 8) & 255, b = p & 255;
        if (std::abs(r - text.mRed) < 24 && std::abs(gr - text.mGreen) < 24 && std::abs(b - text.mBlue) < 24)
          grow(ink, x, y);
      }
    }
    ASSERT_GE(ink[2], 0) << "no label drawn";
    // Capitals only: no descender pulls the label's box down.
    EXPECT_NEAR((ink[0] + ink[2]) / 2.0, (plate[0] + plate[2]) / 2.0, 1.0) << "across";
    EXPECT_NEAR((ink[1] + ink[3]) / 2.0, (plate[1] + plate[3]) / 2.0, 1.0) << "down";
  }
}

TEST_F(PlayerDialogsTest, PlayersAreCreatedSelectedAndDeletedAndTheFileKeepsThem) {
  Boot();
  ScreenGame& g = Game();
  MMPlayerDialog* list = OpenList();
  EXPECT_EQ(list->GetSelectedRow(), -1);  // nobody yet
  CreateThroughList(list, L"Pemi");
  EXPECT_EQ(list->GetSelectedRow(), 0);
  CreateThroughList(list, L"Rudav");
  CreateThroughList(list, L"Vurez");
  EXPECT_EQ(list->GetSelectedRow(), 2);
  EXPECT_TRUE(list->IsVeilShown());
  ClickRow(list, 1);
  ClickRow(list, 6);  // empty: the selection stays
  EXPECT_EQ(list->GetSelectedRow(), 1);
  EXPECT_EQ(Checks(list), (std::vector<bool>{false, true, false, false, false, false, false, false}));
  ClickButton(list->GetButton(MMPlayerDialog::kSelect));
  ASSERT_TRUE(Closed());
  EXPECT_EQ(g.GetCurrentProfileIndex(), 1);
  EXPECT_EQ(Menu()->GetWelcomeText(), L"Welcome Rudav!");
  EXPECT_EQ(Menu()->GetPauseCount(), 0);

  // Escape in the question keeps the player; Enter deletes.
  list = OpenList();
  EXPECT_EQ(list->GetSelectedRow(), 1);
  ClickRow(list, 2);
  DeleteThroughList(list, 27);
  EXPECT_EQ(g.GetProfile(2)->GetName(), L"Vurez");
  DeleteThroughList(list, 13);
  EXPECT_EQ(g.GetProfile(2)->GetName(), L"");
  Key(27);
  ASSERT_TRUE(Closed());

  g.Shutdown();
  auto stored = ReadBackProfiles();
  EXPECT_EQ(stored->GetProfile(0)->GetName(), L"Pemi");
  EXPECT_EQ(stored->GetProfile(1)->GetName(), L"Rudav");
  EXPECT_EQ(stored->GetProfile(2)->GetName(), L"");
  EXPECT_EQ(stored->GetCurrentProfileIndex(), 1);
}

// Deleting a player listed before the current one moves the current one up
// a place: the selection, the greeting and Select follow that player, not
// the place.
TEST_F(PlayerDialogsTest, TheSelectionFollowsTheCurrentPlayerThroughADeletion) {
  Boot();
  ScreenGame& g = Game();
  for (const wchar_t* name : {L"Ana", L"Bob", L"Cid"}) g.CreateProfile(name);
  g.SetCurrentProfile(2);
  MMPlayerDialog* list = OpenList();
  EXPECT_EQ(list->GetSelectedRow(), 2);
  ClickRow(list, 0);
  DeleteThroughList(list, 13);
  EXPECT_EQ(g.GetCurrentProfile()->GetName(), L"Cid");
  EXPECT_EQ(list->GetSelectedRow(), 1);
  EXPECT_EQ(Checks(list), (std::vector<bool>{false, true, false, false, false, false, false, false}));
  EXPECT_EQ(Menu()->GetWelcomeText(), L"Welcome Cid!");
  Key(13);  // Select
  ASSERT_TRUE(Closed());
  EXPECT_EQ(g.GetCurrentProfile()->GetName(), L"Cid");

  // The current player deleted: the first becomes current, and selected.
  list = OpenList();
  DeleteThroughList(list, 13);
  EXPECT_EQ(g.GetCurrentProfileIndex(), 0);
  EXPECT_EQ(list->GetSelectedRow(), 0);
  EXPECT_EQ(Menu()->GetWelcomeText(), L"Welcome Bob!");
  // The last one deleted: no row, and Cancel keeps the empty slot.
  DeleteThroughList(list, 13);
  EXPECT_EQ(list->GetSelectedRow(), -1);
  Key(27);
  ASSERT_TRUE(Closed());
  EXPECT_EQ(Menu()->GetWelcomeText(), L"Welcome!");
}

TEST_F(PlayerDialogsTest, CreateIsDisabledWhileEverySlotIsNamed) {
  Boot();
  ScreenGame& g = Game();
  for (int i = 0; i < 8; ++i) g.CreateProfile(L"P" + std::to_wstring(i));
  g.SetCurrentProfile(7);
  MMPlayerDialog* list = OpenList();
  EXPECT_TRUE(list->GetButton(MMPlayerDialog::kCreate)->mDisabled);
  ClickButton(list->GetButton(MMPlayerDialog::kCreate));
  Tick();
  EXPECT_EQ(g.GetDialog(MMNewPlayerDialog::kDialogId), nullptr);
  DeleteThroughList(list, 13);
  EXPECT_FALSE(list->GetButton(MMPlayerDialog::kCreate)->mDisabled);
  CreateThroughList(list, L"Neu");
  EXPECT_EQ(g.GetProfile(7)->GetName(), L"Neu");
  EXPECT_EQ(list->GetSelectedRow(), 7);
}

// The list sliding out is about to close: "Create" and "Delete" pressed then
// would open a dialog that reports to a list already gone.
TEST_F(PlayerDialogsTest, CreateAndDeletePressedWhileTheListSlidesOutAreIgnored) {
  Boot();
  ScreenGame& g = Game();
  g.SetCurrentProfile(g.CreateProfile(L"Pemi"));
  for (int id : {MMPlayerDialog::kCreate, MMPlayerDialog::kDelete}) {
    SCOPED_TRACE(id);
    MMPlayerDialog* list = OpenList();
    Key(27);
    Tick();
    ClickButton(list->GetButton(id));
    EXPECT_EQ(g.GetDialog(MMNewPlayerDialog::kDialogId), nullptr);
    EXPECT_EQ(g.GetDialog(DeletePlayerDialog::kDialogId), nullptr);
    ASSERT_TRUE(Closed());
    Tick(3);
    EXPECT_EQ(Menu()->GetPauseCount(), 0);
    EXPECT_EQ(g.GetProfile(0)->GetName(), L"Pemi");
  }
}

TEST_F(PlayerDialogsTest, NamesKeepOnlyWhatTheFontsDrawAndTheFileKeepsWithinTheLimits) {
  Boot();
  ScreenGame& g = Game();
  struct Case {
    const char* what;
    std::wstring typed;
    std::wstring kept;
  } cases[] = {
      {"Latin-1 letters", L"Zo\u00e9 \u00c5sa", L"Zo\u00e9 \u00c5sa"},
      {"beyond Latin-1", L"\u0141ucja \u20ac", L"ucja "},
      {"control and undrawn codes", L"A\u0085\u0007B", L"AB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ClickSign(MainMenu::kStoryMode);  // no name yet: the name dialog
    auto* dialog = OpenDialog<MMNewPlayerDialog>(MMNewPlayerDialog::kDialogId);
    ASSERT_NE(dialog, nullptr);
    ASSERT_TRUE(AtRest(dialog));
    Type(c.typed);
    EXPECT_EQ(dialog->GetNameField()->mString, c.kept);
    Key(27);
    ASSERT_TRUE(TickUntil([&] { return g.GetDialog(MMNewPlayerDialog::kDialogId) == nullptr; }, 200));
  }
  // A name longer than the field: it takes what was typed up to the first
  // character that does not fit and nothing after it, and shows all it took.
  {
    ClickSign(MainMenu::kStoryMode);
    auto* dialog = OpenDialog<MMNewPlayerDialog>(MMNewPlayerDialog::kDialogId);
    ASSERT_TRUE(AtRest(dialog));
    const std::wstring typed = L"Maximilian-Alexander Oldenburg";
    Type(typed);
    EditWidget* field = dialog->GetNameField();
    const std::wstring kept = field->mString;
    ASSERT_LT(kept.size(), typed.size());
    EXPECT_EQ(typed.substr(0, kept.size()), kept);
    EXPECT_GT(FONT_RAVIE_14->StringWidth(typed.substr(0, kept.size() + 1)), MMNewPlayerDialog::kMaxPixels);
    EXPECT_EQ(field->mLeftPos, 0) << "the field scrolled: part of the name is out of sight";
    EXPECT_GE(field->mWidth, MMNewPlayerDialog::kMaxPixels) << "the field is narrower than the name it takes";
    Key(27);
    ASSERT_TRUE(TickUntil([&] { return g.GetDialog(MMNewPlayerDialog::kDialogId) == nullptr; }, 200));
  }
  // No wider than 222 pixels in the list's font (in this font that comes
  // well before 63 characters).
  ClickSign(MainMenu::kStoryMode);
  auto* dialog = OpenDialog<MMNewPlayerDialog>(MMNewPlayerDialog::kDialogId);
  ASSERT_TRUE(AtRest(dialog));
  Type(std::wstring(40, L'W'));
  const std::wstring wide = dialog->GetNameField()->mString;
  EXPECT_LT(wide.size(), 40u);
  EXPECT_LE(FONT_RAVIE_14->StringWidth(wide), MMNewPlayerDialog::kMaxPixels);
  EXPECT_GT(FONT_RAVIE_14->StringWidth(wide + L"W"), MMNewPlayerDialog::kMaxPixels);
  Key(13);  // the story starts for the new player
  ASSERT_TRUE(TickUntil([&] { return g.mMap != nullptr; }, 400));
  g.Shutdown();
  auto stored = ReadBackProfiles();
  EXPECT_EQ(stored->GetCurrentProfile()->GetName(), wide);
}

}  // namespace
}  // namespace Plix
