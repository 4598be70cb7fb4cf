#include "framework/platform/Registry.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>
#include <set>
#include <vector>

#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"

namespace Plix {

// ---------------------------------------------------------------------------
// The file format. One line per key and per value; every byte that could
// break a line or the syntax is escaped as %XX, so any name and any value
// bytes (binary, newlines) survive:
//
//   PlixRegistry 1
//   [SOFTWARE\VARNOK\Zovad%20Uda%20Vodiz]
//   MusicVolume=dword:55
//   RegistryName=sz:Pemi
//   DisplayGUID=binary:00112233445566778899aabbccddeeff
//   Other=hex(7):0a00
//
// "[]" is the root; "@" is the value with the empty name; lines starting
// with ";" are comments.

namespace {

const char kHeader[] = "PlixRegistry 1";
const char kFileName[] = "registry.txt";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool NeedsEscape(unsigned char c) {
  return c <= 0x20 || c >= 0x7F || std::strchr("%=@[]\\;", c) != nullptr;
}

std::string Escape(const std::string& bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (NeedsEscape(c)) {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 15];
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool Unescape(const std::string& text, std::string& out) {
  out.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    int hi = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1;
    int lo = hi >= 0 ? HexDigit(text[i + 2]) : -1;
    if (lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return true;
}

std::string ToHex(const std::vector<BYTE>& data) {
  static const char kHex[] = "0123456789abcdef";
  std::string out;
  for (BYTE b : data) {
    out += kHex[b >> 4];
    out += kHex[b & 15];
  }
  return out;
}

bool FromHex(const std::string& text, std::vector<BYTE>& out) {
  out.clear();
  if (text.size() % 2) return false;
  for (size_t i = 0; i < text.size(); i += 2) {
    int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
    if (hi < 0 || lo < 0) return false;
    out.push_back(static_cast<BYTE>(hi * 16 + lo));
  }
  return true;
}

bool ParseUnsigned(const std::string& text, uint64_t limit, uint64_t& value) {
  if (text.empty() || text.size() > 10) return false;
  value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + static_cast<uint64_t>(c - '0');
  }
  return value <= limit;
}

std::vector<std::string> SplitKeyPath(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

std::string JoinKeyPath(const std::string& a, const std::string& b) {
  if (a.empty()) return b;
  if (b.empty()) return a;
  return a + "\\" + b;
}

}  // namespace

namespace {
// Key and value names compare without regard to (ASCII) case.
struct NoCaseLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
  }
};

struct Value {
  std::string name;  // as first written
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};
}  // namespace

struct RegistryStore::Key {
  std::string name;
  std::map<std::string, Value, NoCaseLess> values;
  std::map<std::string, std::unique_ptr<Key>, NoCaseLess> subKeys;
};

RegistryStore::RegistryStore() : mRoot(std::make_unique<Key>()) {}

RegistryStore::RegistryStore(const std::string& path) : mPath(path), mRoot(std::make_unique<Key>()) { Load(); }

RegistryStore::~RegistryStore() = default;

void RegistryStore::Load() {
  // Left by a run killed while it saved.
  Fs::RemoveStaleTemporaryFiles(mPath);
  if (!Fs::Exists(mPath)) return;
  std::vector<uint8_t> raw;
  if (!Fs::ReadWholeFile(mPath, raw)) {
    mLoadError = mPath + ": cannot be read; settings will not be saved";
    mWritable = false;
    TellPlayer(mLoadError);
    return;
  }
  std::string text(raw.begin(), raw.end());
  if (ReadText(text)) return;

  // Keep the damaged file for whoever wants to mend it: the next save
  // writes only what could be read.
  // A copy kept earlier is never replaced: each damaged file gets a name.
  std::string aside = mPath + ".broken";
  for (int n = 2; n < 1000 && Fs::IsFile(aside); ++n) aside = mPath + ".broken." + std::to_string(n);
  std::string copyError;
  if (Fs::WriteFileAtomic(aside, text.data(), text.size(), &copyError)) {
    mLoadError += "; the file was copied to " + aside;
  } else {
    mLoadError += "; " + copyError + "; settings will not be saved";
    mWritable = false;
  }
  TellPlayer(mLoadError);
}

bool RegistryStore::ReadText(const std::string& text) {
  std::lock_guard<std::mutex> lock(mMutex);
  mRoot = std::make_unique<Key>();
  std::string error;
  bool ok = Parse(text, error);
  mLoadError = ok ? std::string() : (mPath.empty() ? error : mPath + ": " + error);
  return ok;
}

bool RegistryStore::Parse(const std::string& text, std::string& error) {
  Key* current = mRoot.get();
  bool headerSeen = false;
  int lineNo = 0;
  size_t pos = 0;
  auto fail = [&](const std::string& what) {
    if (error.empty()) error = "line " + std::to_string(lineNo) + ": " + what;
  };
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == ';') continue;

