#include "framework/util/Utilities.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "framework/platform/Files.h"
#include "tests/support/TestSupport.h"

namespace Plix {

TEST(Utilities, StringToInt) {
  struct Case {
    const char* text;
    bool ok;
    int value;
  } cases[] = {
      {"0", true, 0},        {"123", true, 123},    {"-12", true, -12},      {"0x1F", true, 31},
      {"0x", true, 0},       {"0X7f", true, 127},   {"x1", false, 0},        {"00x1", false, 0},
      {"+5", false, 0},      {"-0x10", false, 0},   {"-", true, 0},          {"12a", false, 0},
      {"", false, 0},        {"4294967297", true, 1},  // wraps
      {"-2147483648", true, INT32_MIN}, {"0xFFFFFFFF", true, -1}, {" 1", false, 0},
  };
  for (const auto& c : cases) {
    int v = 99;
    EXPECT_EQ(StringToInt(c.text, v), c.ok) << c.text;
    EXPECT_EQ(v, c.value) << c.text;
  }
}

TEST(Utilities, StringToDouble) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"1.25", true, 1.25}, {"-0.5", true, -0.5}, {"1e3", false, 0.0}, {"1.2.3", false, 0.0}, {"-", true, 0.0},
      {".", true, 0.0},     {"", false, 0.0},     {"42", true, 42.0},  {"3.", true, 3.0},      {"+1", false, 0.0},
  };
  for (const auto& c : cases) {
    double v = 99;
    EXPECT_EQ(StringToDouble(c.text, v), c.ok) << c.text;
    EXPECT_DOUBLE_EQ(v, c.value) << c.text;
  }
}

TEST(Utilities, CaseTrimAndSearch) {
  EXPECT_EQ(StringToUpper("abc-Z\xE9"), "ABC-Z\xE9");
  EXPECT_EQ(StringToLower("ABC-z"), "abc-z");
  EXPECT_EQ(Trim("  a b \t\n"), "a b");
  EXPECT_EQ(Trim(" \t "), "");
  EXPECT_EQ(Trim(""), "");
  struct Case {
    const char* hay;
    const char* needle;
    int index;
  } cases[] = {{"Hello World", "WORLD", 6}, {"abc", "", 0}, {"", "", -1}, {"", "a", -1},
               {"abc", "abcd", -1},         {"aab", "AB", 1}, {"Radeon 9200", "radeon", 0}};
  for (const auto& c : cases) EXPECT_EQ(StrFindNoCase(c.hay, c.needle), c.index) << c.hay << "/" << c.needle;
}

TEST(Utilities, CommaSeparate) {
  struct Case {
    int value;
    const wchar_t* text;
  } cases[] = {{0, L"0"},         {999, L"999"},         {1000, L"1,000"},         {1000000, L"1,000,000"},
               {1234567, L"1,234,567"}, {-1234, L"-1,234"}, {INT32_MIN, L"-2,147,483,648"}};
  for (const auto& c : cases) EXPECT_EQ(CommaSeparate(c.value), c.text) << c.value;
}

TEST(Utilities, Latin1Conversions) {
  EXPECT_EQ(StringToWString("Caf\xE9"), L"Caf\u00E9");
  EXPECT_EQ(WStringToString(L"Caf\u00E9"), "Caf\xE9");
  EXPECT_EQ(WStringToString(L"\u20AC5"), "?5");
  EXPECT_EQ(WStringToString(std::wstring(1, static_cast<wchar_t>(-1))), "?");
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  EXPECT_EQ(ToNarrowString(ToWString(all)), all);
}

TEST(Utilities, XMLDecodeEntities) {
  struct Case {
    const wchar_t* in;
    const wchar_t* out;
  } cases[] = {
      {L"x &lt;b&gt; &zz; y & z", L"x <b> & y & z"},
      {L"p & q; r", L"p & r"},
      {L"&quot;&apos;&amp;&nbsp;&cr;", L"\"'& \n"},
      {L"&#65;&LT;", L"&&"},
      {L"tail &amp", L"tail &amp"},
      {L"", L""},
  };
  for (const auto& c : cases) EXPECT_EQ(XMLDecodeEntities(c.in), c.out) << WStringToString(c.in);
}

