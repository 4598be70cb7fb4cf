#include "game/app/ProfileManager.h"

#include <algorithm>
#include <vector>

#include "framework/app/Buffer.h"
#include "framework/platform/CRand.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/util/Utilities.h"
#include "game/app/FieldReader.h"
#include "game/app/LevelTable.h"

namespace Plix {

bool ProfileHost::ProfileFileExists(const std::string& path) { return Fs::IsFile(path); }

bool ProfileHost::ReadProfileFile(const std::string& path, Buffer& buffer) {
  std::vector<uint8_t> bytes;
  if (!Fs::ReadWholeFile(path, bytes)) return false;
  buffer.Clear();
  buffer.SetData(bytes.data(), static_cast<int>(bytes.size()));
  return true;
}

void ProfileHost::RemoveStaleTemporaryFiles(const std::string& path) { Fs::RemoveStaleTemporaryFiles(path); }

int64_t ProfileHost::ProfileFileSize(const std::string& path) { return Fs::FileSize(path); }

bool ProfileHost::MoveProfileFile(const std::string& from, const std::string& to) { return Fs::RenameFile(from, to); }

bool ProfileHost::WriteProfileFile(const std::string& path, const Buffer& buffer, std::string* error) {
  std::string folder = GetFileDir(path);
  if (!folder.empty()) MkDir(folder);
  return Fs::WriteFileAtomic(path, buffer.GetDataPtr(), static_cast<size_t>(buffer.GetDataLen()), error);
}

namespace {
// The file operations without a host: straight to disk.
class DiskFiles : public ProfileHost {
public:
  void PrepareDayFromProfile(PlayerProfile&) override {}
  void UpdateNewItemFlags(PlayerProfile&) override {}
} gDiskFiles;
}  // namespace

ProfileManager::ProfileManager(ProfileHost* host) : mHost(host) {
  for (auto& p : mProfiles) p = std::make_unique<PlayerProfile>();
}

ProfileManager::~ProfileManager() = default;

std::string ProfileManager::GetProfilePath() const {
  std::string folder = mFolder.empty() ? GetAppDataFolder() : AddTrailingSlash(mFolder);
  return folder + kFileName;
}

bool ProfileManager::LoadProfiles(const LevelTable& levels) {
  mError.clear();
  mCurrent = 0;
  ResetBestSellers();
  for (auto& p : mProfiles) p = std::make_unique<PlayerProfile>();

  // 80 to 119 percent of the mean of goal and expert.
  for (int& s : mTopScores) s = 0;
  for (int i = 0; i < levels.GetLevelCount() && i < kLevelCount; ++i) {
    int r = Rand() % 40;
    double sum = double(levels.GetLevelGoal(i)) + levels.GetLevelExpert(i);
    mTopScores[i] = static_cast<int>((r + 80) * double(0.01f) * sum * 0.5);
  }

  std::string path = GetProfilePath();
  mUnreadFile.clear();
  mNotice.clear();
  ProfileHost& files = mHost ? *mHost : gDiskFiles;
  files.RemoveStaleTemporaryFiles(path);
  if (files.ProfileFileExists(path)) {
    Buffer buffer;
    if (const int64_t size = files.ProfileFileSize(path); size > kMaxFileBytes) {
      // Never read: no game wrote it. It is moved aside whole, at no cost.
      const std::string aside = AsideName(files, path);
      const std::string why = "it is " + std::to_string(size) + " bytes, larger than any the game writes";
      if (files.MoveProfileFile(path, aside)) {
        mError = path + " is damaged (" + why + "); it was moved to " + aside;
        mNotice = "The players' file is damaged (" + why + "); it is kept as " + Fs::NativePath(aside) + ".";
      } else {
        mUnreadFile = path;
        mError = path + " is damaged (" + why + ") and could not be moved aside";
        mNotice = "The players' file " + Fs::NativePath(path) + " is damaged (" + why + "); it is left as it is.";
      }
    } else if (!files.ReadProfileFile(path, buffer)) {
      mError = "cannot read " + path + "; starting with empty player slots";
      mUnreadFile = path;
      mNotice = "The players' file " + Fs::NativePath(path) + " could not be read; it is left as it is.";
    } else if (const std::string why = ReadStoredFile(buffer); !why.empty()) {
      // The current player may be one that was not taken.
      if (mProfiles[mCurrent]->GetName().empty()) mCurrent = 0;
      KeepAside(path, buffer, why);
    }
    // A file that could not be read, or was damaged: the player must know.
    if (!mError.empty()) TellPlayer(mError);
  }
  SetCurrentProfile(mCurrent);
  return true;
}

std::string ProfileManager::ReadStoredFile(Buffer& buffer) {
  std::string why;
  FieldReader head(buffer);
  int current = 0;
  if (!head.Long(current)) return "it ends early";
  // A fixed-size field out of range moves nothing after it: reading goes on.
  if (InRange(current))
    mCurrent = current;
  else
    why = "the current player is " + std::to_string(current) + ", not 0 to 7";

  // A player is taken only when read whole with a name the game could have
  // written; after a bad length nothing further can be trusted.
  for (int i = 0; i < kProfileCount; ++i) {
    auto profile = std::make_unique<PlayerProfile>();
    const int64_t start = buffer.GetReadBitPos();
    if (!profile->Load(buffer) || profile->GetName().size() > size_t{PlayerProfile::kMaxNameLength}) {
      buffer.SetReadBitPos(start);
      FieldReader name(buffer);
      std::string text;
      name.String(text, PlayerProfile::kMaxNameLength);
      return "player " + std::to_string(i + 1) + (name.IsDamaged() ? "'s name length is past the limit" : " ends early");
    }
    // A number no game could write: the record is damaged, but its length
    // is sure, so the players after it are read on.
    if (const std::string wrong = profile->OutOfRange(); !wrong.empty()) {
      if (why.empty()) why = "player " + std::to_string(i + 1) + "'s " + wrong;
      continue;
    }
    mProfiles[i] = std::move(profile);
  }

  // The tables and top scores as one: taken only when all of them are whole.
  BestSellerEntry tables[kTableCount][kTablePlaces];
  int topScores[kLevelCount];
  FieldReader in(buffer);
  for (auto& table : tables) {
    for (BestSellerEntry& e : table) {
      std::string name;
      if (!in.String(name, PlayerProfile::kMaxNameLength) || !in.Long(e.score) || !in.Long(e.stars) ||
          !in.Long(e.time))
        return in.IsDamaged() ? "a best-seller name length is past the limit" : "the best sellers end early";
      e.name = StringToWString(name);
    }
  }
  for (int& s : topScores)
    if (!in.Long(s)) return "the top scores end early";
  // An entry no game could write keeps the default entry of its place.
  for (int t = 0; t < kTableCount; ++t) {
    for (int p = 0; p < kTablePlaces; ++p) {
      const BestSellerEntry& e = tables[t][p];
      if (e.score >= 0 && e.stars >= 0 && e.stars <= 5 && e.time >= 0) continue;
      if (why.empty())
        why = "best seller " + std::to_string(t + 1) + "." + std::to_string(p + 1) + " has a score of " +
              std::to_string(e.score) + ", " + std::to_string(e.stars) + " stars and a time of " + std::to_string(e.time);
      tables[t][p] = mBestSellers[t][p];
    }
  }
  std::copy(&tables[0][0], &tables[0][0] + kTableCount * kTablePlaces, &mBestSellers[0][0]);
  std::copy(topScores, topScores + kLevelCount, mTopScores);
  if (!in.Boolean(mOption)) return "it ends early";
  if (!buffer.AtEnd()) return "bytes follow its end";
  return why;
}

std::string ProfileManager::AsideName(ProfileHost& files, const std::string& path) {
  std::string aside = path + ".broken";
  for (int n = 2; n < 1000 && files.ProfileFileExists(aside); ++n) aside = path + ".broken." + std::to_string(n);
  return aside;
}

void ProfileManager::KeepAside(const std::string& path, const Buffer& buffer, const std::string& why) {
  // Like the settings file: the damaged file is copied aside whole, and
  // only then may a save replace it with what could be read.
  // Every damaged file is kept: a copy made earlier, which may hold players
  // or best sellers this one lacks, is never replaced.
  ProfileHost& files = mHost ? *mHost : gDiskFiles;
  const std::string aside = AsideName(files, path);
  std::string copyError;
  if (files.WriteProfileFile(aside, buffer, &copyError)) {
    mError = path + " is damaged (" + why + "); it was copied to " + aside;
    mNotice = "The players' file is damaged (" + why + "); it is kept as " + Fs::NativePath(aside) + ".";
    return;
  }
  mUnreadFile = path;
  mError = path + " is damaged (" + why + ") and could not be copied aside: " + copyError;
  mNotice = "The players' file " + Fs::NativePath(path) + " is damaged (" + why + "); it is left as it is.";
}

std::string ProfileManager::DescribeDifference(const Buffer& file) const {
  ProfileManager stored;
  Buffer bytes;
  bytes.SetData(file.GetDataPtr(), file.GetDataLen());
  const std::string why = stored.ReadStoredFile(bytes);
  if (!why.empty()) return "the file cannot be read: " + why;
  if (stored.mCurrent != mCurrent) return "the current player";
  for (int i = 0; i < kProfileCount; ++i) {
    const std::string field = mProfiles[i]->FirstDifference(*stored.mProfiles[i]);
    if (!field.empty()) return "player " + std::to_string(i + 1) + " " + WStringToString(mProfiles[i]->GetName()) + ": " + field;
  }
  for (int t = 0; t < kTableCount; ++t) {
    for (int p = 0; p < kTablePlaces; ++p) {
      const BestSellerEntry& a = mBestSellers[t][p];
      const BestSellerEntry& b = stored.mBestSellers[t][p];
      if (a.name != b.name || a.score != b.score || a.stars != b.stars || a.time != b.time)
        return "best seller " + std::to_string(t + 1) + "." + std::to_string(p + 1);
    }
  }
  for (int l = 0; l < kLevelCount; ++l)
    if (mTopScores[l] != stored.mTopScores[l]) return "the top score of day " + std::to_string(l + 1);
  if (mOption != stored.mOption) return "the option byte";
  return {};
}

void ProfileManager::WriteFile(Buffer& buffer) const {
  buffer.WriteLong(static_cast<uint32_t>(mCurrent));
  for (const auto& p : mProfiles) p->Save(buffer);
  WriteBestSellers(buffer);
  buffer.WriteBoolean(mOption);
}

bool ProfileManager::SaveProfiles() {
  Buffer buffer;
  WriteFile(buffer);

  std::string path = GetProfilePath();
  // The players stored there were never read: empty slots must not
  // replace them.
  if (path == mUnreadFile) {
    mError = path + " could not be read at start-up; it is left as it is";
    OutputDebugStringA("cannot save the players: " + mError + "\n");
    return false;
  }
  ProfileHost& files = mHost ? *mHost : gDiskFiles;
  mError.clear();
  std::string why;
  if (files.WriteProfileFile(path, buffer, &why)) return true;
  mError = why.empty() ? "cannot write " + path : why;
  OutputDebugStringA("cannot save the players: " + mError + "\n");
  return false;
}

void ProfileManager::SetCurrentProfile(int i) {
  if (!InRange(i)) return;
  mCurrent = i;
  if (!mHost) return;
  mHost->PrepareDayFromProfile(*mProfiles[i]);
  mHost->UpdateNewItemFlags(*mProfiles[i]);
}

bool ProfileManager::IsHappyHourUnlocked() const {
  for (const auto& p : mProfiles)
    if (p->GetFlag(PlayerProfile::kFlagHappyHourUnlocked)) return true;
  return false;
}

int ProfileManager::CreateProfile(const std::wstring& name) {
  for (int i = 0; i < kProfileCount; ++i) {
    if (mProfiles[i]->GetName().empty()) {
      mProfiles[i]->Reset();
      mProfiles[i]->SetName(name);
      return i;
    }
  }
  return -1;
}

void ProfileManager::DeleteProfile(int i) {
  if (!InRange(i)) return;
  for (int k = i; k < kProfileCount - 1; ++k) mProfiles[k] = std::move(mProfiles[k + 1]);
  mProfiles[kProfileCount - 1] = std::make_unique<PlayerProfile>();
  if (i < mCurrent) {
    --mCurrent;  // same player, one slot down
  } else if (i == mCurrent) {
    SetCurrentProfile(0);
  }
}

void ProfileManager::ResetBestSellers() {
  for (int t = 0; t < kTableCount; ++t) ResetBestSellerTable(t);
}

void ProfileManager::ResetBestSellerTable(int table) {
  if (table < 0 || table >= kTableCount) return;
  for (int p = 0; p < kTablePlaces; ++p) {
    BestSellerEntry& e = mBestSellers[table][p];
    e = BestSellerEntry();
    switch (table) {
      case 0:
        e.score = 7750 - 850 * p + Rand() % 800;
        e.stars = e.score > 10000 ? 5 : e.score > 5000 ? 4 : e.score > 2500 ? 3 : e.score > 1000 ? 2 : e.score > 500 ? 1 : 0;
        break;
      case 1:
        e.score = 1100 - 110 * p + Rand() % 110;
        e.time = (e.score / 100) * 100 + 30 + Rand() % 30;
        break;
      case 2:
        e.score = 800 - 80 * p + Rand() % 80;
        e.time = (e.score / 100) * 91 + 30 + Rand() % 30;
        break;
      case 3:
        e.score = 700 - 70 * p + Rand() % 70;
        e.time = (e.score / 100) * 100 + 30 + Rand() % 30;
        break;
    }
  }
}

void ProfileManager::ReadBestSellers(Buffer& buffer) {
  ResetBestSellers();
  FieldReader in(buffer);
  for (auto& table : mBestSellers) {
    for (BestSellerEntry& e : table) {
      std::string name;
      if (!in.String(name)) return;
      e.name = StringToWString(name);
      if (!in.Long(e.score) || !in.Long(e.stars) || !in.Long(e.time)) return;
    }
  }
  for (int& s : mTopScores)
    if (!in.Long(s)) return;
}

void ProfileManager::WriteBestSellers(Buffer& buffer) const {
  for (const auto& table : mBestSellers) {
    for (const BestSellerEntry& e : table) {
      buffer.WriteString(WStringToString(e.name));
      buffer.WriteLong(static_cast<uint32_t>(e.score));
      buffer.WriteLong(static_cast<uint32_t>(e.stars));
      buffer.WriteLong(static_cast<uint32_t>(e.time));
    }
  }
  for (int s : mTopScores) buffer.WriteLong(static_cast<uint32_t>(s));
}

BestSellerEntry* ProfileManager::GetBestSellerEntry(int table, int place) {
  if (table < 0 || table >= kTableCount || place < 0 || place >= kTablePlaces) return nullptr;
  return &mBestSellers[table][place];
}

int ProfileManager::AddBestSeller(int table, int score, int stars, int time) {
  BestSellerEntry* t = mBestSellers[table];
  int place = 0;
  while (place < kTablePlaces && t[place].score > score) ++place;
  if (place == kTablePlaces) return -1;
  for (int k = kTablePlaces - 1; k > place; --k) t[k] = t[k - 1];
  t[place] = BestSellerEntry{GetCurrentProfile()->GetName(), score, stars, time};
  return place;
}

int ProfileManager::AddStoryBestSeller(int score, int stars) { return AddBestSeller(0, score, stars, 0); }

int ProfileManager::AddHappyHourBestSeller(int difficulty, int score, int time) {
  if (difficulty < 0 || difficulty > 2) return -1;
  return AddBestSeller(1 + difficulty, score, 0, time);
}

int ProfileManager::GetHappyHourRank(int difficulty, int score) const {
  if (difficulty < 0 || difficulty > 2) return -1;
  const BestSellerEntry* t = mBestSellers[1 + difficulty];
  int above = 0;
  while (above < kTablePlaces && t[above].score > score) ++above;
  return above - 1;
}

int ProfileManager::GetHappyHourScore(int difficulty, int rank) const {
  if (difficulty < 0 || difficulty > 2 || rank < 0 || rank >= kTablePlaces) return -1;
  return mBestSellers[1 + difficulty][rank].score;
}

}  // namespace Plix