    if (!headerSeen) {
      if (line != kHeader) {
        fail("not a registry file (it does not start with \"" + std::string(kHeader) + "\")");
        return false;
      }
      headerSeen = true;
      continue;
    }

    if (line[0] == '[') {
      if (line.back() != ']') {
        fail("a key line does not end in \"]\"");
        current = nullptr;  // its values have no home
        continue;
      }
      current = mRoot.get();
      for (const std::string& part : SplitKeyPath(line.substr(1, line.size() - 2))) {
        std::string name;
        if (!Unescape(part, name)) {
          fail("bad escape in a key name");
          current = nullptr;
          break;
        }
        auto& slot = current->subKeys[name];
        if (!slot) {
          slot = std::make_unique<Key>();
          slot->name = name;
        }
        current = slot.get();
      }
      continue;
    }

    size_t eq = line.find('=');
    size_t colon = eq == std::string::npos ? std::string::npos : line.find(':', eq);
    if (colon == std::string::npos) {
      fail("not a key or value line");
      continue;
    }
    if (!current) continue;  // belongs to a key that could not be read
    std::string rawName = line.substr(0, eq);
    std::string kind = line.substr(eq + 1, colon - eq - 1);
    std::string data = line.substr(colon + 1);

    Value v;
    bool ok = rawName == "@" || Unescape(rawName, v.name);
    if (rawName == "@") v.name.clear();
    if (ok && kind == "dword") {
      uint64_t n = 0;
      ok = ParseUnsigned(data, 0xFFFFFFFFu, n);
      v.type = REG_DWORD;
      for (int i = 0; i < 4; ++i) v.data.push_back(static_cast<BYTE>(n >> (8 * i)));
    } else if (ok && kind == "sz") {
      std::string bytes;
      ok = Unescape(data, bytes);
      v.type = REG_SZ;
      v.data.assign(bytes.begin(), bytes.end());
    } else if (ok && kind == "binary") {
      v.type = REG_BINARY;
      ok = FromHex(data, v.data);
    } else if (ok && kind.size() > 5 && kind.compare(0, 4, "hex(") == 0 && kind.back() == ')') {
      uint64_t type = 0;
      ok = ParseUnsigned(kind.substr(4, kind.size() - 5), 0xFFFFFFFFu, type) && FromHex(data, v.data);
      v.type = static_cast<DWORD>(type);
    } else {
      ok = false;
    }
    if (!ok) {
      fail("bad value \"" + rawName + "\"");
      continue;
    }
    current->values[v.name] = std::move(v);
  }
  if (!headerSeen && !text.empty()) {
    fail("not a registry file");
    return false;
  }
  return error.empty();
}