TEST(Utilities, PathParts) {
  struct Case {
    const char* path;
    const char* noExt;
    const char* dir;
  } cases[] = {
      {"dir.b/file", "file", "dir.b"}, {"a\\b.c.d", "b.c", "a"}, {"noext", "noext", ""},
      {"a/b\\c", "c", "a/b"},          {"c", "c", ""},          {"x.png", "x", ""},
      {"a\\b/c.txt", "c", "a\\b"},     {"dir/", "", "dir"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(GetFileNameNoExt(c.path), c.noExt) << c.path;
    EXPECT_EQ(GetFileDir(c.path), c.dir) << c.path;
  }
  EXPECT_EQ(RemoveTrailingSlash("a/b/"), "a/b");
  EXPECT_EQ(RemoveTrailingSlash("a\\"), "a");
  EXPECT_EQ(RemoveTrailingSlash("a"), "a");
  EXPECT_EQ(RemoveTrailingSlash(""), "");
  EXPECT_EQ(AddTrailingSlash("a"), "a\\");
  EXPECT_EQ(AddTrailingSlash("a/"), "a/");
  EXPECT_EQ(AddTrailingSlash(""), "");
}

TEST(Utilities, ResolveRelativePath) {
  struct Case {
    const char* rel;
    const char* base;
    const char* result;
  } cases[] = {
      {"..\\img.png", "c:\\data\\fonts", "c:\\data\\img.png"},
      {"d:\\x", "c:\\anything", "d:\\x"},
      {"./a/b.png", "fonts", "fonts/a/b.png"},
      {"a/../b", "c:\\x", "c:\\x\\a\\..\\b"},
      {"../../x.png", "a/b/c/", "a/x.png"},
      {"../x", "..", "../../x"},
      {"../x", "a", "x"},  // the base is used up: the rest stays as it is
      {"x.png", "", "x.png"},
      {"/a", "d", "d//a"},  // an empty component keeps its separator
      {"img/x.png", "c:", "c:img/x.png"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ResolveRelativePath(c.rel, c.base), c.result) << c.rel << " against " << c.base;
}

TEST(Utilities, AppDataFolder) {
  std::string old = GetAppDataFolder();
  SetAppDataFolder("/home/u/.local/share/VARNOK/Zovad Uda Vodiz");
  EXPECT_EQ(GetAppDataFolder(), "/home/u/.local/share/VARNOK/Zovad Uda Vodiz\\");
  SetAppDataFolder("/x/");
  EXPECT_EQ(GetAppDataFolder(), "/x/");
  SetAppDataFolder("");
  EXPECT_EQ(GetAppDataFolder(), "");
  SetAppDataFolder(old);
  EXPECT_FALSE(IsWin9x());
  EXPECT_TRUE(IsVistaOrLater());
}

TEST(Utilities, MkDirAndDeleteTree) {
  Testing::TempDir dir;
  MkDir(dir.Path() + "\\one\\two/three");
  EXPECT_TRUE(Fs::IsDirectory(dir / "one/two/three"));
  MkDir(dir.Path() + "\\one\\two/three");  // again: nothing happens
  Testing::WriteFile(dir / "one/a.txt", "a");
  Testing::WriteFile(dir / "one/two/three/b.txt", "b");

  // A link out of the tree is removed, not followed.
  Testing::WriteFile(dir / "keep/precious.txt", "p");
  std::filesystem::create_directory_symlink(dir / "keep", dir / "one/two/link");

  EXPECT_TRUE(DeleteTree(dir.Path() + "\\ONE"));  // case-blind like the file shim
  EXPECT_FALSE(Fs::Exists(dir / "one"));
  EXPECT_EQ(Testing::ReadFile(dir / "keep/precious.txt"), "p");

  EXPECT_TRUE(DeleteTree(dir / "missing"));  // a listing that cannot start
  EXPECT_TRUE(DeleteTree("x"));              // too short: left alone
}

}  // namespace Plix
