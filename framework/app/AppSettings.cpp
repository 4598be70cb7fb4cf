// Registry settings under the application's key, and the few files the game
// writes and checks. Every operation whose answer comes from outside goes
// through one operation here, where a demo records or replays it.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "framework/app/PlixAppBase.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/platform/Registry.h"
#include "framework/resources/PakInterface.h"
#include "framework/util/Utilities.h"

namespace Plix {

bool PlixAppBase::RegistryKeyPath(const std::string& valueName, std::string& path, std::string& name) {
  if (mRegKeyPath.empty()) return false;
  path = "SOFTWARE\\" + mRegKeyPath;
  const size_t slash = valueName.rfind('\\');
  if (slash == std::string::npos) {
    name = valueName;
  } else {
    path += "\\" + valueName.substr(0, slash);
    name = valueName.substr(slash + 1);
  }
  return true;
}

bool PlixAppBase::WriteRegistryValue(const std::string& valueName, DWORD type, const uint8_t* data, DWORD length) {
  if (mRegKeyPath.empty()) return false;
  bool answer = false;
  if (ReplayDemoFlag(DEMO_REGISTRY_WRITE, true, answer)) return answer;
  const bool ok = StoreRegistryValue(valueName, type, data, length);
  RecordDemoFlag(DEMO_REGISTRY_WRITE, ok);
  return ok;
}

bool PlixAppBase::StoreRegistryValue(const std::string& valueName, DWORD type, const uint8_t* data, DWORD length) {
  std::string path, name;
  if (!RegistryKeyPath(valueName, path, name)) return false;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS &&
      RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, "Key", REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  // A value that could not be stored is reported as such.
  const LONG result = RegSetValueExA(key, name.c_str(), 0, type, data, length);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool PlixAppBase::WriteRegistryString(const std::string& valueName, const std::string& value) {
  return WriteRegistryValue(valueName, REG_SZ, reinterpret_cast<const uint8_t*>(value.data()),
                            static_cast<DWORD>(value.size()));
}

bool PlixAppBase::WriteRegistryStringUnrecorded(const std::string& valueName, const std::string& value) {
  return StoreRegistryValue(valueName, REG_SZ, reinterpret_cast<const uint8_t*>(value.data()),
                            static_cast<DWORD>(value.size()));
}

bool PlixAppBase::WriteRegistryInteger(const std::string& valueName, int32_t value) {
  uint8_t bytes[4];
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
  return WriteRegistryValue(valueName, REG_DWORD, bytes, 4);
}

bool PlixAppBase::WriteRegistryBoolean(const std::string& valueName, bool value) {
  return WriteRegistryInteger(valueName, value ? 1 : 0);
}

bool PlixAppBase::ReadRegistryValue(const std::string& valueName, DWORD* type, uint8_t* data, DWORD* length) {
  if (mRegKeyPath.empty()) return false;
  bool answer = false;
  if (ReplayRegistryRead(type, data, length, answer)) return answer;
  const bool ok = QueryRegistryValue(valueName, type, data, length);
  RecordRegistryRead(ok, type ? *type : REG_NONE, data, length ? *length : 0);
  return ok;
}

bool PlixAppBase::QueryRegistryValue(const std::string& valueName, DWORD* type, uint8_t* data, DWORD* length) {
  std::string path, name;
  if (!RegistryKeyPath(valueName, path, name)) return false;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  const LONG result = RegQueryValueExA(key, name.c_str(), nullptr, type, data, length);
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

bool PlixAppBase::ReadRegistryString(const std::string& valueName, std::string& value) {
  char text[1024] = {};
  DWORD type = REG_NONE, length = 1023;
  if (!ReadRegistryValue(valueName, &type, reinterpret_cast<uint8_t*>(text), &length) || type != REG_SZ) return false;
  text[std::min<DWORD>(length, 1023)] = 0;
  value = text;
  return true;
}

bool PlixAppBase::ReadRegistryInteger(const std::string& valueName, int32_t& value) {
  uint8_t bytes[4] = {};
  DWORD type = REG_NONE, length = 4;
  if (!ReadRegistryValue(valueName, &type, bytes, &length) || type != REG_DWORD) return false;
  value = static_cast<int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24));
  return true;
}

bool PlixAppBase::ReadRegistryBoolean(const std::string& valueName, bool& value) {
  int32_t v = 0;
  if (!ReadRegistryInteger(valueName, v)) return false;
  value = v != 0;
  return true;
}

void PlixAppBase::DeleteRegistryValue(const std::wstring& valueName) {
  // Not recorded: a replay must not change the player's registry.
  if (mDemoPlaying) return;
  std::string path, name;
  if (!RegistryKeyPath(WStringToString(valueName), path, name)) return;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
  RegDeleteValueA(key, name.c_str());
  RegCloseKey(key);
}

namespace {
// A volume of 0.0 to 1.0 as the whole percent nearest to it: what is read
// back and saved unchanged stays the same value.
int32_t VolumePercent(double volume) { return static_cast<int32_t>(std::lround(volume * 100.0)); }
}  // namespace

void PlixAppBase::SaveSettings() {
  // One write of the settings file for all of them.
  RegistryStore& store = GetRegistryStore();
  store.BeginBatch();
  WriteRegistryInteger("MusicVolume", VolumePercent(mMusicVolume));
  WriteRegistryInteger("SfxVolume", VolumePercent(mSfxVolume));
  WriteRegistryInteger("Muted", mMuteDepth - mFocusMuteCount > 0 ? 1 : 0);
  WriteRegistryInteger("ScreenMode", mWindowedMode ? 0 : 1);
  WriteRegistryInteger("PreferredX", mPreferredX);
  WriteRegistryInteger("PreferredY", mPreferredY);
  WriteRegistryInteger("CustomCursors", mCustomCursorsOn ? 1 : 0);
  WriteRegistryInteger("InProgress", 0);
  WriteRegistryBoolean("WaitForVSync", mWaitForVSync);
  // The store has told the player why; the exit code says it too.
  if (!store.EndBatch() && mExitCode == 0) mExitCode = 1;
}

bool PlixAppBase::ReadSettingInRange(const std::string& valueName, int32_t lowest, int32_t highest, int32_t& value) {
  uint8_t bytes[4] = {};
  DWORD type = REG_NONE, length = 4;
  if (!ReadRegistryValue(valueName, &type, bytes, &length)) return false;
  std::string wrong;
  if (type != REG_DWORD || length != 4) {
    wrong = "is not a number";
  } else {
    const int32_t read =
        static_cast<int32_t>(bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<uint32_t>(bytes[3]) << 24));
    if (read >= lowest && read <= highest) {
      value = read;
      return true;
    }
    wrong = StrFormat("is %d, not %d to %d", read, lowest, highest);
  }
  // Said once a key: a damaged or hand-edited file costs that one setting.
  if (mSettingsReported.insert(valueName).second)
    TellPlayer(StrFormat("%s: %s %s; the default is used instead.", GetRegistryStore().Path().c_str(),
                         valueName.c_str(), wrong.c_str()));
  return false;
}