void RegistryStore::SerializeKey(const Key& key, const std::string& path, std::string& out) {
  if (!key.values.empty() || (key.subKeys.empty() && !path.empty())) {
    out += "[" + path + "]\n";
    for (const auto& [_, v] : key.values) {
      out += v.name.empty() ? "@" : Escape(v.name);
      if (v.type == REG_DWORD && v.data.size() == 4) {
        uint32_t n = v.data[0] | v.data[1] << 8 | v.data[2] << 16 | static_cast<uint32_t>(v.data[3]) << 24;
        out += "=dword:" + std::to_string(n);
      } else if (v.type == REG_SZ) {
        out += "=sz:" + Escape(std::string(v.data.begin(), v.data.end()));
      } else if (v.type == REG_BINARY) {
        out += "=binary:" + ToHex(v.data);
      } else {
        out += "=hex(" + std::to_string(v.type) + "):" + ToHex(v.data);
      }
      out += '\n';
    }
  }
  for (const auto& [_, sub] : key.subKeys) SerializeKey(*sub, JoinKeyPath(path, Escape(sub->name)), out);
}

std::string RegistryStore::Serialize() {
  std::lock_guard<std::mutex> lock(mMutex);
  std::string out = std::string(kHeader) + "\n";
  SerializeKey(*mRoot, "", out);
  return out;
}

bool RegistryStore::Save() {
  if (mPath.empty()) return true;
  if (!mWritable) return false;
  std::string text = std::string(kHeader) + "\n";
  SerializeKey(*mRoot, "", text);
  // Make the folder first: the store may be the first file in it.
  std::string native = Fs::NativePath(mPath);
  for (size_t i = native.find('/', 1); i != std::string::npos; i = native.find('/', i + 1))
    Fs::MakeDirectory(native.substr(0, i));
  std::string error;
  if (Fs::WriteFileAtomic(mPath, text.data(), text.size(), &error)) return true;
  // Once: every later change fails the same way.
  if (!mSaveFailureTold) {
    mSaveFailureTold = true;
    TellPlayer("The settings could not be saved: " + error);
  }
  return false;
}

std::unique_ptr<RegistryStore::Key> RegistryStore::Copy(const Key& key) {
  auto copy = std::make_unique<Key>();
  copy->name = key.name;
  copy->values = key.values;
  for (const auto& [name, sub] : key.subKeys) copy->subKeys[name] = Copy(*sub);
  return copy;
}

void RegistryStore::BeginBatch() {
  std::lock_guard<std::mutex> lock(mMutex);
  if (mBatchDepth++ > 0) return;
  mBatchChanged = false;
  mBatchBackup = mPath.empty() ? nullptr : Copy(*mRoot);
}

bool RegistryStore::EndBatch() {
  std::lock_guard<std::mutex> lock(mMutex);
  if (mBatchDepth == 0 || --mBatchDepth > 0) return true;
  std::unique_ptr<Key> backup = std::move(mBatchBackup);
  if (!mBatchChanged || Save()) return true;
  if (backup) mRoot = std::move(backup);
  return false;
}

template <class F>
LONG RegistryStore::Change(F&& change) {
  if (mBatchDepth > 0) {
    bool changed = false;
    LONG result = change(changed);
    mBatchChanged = mBatchChanged || changed;
    return result;
  }
  std::unique_ptr<Key> backup = mPath.empty() ? nullptr : Copy(*mRoot);
  bool changed = false;
  LONG result = change(changed);
  if (result != ERROR_SUCCESS || !changed || Save()) return result;
  mRoot = std::move(backup);
  return ERROR_WRITE_FAULT;
}

RegistryStore::Key* RegistryStore::Find(const std::string& keyPath) {
  Key* key = mRoot.get();
  for (const std::string& part : SplitKeyPath(keyPath)) {
    auto it = key->subKeys.find(part);
    if (it == key->subKeys.end()) return nullptr;
    key = it->second.get();
  }
  return key;
}

bool RegistryStore::KeyExists(const std::string& keyPath) {
  std::lock_guard<std::mutex> lock(mMutex);
  return Find(keyPath) != nullptr;
}

LONG RegistryStore::CreateKey(const std::string& keyPath, bool* created) {
  std::lock_guard<std::mutex> lock(mMutex);
  if (created) *created = false;
  return Change([&](bool& changed) {
    // Once one component is new, so are all after it: "changed" ends up
    // telling whether the last one was created.
    Key* key = mRoot.get();
    for (const std::string& part : SplitKeyPath(keyPath)) {
      auto& slot = key->subKeys[part];
      if (!slot) {
        slot = std::make_unique<Key>();
        slot->name = part;
        changed = true;
      }
      key = slot.get();
    }
    if (created) *created = changed;
    return ERROR_SUCCESS;
  });
}

