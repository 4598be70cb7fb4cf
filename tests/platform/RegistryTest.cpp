#include "framework/platform/Registry.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "framework/platform/Files.h"
#include "tests/support/TestSupport.h"

namespace Plix {

namespace {

const char kAppKey[] = "SOFTWARE\\VARNOK\\Zovad Uda Vodiz";

LONG SetBytes(RegistryStore& s, const std::string& key, const std::string& name, DWORD type, const std::string& bytes) {
  return s.SetValue(key, name, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
}

LONG SetDword(RegistryStore& s, const std::string& key, const std::string& name, DWORD v) {
  return s.SetValue(key, name, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
}

// The value's type and bytes, or an empty type on failure.
std::pair<DWORD, std::string> Get(RegistryStore& s, const std::string& key, const std::string& name) {
  DWORD type = REG_NONE, len = 0;
  if (s.QueryValue(key, name, &type, nullptr, &len) != ERROR_SUCCESS) return {REG_NONE, "<missing>"};
  std::string bytes(len, '\0');
  EXPECT_EQ(s.QueryValue(key, name, &type, reinterpret_cast<BYTE*>(bytes.data()), &len), ERROR_SUCCESS);
  return {type, bytes};
}

std::string Dword(DWORD v) { return std::string(reinterpret_cast<const char*>(&v), 4); }

}  // namespace

TEST(Registry, FileStoreSurvivesReopen) {
  Testing::TempDir dir;
  std::string path = dir / "config/VARNOK/Zovad Uda Vodiz/registry.txt";  // folders made on first save
  std::string test3d = std::string(kAppKey) + "\\Test3D";
  std::string everyByte;
  for (int i = 0; i < 256; ++i) everyByte += static_cast<char>(i);
  struct Case {
    std::string key, name;
    DWORD type;
    std::string bytes;
  } cases[] = {
      {kAppKey, "MusicVolume", REG_DWORD, Dword(55)},
      {kAppKey, "InProgress", REG_DWORD, Dword(0xFFFFFFFFu)},
      {kAppKey, "Name", REG_SZ, "Pemi %41 = [x]\r\nline two; @"},
      {kAppKey, "Empty", REG_SZ, ""},
      {kAppKey, "", REG_SZ, "the default value"},
      {kAppKey, "Odd name =@[]%\\ \n", REG_BINARY, everyByte},
      {test3d, "DisplayGUID", REG_BINARY, std::string("\x00\x11\x22\x33\x44\x55\x66\x77\x88\x99\xAA\xBB\xCC\xDD\xEE\xFF", 16)},
      {test3d, "FailureReason", REG_SZ, std::string("\0", 1)},
      {test3d, "Short", REG_DWORD, "ab"},   // a DWORD of the wrong size stays as it is
      {test3d, "Multi", 7, std::string("a\0b\0\0", 5)},
      {"SOFTWARE\\weird]key [name]", "x", REG_DWORD, Dword(1)},
  };
  {
    RegistryStore store(path);
    EXPECT_EQ(store.LoadError(), "");
    for (const auto& c : cases) {
      ASSERT_EQ(store.CreateKey(c.key, nullptr), ERROR_SUCCESS);
      ASSERT_EQ(SetBytes(store, c.key, c.name, c.type, c.bytes), ERROR_SUCCESS) << c.name;
    }
    ASSERT_EQ(store.CreateKey(std::string(kAppKey) + "\\EmptyKey", nullptr), ERROR_SUCCESS);
  }
  RegistryStore again(path);
  EXPECT_EQ(again.LoadError(), "");
  for (const auto& c : cases) {
    auto [type, bytes] = Get(again, c.key, c.name);
    EXPECT_EQ(type, c.type) << c.name;
    EXPECT_EQ(bytes, c.bytes) << c.name;
  }
  EXPECT_TRUE(again.KeyExists(std::string(kAppKey) + "\\EmptyKey"));
  // More data after the reopen goes in beside the old.
  ASSERT_EQ(SetDword(again, kAppKey, "SfxVolume", 80), ERROR_SUCCESS);
  RegistryStore third(path);
  EXPECT_EQ(Get(third, kAppKey, "SfxVolume").second, Dword(80));
  EXPECT_EQ(Get(third, kAppKey, "MusicVolume").second, Dword(55));
}

TEST(Registry, TheFileIsReadableText) {
  RegistryStore store;
  store.CreateKey(kAppKey, nullptr);
  SetDword(store, kAppKey, "MusicVolume", 55);
  SetBytes(store, kAppKey, "Warning", REG_SZ, "slow card\n");
  SetBytes(store, kAppKey, "GUID", REG_BINARY, "\x01\xAB");
  EXPECT_EQ(store.Serialize(),
            "PlixRegistry 1\n"
            "[SOFTWARE\\VARNOK\\Zovad%20Uda%20Vodiz]\n"
            "GUID=binary:01ab\n"
            "MusicVolume=dword:55\n"
            "Warning=sz:slow%20card%0A\n");
}

TEST(Registry, QueryLengthInAndOut) {
  RegistryStore store;
  store.CreateKey(kAppKey, nullptr);
  SetBytes(store, kAppKey, "DemoJumpTime", REG_SZ, std::string("1:30\0", 5));
  struct Case {
    const char* name;
    bool withData;
    DWORD lengthIn;
    LONG result;
    DWORD lengthOut;
  } cases[] = {
      {"DemoJumpTime", false, 0, ERROR_SUCCESS, 5},       // length only
      {"DemoJumpTime", true, 4, ERROR_MORE_DATA, 5},      // the needed length comes back
      {"DemoJumpTime", true, 5, ERROR_SUCCESS, 5},
      {"demojumptime", true, 1000, ERROR_SUCCESS, 5},     // names ignore case
      {"Missing", true, 1000, ERROR_FILE_NOT_FOUND, 1000},
  };
  for (const auto& c : cases) {
    BYTE buf[1000];
    std::memset(buf, 0xEE, sizeof buf);
    DWORD type = 0, len = c.lengthIn;
    EXPECT_EQ(store.QueryValue("software\\varnok\\ZOVAD UDA VODIZ", c.name, &type, c.withData ? buf : nullptr, &len),
              c.result)
        << c.name << " " << c.lengthIn;
    EXPECT_EQ(len, c.lengthOut) << c.name << " " << c.lengthIn;
    if (c.result == ERROR_SUCCESS) {
      EXPECT_EQ(type, REG_SZ);
      if (c.withData) {
        EXPECT_EQ(std::memcmp(buf, "1:30\0", 5), 0);
      }
    }
  }
  BYTE buf[8];
  EXPECT_EQ(store.QueryValue(kAppKey, "DemoJumpTime", nullptr, buf, nullptr), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(store.QueryValue("SOFTWARE\\Nobody", "x", nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

TEST(Registry, Win32CallsOnTheCurrentStore) {
  RegistryStore store;
  ScopedRegistryStore scoped(store);
  std::string appKey = kAppKey;
  HKEY key = nullptr;

  // What the settings writer does: open for writing, else create.
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (appKey + "\\Test3D").c_str(), 0, KEY_WRITE, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
  DWORD disposition = 0;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (appKey + "\\Test3D").c_str(), 0, "Key", REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &key, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  const char text[] = "CreateDevice: DDERR_SURFACELOST";
  EXPECT_EQ(RegSetValueExA(key, "RuntimeError", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text - 1),
            ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);  // closed twice: refused, not touched
  EXPECT_EQ(Get(store, appKey + "\\test3d", "runtimeerror").second, text);

  HKEY again = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (appKey + "\\Test3D").c_str(), 0, "", 0, KEY_ALL_ACCESS, nullptr,
                            &again, &disposition),
            ERROR_SUCCESS);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  RegCloseKey(again);

  // A key opened for reading reads, and refuses changes.
  HKEY reader = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kAppKey, 0, KEY_READ, &reader), ERROR_SUCCESS);
  HKEY sub = nullptr;
  ASSERT_EQ(RegOpenKeyExA(reader, "TEST3D", 0, KEY_READ, &sub), ERROR_SUCCESS);
  DWORD type = 0, len = 0;
  EXPECT_EQ(RegQueryValueExA(sub, "RuntimeError", nullptr, &type, nullptr, &len), ERROR_SUCCESS);
  EXPECT_EQ(len, sizeof text - 1);
  DWORD one = 1;
  EXPECT_EQ(RegSetValueExA(sub, "Is3D", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteValueA(sub, "RuntimeError"), ERROR_ACCESS_DENIED);

  // Keys with sub-keys are not deleted; deleting the sub-key first works, and
  // a handle to a deleted key says so.
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, kAppKey), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(reader, "Test3D"), ERROR_SUCCESS);
  EXPECT_EQ(RegQueryValueExA(sub, "RuntimeError", nullptr, &type, nullptr, &len), ERROR_KEY_DELETED);
  EXPECT_EQ(RegDeleteKeyA(reader, "Test3D"), ERROR_FILE_NOT_FOUND);
  RegCloseKey(sub);
  RegCloseKey(reader);

  HKEY writer = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kAppKey, 0, KEY_WRITE, &writer), ERROR_SUCCESS);
  EXPECT_EQ(RegSetValueExA(writer, "Is3D", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(writer, "IS3D"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteValueA(writer, "Is3D"), ERROR_FILE_NOT_FOUND);
  RegCloseKey(writer);

  // The screen saver's look at another branch finds nothing.
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST(Registry, DamagedFileKeepsWhatCanBeRead) {
  Testing::TempDir dir;
  std::string path = dir / "registry.txt";
  std::string damaged =
      "PlixRegistry 1\n"
      "[SOFTWARE\\A]\n"
      "Good=dword:7\n"
      "Bad=dword:notanumber\n"
      "garbage line\n"
      "Text=sz:hello%2\n"
      "[SOFTWARE\\B\n"
      "Lost=dword:1\n"
      "[SOFTWARE\\C]\n"
      "AlsoGood=sz:yes\n";
  Testing::WriteFile(path, damaged);
  RegistryStore store(path);
  EXPECT_NE(store.LoadError().find(path), std::string::npos) << store.LoadError();
  EXPECT_NE(store.LoadError().find("line 4"), std::string::npos) << store.LoadError();
  EXPECT_EQ(Get(store, "SOFTWARE\\A", "Good").second, Dword(7));
  EXPECT_EQ(Get(store, "SOFTWARE\\C", "AlsoGood").second, "yes");
  EXPECT_EQ(Get(store, "SOFTWARE\\A", "Bad").first, REG_NONE);
  // The damaged file is kept aside, byte for byte, before anything is saved.
  EXPECT_EQ(Testing::ReadFile(path + ".broken"), damaged);
  ASSERT_EQ(SetDword(store, "SOFTWARE\\A", "New", 1), ERROR_SUCCESS);
  RegistryStore reread(path);
  EXPECT_EQ(reread.LoadError(), "");
  EXPECT_EQ(Get(reread, "SOFTWARE\\A", "Good").second, Dword(7));
  EXPECT_EQ(Get(reread, "SOFTWARE\\C", "AlsoGood").second, "yes");
  EXPECT_EQ(Get(reread, "SOFTWARE\\A", "New").second, Dword(1));
}

TEST(Registry, ForeignFileIsNotOverwrittenUnseen) {
  Testing::TempDir dir;
  std::string path = dir / "registry.txt";
  Testing::WriteFile(path, "\x89PNG something else entirely");
  RegistryStore store(path);
  EXPECT_NE(store.LoadError().find("not a registry file"), std::string::npos) << store.LoadError();
  EXPECT_EQ(Testing::ReadFile(path + ".broken"), "\x89PNG something else entirely");
  // A second damaged file goes beside the first copy.
  Testing::WriteFile(path, "\x89PNG another");
  RegistryStore again(path);
  EXPECT_NE(again.LoadError().find(path + ".broken.2"), std::string::npos) << again.LoadError();
  EXPECT_EQ(Testing::ReadFile(path + ".broken"), "\x89PNG something else entirely");
  EXPECT_EQ(Testing::ReadFile(path + ".broken.2"), "\x89PNG another");
}

TEST(Registry, FailedSaveChangesNothing) {
  Testing::TempDir dir;
  Testing::WriteFile(dir / "blocker", "a file where the folder should be");
  RegistryStore store(dir / "blocker/registry.txt");
  EXPECT_EQ(store.CreateKey(kAppKey, nullptr), ERROR_WRITE_FAULT);
  EXPECT_FALSE(store.KeyExists(kAppKey));

  RegistryStore ok(dir / "ok/registry.txt");
  ASSERT_EQ(ok.CreateKey(kAppKey, nullptr), ERROR_SUCCESS);
  ASSERT_EQ(SetDword(ok, kAppKey, "Keep", 1), ERROR_SUCCESS);
  // Make the folder unusable: the rename of the new file fails.
  std::filesystem::remove_all(dir / "ok");
  Testing::WriteFile(dir / "ok", "now a file");
  EXPECT_EQ(SetDword(ok, kAppKey, "Keep", 2), ERROR_WRITE_FAULT);
  EXPECT_EQ(Get(ok, kAppKey, "Keep").second, Dword(1));
}

TEST(Registry, ABatchWritesTheFileOnceAtItsEnd) {
  Testing::TempDir dir;
  const std::string path = dir / "cfg/registry.txt";
  RegistryStore store(path);
  store.BeginBatch();
  ASSERT_EQ(store.CreateKey(kAppKey, nullptr), ERROR_SUCCESS);
  store.BeginBatch();  // nested: the outer one writes
  for (int i = 0; i < 9; ++i) ASSERT_EQ(SetDword(store, kAppKey, "V" + std::to_string(i), i), ERROR_SUCCESS);
  EXPECT_TRUE(store.EndBatch());
  EXPECT_FALSE(Fs::Exists(path));
  EXPECT_EQ(Get(store, kAppKey, "V8").second, Dword(8));  // in memory meanwhile
  EXPECT_TRUE(store.EndBatch());
  RegistryStore again(path);
  EXPECT_EQ(Get(again, kAppKey, "V8").second, Dword(8));

  // A batch whose write fails is undone whole.
  std::filesystem::remove_all(dir / "cfg");
  Testing::WriteFile(dir / "cfg", "now a file");
  again.BeginBatch();
  ASSERT_EQ(SetDword(again, kAppKey, "V0", 100), ERROR_SUCCESS);
  ASSERT_EQ(SetDword(again, kAppKey, "New", 1), ERROR_SUCCESS);
  EXPECT_FALSE(again.EndBatch());
  EXPECT_EQ(Get(again, kAppKey, "V0").second, Dword(0));
  EXPECT_EQ(Get(again, kAppKey, "New").first, REG_NONE);
}

TEST(Registry, StaleTemporaryFilesOfKilledSavesAreRemovedOnOpening) {
  Testing::TempDir dir;
  const std::string path = dir / "registry.txt";
  Testing::WriteFile(path + ".tmp999999999", "half");
  Testing::WriteFile(path + ".tmp" + std::to_string(::getpid()), "being written");
  RegistryStore store(path);
  EXPECT_FALSE(Fs::Exists(path + ".tmp999999999"));
  EXPECT_TRUE(Fs::Exists(path + ".tmp" + std::to_string(::getpid())));
}

TEST(Registry, DefaultStoreLivesInTheConfigFolder) {
  // The only test that opens the default store, so the folder set here is
  // the one it takes.
  Testing::TempDir dir;
  Testing::ScopedEnv config("XDG_CONFIG_HOME", dir.Path());
  EXPECT_EQ(GetRegistryStore().Path(), dir.Path() + "/VARNOK/Zovad Uda Vodiz/registry.txt");
  RegistryStore memory;
  {
    ScopedRegistryStore scoped(memory);
    EXPECT_EQ(&GetRegistryStore(), &memory);
  }
  EXPECT_NE(&GetRegistryStore(), &memory);
}

}  // namespace Plix
