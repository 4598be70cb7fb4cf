#pragma once
// The eight player slots, the current player, the four best-seller tables,
// the per-level top scores and the option byte, with the profile file that
// stores them all ("profdatavx.bin" in the application-data folder).
// GameApp owns one ProfileManager and answers its profile and best-seller
// operations from it.
#include <cstdint>
#include <memory>
#include <string>

#include "game/app/PlayerProfile.h"

namespace Plix {

class Buffer;
class LevelTable;

// What a change of the current player sets going elsewhere in the game (the
// play field's day set-up and the store's new-item marks), and the file
// operations the profile file goes through. GameApp implements it with the
// application's file operations, so that a demo records the file's checks
// and writes and a playback touches no file; without a host, and by
// default, the file is read and written on disk directly.
class ProfileHost {
public:
  virtual ~ProfileHost() = default;
  virtual void PrepareDayFromProfile(PlayerProfile& profile) = 0;
  virtual void UpdateNewItemFlags(PlayerProfile& profile) = 0;
  virtual bool ProfileFileExists(const std::string& path);
  virtual bool ReadProfileFile(const std::string& path, Buffer& buffer);
  // The temporary files of saves that a kill interrupted.
  virtual void RemoveStaleTemporaryFiles(const std::string& path);
  // The whole file, through a temporary file and a rename; false when the
  // write failed and the old file stands, with why in `error` when given.
  virtual bool WriteProfileFile(const std::string& path, const Buffer& buffer, std::string* error = nullptr);
  // The file's size in bytes, -1 when it cannot be told.
  virtual int64_t ProfileFileSize(const std::string& path);
  // Moves a file aside whole, without reading it.
  virtual bool MoveProfileFile(const std::string& from, const std::string& to);
};

struct BestSellerEntry {
  std::wstring name = L"Varnok";
  int score = 0;
  int stars = 0;  // Story Mode
  int time = 0;   // Happy Hour, seconds
};

class ProfileManager {
public:
  static constexpr int kProfileCount = 8;
  static constexpr int kTableCount = 4;  // Story Mode, Happy Hour Easy, Normal, Hard
  static constexpr int kTablePlaces = 10;
  static constexpr int kLevelCount = 50;
  // Larger than any players' file the game writes: eight players with the
  // longest names and the tables come to about 10 KiB.
  static constexpr int64_t kMaxFileBytes = 256 * 1024;
  static constexpr const char* kFileName = "profdatavx.bin";

  explicit ProfileManager(ProfileHost* host = nullptr);
  ~ProfileManager();
  ProfileManager(const ProfileManager&) = delete;
  ProfileManager& operator=(const ProfileManager&) = delete;

  // The folder of the profile file; until set, the application-data folder.
  void SetFolder(const std::string& folder) { mFolder = folder; }
  std::string GetProfilePath() const;

  // Start-up: eight free slots, fresh default tables, top scores derived
  // from the level table, then whatever the file holds. A file that cannot
  // be read completely and consistently (a length past the end or the
  // limit, a count out of range, cut short, bytes after its end) is copied
  // aside as profdatavx.bin.broken; only the players read whole before the
  // fault are taken, and the tables only when all are whole. When it cannot
  // be read or copied aside, it is never saved over. GetError() and
  // GetNotice() say so. Always true: a damaged file is no reason to stop.
  bool LoadProfiles(const LevelTable& levels);
  // Writes the whole file (temporary file, fsync, rename). False, with the
  // old file untouched and GetError() saying why, when it fails, and when
  // the file there could not be read at start-up.
  bool SaveProfiles();
  // The bytes SaveProfiles writes: what a played-back demo, which writes
  // no file, is checked by.
  void WriteFile(Buffer& buffer) const;
  // What the players in memory hold that the bytes of a players' file do
  // not: the first difference, named ("player 2 Pemi: mCash", "best seller
  // 1.3", ...); empty when the file holds all of it. For the checks that the
  // game saves whatever it changes.
  std::string DescribeDifference(const Buffer& file) const;
  const std::string& GetError() const { return mError; }
  // One line for the player about a damaged or unreadable file; empty
  // when the file was read whole or was not there.
  const std::string& GetNotice() const { return mNotice; }

  PlayerProfile* GetCurrentProfile() { return mProfiles[mCurrent].get(); }
  PlayerProfile* GetProfile(int i) { return InRange(i) ? mProfiles[i].get() : nullptr; }
  int GetCurrentProfileIndex() const { return mCurrent; }
  // Ignored outside 0 to 7; the new current player is handed to the host.
  void SetCurrentProfile(int i);
  bool IsHappyHourUnlocked() const;
  // The first free slot gets a new player of that name; -1 when all eight
  // are taken. The current player stays.
  int CreateProfile(const std::wstring& name);
  // The later players move down a slot and slot 7 becomes free. The current
  // index follows its player; when that player is the one deleted, slot 0
  // becomes current.
  void DeleteProfile(int i);

  void ResetBestSellers();
  void ResetBestSellerTable(int table);
  // The four tables and the 50 top scores, as stored in the file.
  void ReadBestSellers(Buffer& buffer);
  void WriteBestSellers(Buffer& buffer) const;
  BestSellerEntry* GetBestSellerEntry(int table, int place);
  // Enter the current player; the place 0 to 9, or -1 when the score does
  // not rank. Equal scores: the newest is listed first.
  int AddStoryBestSeller(int score, int stars);
  int AddHappyHourBestSeller(int difficulty, int score, int time);
  // Place of the next score to beat in a Happy Hour table; -1 at the top.
  int GetHappyHourRank(int difficulty, int score) const;
  int GetHappyHourScore(int difficulty, int rank) const;

  int GetTopScore(int level) const { return LevelInRange(level) ? mTopScores[level] : 0; }
  void SetTopScore(int level, int score) {
    if (LevelInRange(level)) mTopScores[level] = score;
  }

  bool GetOptionByte() const { return mOption; }
  void SetOptionByte(bool value) { mOption = value; }

private:
  static bool InRange(int i) { return i >= 0 && i < kProfileCount; }
  static bool LevelInRange(int i) { return i >= 0 && i < kLevelCount; }
  int AddBestSeller(int table, int score, int stars, int time);
  // Takes what is whole of a stored file; empty, or what is wrong with it.
  std::string ReadStoredFile(Buffer& buffer);
  void KeepAside(const std::string& path, const Buffer& buffer, const std::string& why);
  // The first name beside the file that no kept copy has taken yet.
  std::string AsideName(ProfileHost& files, const std::string& path);

  ProfileHost* mHost;
  std::string mFolder;
  std::string mError;
  std::string mNotice;
  // A stored file that LoadProfiles found but could not read.
  std::string mUnreadFile;
  std::unique_ptr<PlayerProfile> mProfiles[kProfileCount];
  int mCurrent = 0;
  BestSellerEntry mBestSellers[kTableCount][kTablePlaces];
  int mTopScores[kLevelCount] = {};
  bool mOption = true;
};

}  // namespace Plix