LONG RegistryStore::DeleteKey(const std::string& keyPath) {
  std::lock_guard<std::mutex> lock(mMutex);
  std::vector<std::string> parts = SplitKeyPath(keyPath);
  if (parts.empty()) return ERROR_ACCESS_DENIED;  // the root stays
  return Change([&](bool& changed) {
    Key* parent = mRoot.get();
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
      auto it = parent->subKeys.find(parts[i]);
      if (it == parent->subKeys.end()) return ERROR_FILE_NOT_FOUND;
      parent = it->second.get();
    }
    auto it = parent->subKeys.find(parts.back());
    if (it == parent->subKeys.end()) return ERROR_FILE_NOT_FOUND;
    if (!it->second->subKeys.empty()) return ERROR_ACCESS_DENIED;
    parent->subKeys.erase(it);
    changed = true;
    return ERROR_SUCCESS;
  });
}

LONG RegistryStore::QueryValue(const std::string& keyPath, const std::string& name, DWORD* type, BYTE* data,
                               DWORD* length) {
  std::lock_guard<std::mutex> lock(mMutex);
  Key* key = Find(keyPath);
  if (!key) return ERROR_FILE_NOT_FOUND;
  auto it = key->values.find(name);
  if (it == key->values.end()) return ERROR_FILE_NOT_FOUND;
  const Value& v = it->second;
  if (data && !length) return ERROR_INVALID_PARAMETER;
  if (type) *type = v.type;
  auto size = static_cast<DWORD>(v.data.size());
  if (data) {
    if (*length < size) {
      *length = size;
      return ERROR_MORE_DATA;
    }
    std::copy(v.data.begin(), v.data.end(), data);
  }
  if (length) *length = size;
  return ERROR_SUCCESS;
}

LONG RegistryStore::SetValue(const std::string& keyPath, const std::string& name, DWORD type, const BYTE* data,
                             DWORD length) {
  if (!data && length > 0) return ERROR_INVALID_PARAMETER;
  std::lock_guard<std::mutex> lock(mMutex);
  return Change([&](bool& changed) {
    Key* key = Find(keyPath);
    if (!key) return ERROR_FILE_NOT_FOUND;
    Value v;
    v.type = type;
    if (length > 0) v.data.assign(data, data + length);
    auto it = key->values.find(name);
    if (it != key->values.end()) {
      v.name = it->second.name;  // keeps the case it was first written with
      if (it->second.type == v.type && it->second.data == v.data) return ERROR_SUCCESS;
      it->second = std::move(v);
    } else {
      v.name = name;
      key->values.emplace(name, std::move(v));
    }
    changed = true;
    return ERROR_SUCCESS;
  });
}

LONG RegistryStore::DeleteValue(const std::string& keyPath, const std::string& name) {
  std::lock_guard<std::mutex> lock(mMutex);
  return Change([&](bool& changed) {
    Key* key = Find(keyPath);
    if (!key) return ERROR_FILE_NOT_FOUND;
    if (key->values.erase(name) == 0) return ERROR_FILE_NOT_FOUND;
    changed = true;
    return ERROR_SUCCESS;
  });
}

// ---------------------------------------------------------------------------
// The current store.

namespace {
std::atomic<RegistryStore*> gStore{nullptr};

RegistryStore& DefaultStore() {
  static RegistryStore store(Fs::UserConfigFolder("VARNOK", "Zovad Uda Vodiz") + kFileName);
  return store;
}
}  // namespace

RegistryStore& GetRegistryStore() {
  RegistryStore* store = gStore.load(std::memory_order_acquire);
  return store ? *store : DefaultStore();
}

void SetRegistryStore(RegistryStore* store) { gStore.store(store, std::memory_order_release); }

// ---------------------------------------------------------------------------
// The Win32 functions.

