#pragma once
// The registry of the original platform, as the framework uses it: keys
// under HKEY_CURRENT_USER, sub-keys written with "\", key and value names
// compared without case, values of type REG_SZ, REG_BINARY and REG_DWORD
// (any other type is kept as raw bytes), Windows result codes. The data
// lives in a RegistryStore: on disk a text file rewritten atomically on
// every change (DESIGN.md), in tests a store in memory.
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "framework/platform/WinTypes.h"

namespace Plix {

struct RegKey;
using HKEY = RegKey*;
using REGSAM = DWORD;

// The predefined root; the only one with a store behind it.
extern const HKEY HKEY_CURRENT_USER;
extern const HKEY HKEY_LOCAL_MACHINE;

constexpr LONG ERROR_SUCCESS = 0;
constexpr LONG ERROR_FILE_NOT_FOUND = 2;
constexpr LONG ERROR_ACCESS_DENIED = 5;
constexpr LONG ERROR_INVALID_HANDLE = 6;
constexpr LONG ERROR_WRITE_FAULT = 29;
constexpr LONG ERROR_INVALID_PARAMETER = 87;
constexpr LONG ERROR_MORE_DATA = 234;
constexpr LONG ERROR_KEY_DELETED = 1018;

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;

constexpr REGSAM KEY_QUERY_VALUE = 0x0001;
constexpr REGSAM KEY_SET_VALUE = 0x0002;
constexpr REGSAM KEY_CREATE_SUB_KEY = 0x0004;
constexpr REGSAM KEY_READ = 0x20019;
constexpr REGSAM KEY_WRITE = 0x20006;
constexpr REGSAM KEY_ALL_ACCESS = 0xF003F;

constexpr DWORD REG_OPTION_NON_VOLATILE = 0;
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// A tree of keys with typed values. Backed by a file when constructed with
// a path, in memory otherwise. Thread-safe.
class RegistryStore {
public:
  // In memory only (tests).
  RegistryStore();
  // Reads `path` when it exists. A damaged file keeps every value that
  // could be read, is copied aside to `path` + ".broken" and LoadError()
  // says what was wrong; a file that cannot be read or copied aside is
  // never overwritten (changes then fail with ERROR_WRITE_FAULT).
  explicit RegistryStore(const std::string& path);
  ~RegistryStore();
  RegistryStore(const RegistryStore&) = delete;
  RegistryStore& operator=(const RegistryStore&) = delete;

  const std::string& Path() const { return mPath; }
  // Empty when the file was read cleanly (or did not exist).
  const std::string& LoadError() const { return mLoadError; }

  // Operations on key paths: components separated by "\" (empty ones are
  // skipped), relative to HKEY_CURRENT_USER. Results are Windows codes.
  bool KeyExists(const std::string& keyPath);
  // Creates every missing key along the path; `created` tells whether the
  // last one is new.
  LONG CreateKey(const std::string& keyPath, bool* created);
  // Fails with ERROR_ACCESS_DENIED when the key has sub-keys.
  LONG DeleteKey(const std::string& keyPath);
  // Length in and out as RegQueryValueEx: with no data only the length is
  // reported; a buffer that is too small gives ERROR_MORE_DATA and the
  // needed length.
  LONG QueryValue(const std::string& keyPath, const std::string& name, DWORD* type, BYTE* data, DWORD* length);
  LONG SetValue(const std::string& keyPath, const std::string& name, DWORD type, const BYTE* data, DWORD length);
  LONG DeleteValue(const std::string& keyPath, const std::string& name);

  // Changes between these two are written to the file once, at the end,
  // instead of once each; they succeed in memory meanwhile. When that write
  // fails every change of the batch is undone and EndBatch is false.
  // Batches nest: the outermost one writes.
  void BeginBatch();
  bool EndBatch();

  // The file's text for the current contents (what Save writes).
  std::string Serialize();
  // Replaces the contents with those of a file's text, without touching
  // the disk; false when the text is damaged (LoadError says where), in
  // which case what could be read is kept.
  bool ReadText(const std::string& text);

private:
  struct Key;

  Key* Find(const std::string& keyPath);
  // Runs a change and writes the file; when writing fails the change is
  // undone and ERROR_WRITE_FAULT returned.
  template <class F>
  LONG Change(F&& change);
  bool Save();
  void Load();
  bool Parse(const std::string& text, std::string& error);
  static std::unique_ptr<Key> Copy(const Key& key);
  static void SerializeKey(const Key& key, const std::string& path, std::string& out);

  std::mutex mMutex;
  std::string mPath;
  std::string mLoadError;
  bool mSaveFailureTold = false;
  bool mWritable = true;
  std::unique_ptr<Key> mRoot;
  int mBatchDepth = 0;
  bool mBatchChanged = false;
  std::unique_ptr<Key> mBatchBackup;  // the contents before the batch
};

// The store every registry call uses. Until one is set, a file store at
// Fs::UserConfigFolder("VARNOK", "Zovad Uda Vodiz") + "registry.txt" is
// opened on first use. A null argument goes back to that default.
RegistryStore& GetRegistryStore();
void SetRegistryStore(RegistryStore* store);

// Installs a store for the lifetime of the guard (tests).
class ScopedRegistryStore {
public:
  explicit ScopedRegistryStore(RegistryStore& store) { SetRegistryStore(&store); }
  ~ScopedRegistryStore() { SetRegistryStore(nullptr); }
  ScopedRegistryStore(const ScopedRegistryStore&) = delete;
  ScopedRegistryStore& operator=(const ScopedRegistryStore&) = delete;
};

// The Win32 functions, on the current store. Reserved, class, option and
// security arguments are accepted and ignored. A handle remembers its key
// path and access; a handle opened for reading cannot change values.
LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD options, REGSAM access, HKEY* result);
LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD reserved, const char* keyClass, DWORD options,
                     REGSAM access, void* security, HKEY* result, DWORD* disposition);
LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data, DWORD* length);
LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD length);
LONG RegDeleteValueA(HKEY key, const char* valueName);
LONG RegDeleteKeyA(HKEY key, const char* subKey);
LONG RegCloseKey(HKEY key);

}  // namespace Plix