void PlixAppBase::LoadSettings() {
  mSettingsLoaded = true;
  mRegKeyPath = WStringToString(GetStringProperty("RegistryKey", StringToWString(mRegKeyPath)));
  if (mRegKeyPath.empty()) return;
  // Every value is checked against what SaveSettings writes; one out of
  // range or of another type leaves its setting at the default.
  int32_t value = 0;
  if (ReadSettingInRange("MusicVolume", 0, 100, value)) mMusicVolume = value / 100.0;
  if (ReadSettingInRange("SfxVolume", 0, 100, value)) mSfxVolume = value / 100.0;
  // Saved as 0 or 1: the player's own mute, never a depth of its own.
  if (ReadSettingInRange("Muted", 0, 1, value)) mMuteDepth = value;
  if (ReadSettingInRange("ScreenMode", 0, 1, value)) mWindowedMode = value == 0;
  // A window position any screen can show; -1 asks for the centre.
  if (ReadSettingInRange("PreferredX", -kMaxWindowPosition, kMaxWindowPosition, value)) mPreferredX = value;
  if (ReadSettingInRange("PreferredY", -kMaxWindowPosition, kMaxWindowPosition, value)) mPreferredY = value;
  if (ReadSettingInRange("CustomCursors", 0, 1, value)) EnableCustomCursors(value != 0);
  if (ReadSettingInRange("WaitForVSync", 0, 1, value)) mWaitForVSync = value != 0;
  if (ReadSettingInRange("InProgress", 0, 1, value)) mLastRunEndedCleanly = value == 0;
  if (!mScreenSaverMode) WriteRegistryInteger("InProgress", 1);
}

bool PlixAppBase::WriteBytesToFile(const std::string& fileName, const void* data, size_t length, std::string* error) {
  bool answer = false;
  if (ReplayDemoFlag(DEMO_FILE_WRITTEN, true, answer)) return answer;
  const std::string folder = GetFileDir(fileName);
  if (!folder.empty()) MkDir(folder);
  // Through a temporary file and a rename: a failed write leaves the old
  // file as it was.
  const bool ok = Fs::WriteFileAtomic(fileName, data, length, error);
  RecordDemoFlag(DEMO_FILE_WRITTEN, ok);
  return ok;
}

bool PlixAppBase::WriteBufferToFile(const std::string& fileName, const Buffer& buffer, std::string* error) {
  return WriteBytesToFile(fileName, buffer.GetDataPtr(), static_cast<size_t>(buffer.GetDataLen()), error);
}

bool PlixAppBase::ReadBufferFromFile(const std::string& fileName, Buffer& buffer) {
  std::vector<uint8_t> bytes;
  if (!ReadPakFile(fileName, bytes) || bytes.size() > INT32_MAX) return false;
  buffer.Clear();
  buffer.SetData(bytes.data(), static_cast<int>(bytes.size()));
  return true;
}

bool PlixAppBase::FileExists(const std::string& fileName) {
  bool answer = false;
  if (ReplayDemoFlag(DEMO_FILE_EXISTS, true, answer)) return answer;
  PakHandle* file = PakFOpen(fileName, "rb");
  RecordDemoFlag(DEMO_FILE_EXISTS, file != nullptr);
  if (!file) return false;
  PakFClose(file);
  return true;
}

double PlixAppBase::GetLoadingProgress() {
  if (mLoadingHookDone) return 1.0;
  const int32_t total = mResourcesToLoad;
  if (!mLoaderStarted || total == 0) return 0.0;
  const double progress = static_cast<double>(mResourcesLoaded) / total;
  return progress >= 1.0 ? 1.0 : progress;
}

}  // namespace Plix
