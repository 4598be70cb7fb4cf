#pragma once
// The game's one application object: the framework's application with the
// game's identity and defaults, its start-up (level table, profiles,
// manifest, the groups "First" and "Loading", cursors, splash), the loading
// thread that loads "Permanent" and "MainMenu", the screens and their
// switchers (GameScreens), the level table and the players' profiles.
// Game code reaches it through GetGameApp().
#include <memory>
#include <string>
#include <vector>

#include "framework/app/PlixAppBase.h"
#include "game/app/GameScreens.h"
#include "game/app/LevelTable.h"
#include "game/app/ProfileManager.h"

namespace Plix {

class GameApp : public PlixAppBase, public GameScreens {
public:
  static constexpr const char* kCouldNotLoadLevels = "Could not load levels!";

  GameApp();
  ~GameApp() override;

  // Hooks of the application base.
  void FinishInit() override;
  void LoadOnThread() override;
  void OnLoadingDone() override;
  void OnShutdown() override;
  void GotFocus() override;
  void LostFocus() override;
  void ChangeScreenMode(bool windowed, bool is3D, bool force = false) override;
  void ChangeScreenModeTo(bool windowed) override;
  void ReapplyScreenMode() override;
  void QueueWidgetDelete(Widget* widget) override { PlixAppBase::QueueWidgetDelete(widget); }

  // The four songs share music id 1; loading another unloads the last.
  void LoadSong(int song);
  int GetCurrentSong() const { return mCurrentSong; }
  // The song of the current player's song index (song 1 without a player).
  int ChooseSong();

  // The level table, read once at start-up.
  bool LoadLevels(const std::string& path = LevelTable::kDefaultPath);
  const LevelTable& GetLevels() const { return mLevels; }
  int GetLevelCount() const { return mLevels.GetLevelCount(); }
  LevelRecord* GetLevel(int i) { return mLevels.GetLevel(i); }
  int GetLevelFlavorCount(int i) const { return mLevels.GetLevelFlavorCount(i); }
  int GetLevelTCount(int i) const { return mLevels.GetLevelTCount(i); }
  int GetLevelHCount(int i) const { return mLevels.GetLevelHCount(i); }
  int GetLevelSCount(int i) const { return mLevels.GetLevelSCount(i); }
  int GetLevelGoal(int i) const { return mLevels.GetLevelGoal(i); }
  // Price of a scoop (item 13 to 18) on the day the current board plays: 3
  // for a flavour the day does not offer yet, else 2.
  int GetScoopPrice(int item) const;
  int GetLevelExpert(int i) const { return mLevels.GetLevelExpert(i); }

  // The players, the best-seller tables and the top scores.
  ProfileManager& GetProfiles() { return mProfiles; }
  bool LoadProfiles() { return mProfiles.LoadProfiles(mLevels); }
  bool SaveProfiles();
  // What the players in memory hold that the players' file last written
  // (or read at start-up) does not; empty when it holds everything, or when
  // none was written or read yet. See ProfileManager::DescribeDifference.
  std::string UnsavedProfileChange() const;
  PlayerProfile* GetCurrentProfile() { return mProfiles.GetCurrentProfile(); }
  PlayerProfile* GetProfile(int i) { return mProfiles.GetProfile(i); }
  int GetCurrentProfileIndex() const { return mProfiles.GetCurrentProfileIndex(); }
  void SetCurrentProfile(int i) { mProfiles.SetCurrentProfile(i); }
  bool IsHappyHourUnlocked() const { return mProfiles.IsHappyHourUnlocked(); }
  int CreateProfile(const std::wstring& name) { return mProfiles.CreateProfile(name); }
  void DeleteProfile(int i) { mProfiles.DeleteProfile(i); }
  int AddStoryBestSeller(int score, int stars) { return mProfiles.AddStoryBestSeller(score, stars); }
  int AddHappyHourBestSeller(int difficulty, int score, int time) {
    return mProfiles.AddHappyHourBestSeller(difficulty, score, time);
  }
  BestSellerEntry* GetBestSellerEntry(int table, int place) { return mProfiles.GetBestSellerEntry(table, place); }
  void ResetBestSellers() { mProfiles.ResetBestSellers(); }
  void ResetBestSellerTable(int table) { mProfiles.ResetBestSellerTable(table); }
  int GetHappyHourRank(int difficulty, int score) const { return mProfiles.GetHappyHourRank(difficulty, score); }
  int GetHappyHourScore(int difficulty, int rank) const { return mProfiles.GetHappyHourScore(difficulty, rank); }
  int GetTopScore(int level) const { return mProfiles.GetTopScore(level); }
  void SetTopScore(int level, int score) { mProfiles.SetTopScore(level, score); }
  // The main menu after the player dialogs.
  void ContinueAfterNewPlayer(int index);
  void SelectPlayerInDialog(int index);
  void DeleteSelectedPlayer(bool confirmed);

  // Loads a whole group and binds it; false after reporting the error
  // (the program then shuts down).
  bool LoadAndBindGroup(const std::string& group, bool exitOnError);

private:
  class Sides;
  // Loads a group one resource at a time, counting for the loader's bar;
  // false when shut-down interrupted it.
  bool LoadGroupCounting(const std::string& group);
  // After a counted load: binds the group; false after reporting an error
  // and asking the main loop to quit.
  bool BindLoadedGroup(const std::string& group);

  // What the screens, the shared game pieces and the profiles need of the
  // application.
  std::unique_ptr<Sides> mSides;
  LevelTable mLevels;
  ProfileManager mProfiles;
  // The bytes of the players' file as last written or read.
  std::vector<uint8_t> mProfileFileBytes;
  bool mProfilesLoaded = false;
  bool mSaveFailureTold = false;
  int mCurrentSong = 0;
};

// The application object, null while there is none.
GameApp* GetGameApp();

}  // namespace Plix