struct RegKey {
  bool local = false;  // HKEY_LOCAL_MACHINE: no store behind it
  std::string path;
  REGSAM access = KEY_ALL_ACCESS;
};

namespace {
RegKey gCurrentUser;
RegKey gLocalMachine{true, {}, KEY_READ};

// Open handles, so that a stale or doubly closed one is refused instead of
// touched.
std::mutex gHandleMutex;
std::set<const RegKey*> gHandles;

bool ValidHandle(HKEY key) {
  if (key == &gCurrentUser || key == &gLocalMachine) return true;
  std::lock_guard<std::mutex> lock(gHandleMutex);
  return gHandles.count(key) != 0;
}

HKEY NewHandle(bool local, const std::string& path, REGSAM access) {
  auto* key = new RegKey{local, path, access};
  std::lock_guard<std::mutex> lock(gHandleMutex);
  gHandles.insert(key);
  return key;
}

// Value calls on a handle whose key has since been deleted.
LONG CheckKey(HKEY key, REGSAM need) {
  if (!ValidHandle(key)) return ERROR_INVALID_HANDLE;
  if (key->local) return ERROR_FILE_NOT_FOUND;
  if ((key->access & need) != need) return ERROR_ACCESS_DENIED;
  if (!GetRegistryStore().KeyExists(key->path)) return ERROR_KEY_DELETED;
  return ERROR_SUCCESS;
}
}  // namespace

const HKEY HKEY_CURRENT_USER = &gCurrentUser;
const HKEY HKEY_LOCAL_MACHINE = &gLocalMachine;

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM access, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (!ValidHandle(key)) return ERROR_INVALID_HANDLE;
  if (key->local) return ERROR_FILE_NOT_FOUND;
  std::string path = JoinKeyPath(key->path, subKey ? subKey : "");
  if (!GetRegistryStore().KeyExists(path)) return ERROR_FILE_NOT_FOUND;
  *result = NewHandle(false, path, access);
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD, const char*, DWORD, REGSAM access, void*, HKEY* result,
                     DWORD* disposition) {
  if (!result || !subKey) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (!ValidHandle(key)) return ERROR_INVALID_HANDLE;
  if (key->local) return ERROR_ACCESS_DENIED;
  std::string path = JoinKeyPath(key->path, subKey);
  bool created = false;
  LONG r = GetRegistryStore().CreateKey(path, &created);
  if (r != ERROR_SUCCESS) return r;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = NewHandle(false, path, access);
  return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data, DWORD* length) {
  LONG r = CheckKey(key, KEY_QUERY_VALUE);
  if (r != ERROR_SUCCESS) return r;
  return GetRegistryStore().QueryValue(key->path, valueName ? valueName : "", type, data, length);
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD length) {
  LONG r = CheckKey(key, KEY_SET_VALUE);
  if (r != ERROR_SUCCESS) return r;
  return GetRegistryStore().SetValue(key->path, valueName ? valueName : "", type, data, length);
}

LONG RegDeleteValueA(HKEY key, const char* valueName) {
  LONG r = CheckKey(key, KEY_SET_VALUE);
  if (r != ERROR_SUCCESS) return r;
  return GetRegistryStore().DeleteValue(key->path, valueName ? valueName : "");
}

LONG RegDeleteKeyA(HKEY key, const char* subKey) {
  if (!subKey) return ERROR_INVALID_PARAMETER;
  if (!ValidHandle(key)) return ERROR_INVALID_HANDLE;
  if (key->local) return ERROR_ACCESS_DENIED;
  return GetRegistryStore().DeleteKey(JoinKeyPath(key->path, subKey));
}

LONG RegCloseKey(HKEY key) {
  if (key == &gCurrentUser || key == &gLocalMachine) return ERROR_SUCCESS;
  {
    std::lock_guard<std::mutex> lock(gHandleMutex);
    if (gHandles.erase(key) == 0) return ERROR_INVALID_HANDLE;
  }
  delete key;
  return ERROR_SUCCESS;
}

}  // namespace Plix
