#include "framework/resources/PakInterface.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "framework/graphics/DataFiles.h"
#include "framework/platform/Files.h"
#include "tests/resources/PakTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/paktool/PakWriter.h"

namespace Plix {
namespace {

using Testing::PakBytes;
using Testing::ScopedPak;
using Testing::TempDir;

std::string ReadAll(PakHandle* h) {
  std::string out;
  char buf[7];
  size_t n;
  while ((n = PakFRead(buf, 1, sizeof buf, h)) > 0) out.append(buf, n);
  return out;
}

std::string ReadEntry(const std::string& name, const char* mode = "rb") {
  PakHandle* h = PakFOpen(name, mode);
  if (!h) return "<none>";
  std::string s = ReadAll(h);
  PakFClose(h);
  return s;
}

TEST(PakPath, Normalisation) {
  struct Case {
    std::string in;
    std::string out;
  } cases[] = {
      {"images/Foo.png", "IMAGES\\FOO.PNG"},
      {"IMAGES\\FOO.PNG", "IMAGES\\FOO.PNG"},
      {"images//foo.png", "IMAGES\\FOO.PNG"},
      {"images\\/\\foo.png", "IMAGES\\FOO.PNG"},
      {"a\\b\\..\\c.txt", "A\\C.TXT"},
      {"a/b/../../c", "C"},
      {"a\\..\\c", "C"},
      {"a\\b\\..", "A\\"},
      {"a..b\\c", "A..B\\C"},  // ".." not right after a separator stays
      {"..\\x", "..\\X"},
      {"x\\.\\y", "X\\.\\Y"},
      {"", ""},
      {"/elsewhere/Foo", "\\ELSEWHERE\\FOO"},
  };
  for (const auto& c : cases) EXPECT_EQ(NormalizePakPath(c.in), c.out) << c.in;

  TempDir dir;
  Testing::ScopedCwd cwd(dir.Path());
  std::string here = Fs::CurrentDirectory();
  EXPECT_EQ(NormalizePakPath(here + "/images/foo.png"), "IMAGES\\FOO.PNG");
  std::string upper = here;
  std::transform(upper.begin(), upper.end(), upper.begin(), ::toupper);
  EXPECT_EQ(NormalizePakPath(upper + "/images/foo.png"), "IMAGES\\FOO.PNG");
}

class PakTest : public ::testing::Test {
protected:
  void Add(const std::string& file, const Testing::PakContents& contents) {
    Testing::WriteFile(mDir / file, PakBytes(contents));
    ASSERT_TRUE(mPak->AddPakFile(mDir / file)) << mPak->GetErrorText();
  }

  TempDir mDir;
  ScopedPak mPak;
};

TEST_F(PakTest, LookupsIgnoreCaseAndSeparators) {
  Add("main.pak", {{"images\\Foo.png", "foo"}, {"a\\c.txt", "ac"}});
  for (const char* name : {"images/Foo.png", "IMAGES\\FOO.PNG", "images//foo.png", "Images\\foo.PNG"})
    EXPECT_EQ(ReadEntry(name), "foo") << name;
  EXPECT_EQ(ReadEntry("a\\b\\..\\c.txt"), "ac");
  for (const char* mode : {"r", "rb", "rt", "RB", "Rt"}) EXPECT_EQ(ReadEntry("a/c.txt", mode), "ac") << mode;
  EXPECT_EQ(ReadEntry("images/missing.png"), "<none>");
}

TEST_F(PakTest, LastDefinitionWins) {
  Add("one.pak", {{"x.txt", "first"}, {"y.txt", "y1"}, {"Y.TXT", "y2"}});
  Add("two.pak", {{"X.txt", "second"}});
  EXPECT_EQ(ReadEntry("x.txt"), "second");
  EXPECT_EQ(ReadEntry("y.txt"), "y2");
}

TEST_F(PakTest, DiskServesOtherNamesAndWritingModes) {
  Add("main.pak", {{"data\\a.txt", "archived"}});
  Testing::ScopedCwd cwd(mDir.Path());
  Testing::WriteFile(mDir / "data/a.txt", "on disk");
  Testing::WriteFile(mDir / "data/b.txt", "loose");
  EXPECT_EQ(ReadEntry("data/a.txt"), "archived");
  EXPECT_EQ(ReadEntry("data\\b.txt"), "loose");
  EXPECT_EQ(ReadEntry("DATA\\B.TXT"), "loose");  // the file shim finds the case
  // A mode other than reading always goes to disk, even for a name in the table.
  PakHandle* h = PakFOpen("data\\a.txt", "r+b");
  ASSERT_NE(h, nullptr);
  EXPECT_NE(h->mFP, nullptr);
  EXPECT_EQ(ReadAll(h), "on disk");
  PakFClose(h);
  h = PakFOpen("data/new.txt", "wb");
  ASSERT_NE(h, nullptr);
  PakFClose(h);
  EXPECT_TRUE(Fs::IsFile(mDir / "data/new.txt"));
}

TEST_F(PakTest, SeekClampsAndReportsSuccess) {
  Add("main.pak", {{"f", "0123456789"}});
  struct Case {
    long start;
    long offset;
    int origin;
    long pos;
  } cases[] = {
      {0, 4, SEEK_SET, 4},   {0, -3, SEEK_SET, 0}, {0, 99, SEEK_SET, 10}, {5, 2, SEEK_CUR, 7},
      {5, -9, SEEK_CUR, 0},  {5, 9, SEEK_CUR, 10}, {0, 0, SEEK_END, 10},  {0, -4, SEEK_END, 6},
      {0, 3, SEEK_END, 10},  {0, -20, SEEK_END, 0}, {3, 5, 7, 3},  // unknown origin keeps it
  };
  PakHandle* h = PakFOpen("f");
  ASSERT_NE(h, nullptr);
  for (const auto& c : cases) {
    PakFSeek(h, c.start, SEEK_SET);
    EXPECT_EQ(PakFSeek(h, c.offset, c.origin), 0);
    EXPECT_EQ(PakFTell(h), c.pos) << c.start << " " << c.offset << " " << c.origin;
  }
  PakFClose(h);
}

TEST_F(PakTest, ReadsCountWholeElements) {
  Add("main.pak", {{"f", "0123456789ABCDEFGHIJ"}});
  PakHandle* h = PakFOpen("f");
  char buf[32] = {};
  PakFSeek(h, 10, SEEK_SET);
  EXPECT_EQ(PakFRead(buf, 4, 8, h), 2u);  // 10 bytes left: two whole elements
  EXPECT_EQ(std::string(buf, 10), "ABCDEFGHIJ");
  EXPECT_EQ(PakFTell(h), 20);
  EXPECT_EQ(PakFRead(buf, 4, 1, h), 0u);
  PakFSeek(h, 0, SEEK_SET);
  EXPECT_EQ(PakFRead(buf, 0, 5, h), 0u);
  EXPECT_EQ(PakFTell(h), 0);
  EXPECT_EQ(PakFRead(buf, 3, 2, h), 2u);
  EXPECT_EQ(PakFTell(h), 6);
  EXPECT_EQ(PakFRead(buf, 1, SIZE_MAX, h), 14u);  // a huge count does not overflow
  PakFClose(h);
}

TEST_F(PakTest, CharacterReadsAndEndOfFile) {
  Add("main.pak", {{"t", "a\r\nb\r"}, {"cr", "\r\r"}});
  PakHandle* h = PakFOpen("t", "rb");
  EXPECT_EQ(PakUnGetC('z', h), 'z');  // at 0 the position stays
  EXPECT_EQ(PakFTell(h), 0);
  std::string got;
  int c;
  while ((c = PakFGetC(h)) != -1) got += static_cast<char>(c);
  EXPECT_EQ(got, "a\nb");  // carriage returns never come out, even with "rb"
  EXPECT_EQ(PakFEof(h), 1);
  PakUnGetC('q', h);
  EXPECT_EQ(PakFGetC(h), -1);  // back onto the stored '\r', which is skipped
  PakFSeek(h, 0, SEEK_SET);
  char all[8] = {};
  EXPECT_EQ(PakFRead(all, 1, 8, h), 5u);
  EXPECT_EQ(std::string(all, 5), "a\r\nb\r");  // whole reads keep every byte
  PakFSeek(h, 3, SEEK_SET);
  EXPECT_EQ(PakFEof(h), 0);
  EXPECT_EQ(PakFGetC(h), 'b');
  EXPECT_EQ(PakFEof(h), 0);  // one '\r' is left
  PakFClose(h);

  h = PakFOpen("cr");
  EXPECT_EQ(PakFGetC(h), -1);  // the end comes before anything but '\r'
  PakFClose(h);
}

TEST_F(PakTest, LineReads) {
  Add("main.pak", {{"lines", "one\r\ntwo\nlast"}});
  PakInterface& pak = *mPak;
  PakHandle* h = pak.FOpen("lines", "r");
  char buf[16];
  ASSERT_NE(pak.FGetS(buf, sizeof buf, h), nullptr);
  EXPECT_STREQ(buf, "one\n");
  ASSERT_NE(pak.FGetS(buf, 3, h), nullptr);
  EXPECT_STREQ(buf, "tw");
  ASSERT_NE(pak.FGetS(buf, sizeof buf, h), nullptr);
  EXPECT_STREQ(buf, "o\n");
  ASSERT_NE(pak.FGetS(buf, sizeof buf, h), nullptr);
  EXPECT_STREQ(buf, "last");
  EXPECT_EQ(pak.FGetS(buf, sizeof buf, h), nullptr);
  pak.FClose(h);
}

TEST_F(PakTest, TheArchiveItselfIsReadable) {
  Add("main.pak", {{"f", "x"}});
  std::string whole = Testing::ReadFile(mDir / "main.pak");
  PakHandle* h = PakFOpen(mDir / "main.pak");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->mFP, nullptr);
  EXPECT_EQ(ReadAll(h), whole);
  PakFClose(h);
}

TEST_F(PakTest, BadArchivesAreRefusedWhole) {
  Add("good.pak", {{"keep.txt", "kept"}});
  std::string good = PakBytes({{"a.txt", "aaaa"}, {"b.txt", "bbbbbb"}});
  auto patched = [&](size_t at, std::string bytes) {
    std::string s = good;
    s.replace(at, bytes.size(), bytes);
    return s;
  };
  // Directory: 8-byte header, then flags, length 5, "a.txt", size, time.
  const size_t aSize = 8 + 2 + 5;
  struct Case {
    const char* what;
    std::string bytes;
    const char* message;
  } cases[] = {
      {"empty", "", "too short"},
      {"bad magic", patched(0, "PAK!"), "wrong magic"},
      {"newer version", patched(4, std::string("\1\0\0\0", 4)), "unsupported pak version 1"},
      {"no end record", good.substr(0, 8 + 2 * (2 + 5 + 12)), "cut short after 2 entries"},
      {"cut inside an entry", good.substr(0, 8 + 2 + 5 + 3), "cut short after 0 entries"},
      {"data cut off", good.substr(0, good.size() - 1), "'b.txt' (6 bytes at offset"},
      {"size beyond the file", patched(aSize, std::string("\xff\xff\0\0", 4)), "'a.txt' (65535 bytes"},
      {"negative size", patched(aSize, std::string("\xff\xff\xff\xff", 4)), "'a.txt' has a negative size"},
  };
  for (const auto& c : cases) {
    std::string file = mDir / (std::string(c.what) + ".pak");
    Testing::WriteFile(file, c.bytes);
    EXPECT_FALSE(mPak->AddPakFile(file)) << c.what;
    EXPECT_NE(mPak->GetErrorText().find(c.message), std::string::npos) << c.what << ": " << mPak->GetErrorText();
    EXPECT_NE(mPak->GetErrorText().find(file), std::string::npos) << c.what;
    EXPECT_EQ(ReadEntry("a.txt"), "<none>") << c.what;
    EXPECT_EQ(ReadEntry(file), c.bytes) << c.what;  // served from disk
  }
  EXPECT_EQ(ReadEntry("keep.txt"), "kept");
  EXPECT_FALSE(mPak->AddPakFile(mDir / "missing.pak"));
  EXPECT_TRUE(mPak->AddPakFile(mDir / "good.pak"));
}

TEST_F(PakTest, SearchListsArchiveThenDisk) {
  Add("main.pak", {{"images\\a.png", "1"}, {"images\\b.jpg", "22"}, {"images\\sub\\c.png", "333"}, {"sounds\\d.png", ""}});
  Testing::ScopedCwd cwd(mDir.Path());
  Testing::WriteFile(mDir / "images/disk.png", "4444");
  auto list = [&](const std::string& pattern) {
    std::vector<std::string> names;
    PakFindData fd;
    PakFindHandle* s = mPak->FindFirstFile(pattern, &fd);
    if (!s) return names;
    do names.push_back(std::string(fd.mFileName) + ":" + std::to_string(fd.mFileSizeLow));
    while (mPak->FindNextFile(s, &fd));
    EXPECT_TRUE(mPak->FindClose(s));
    return names;
  };
  EXPECT_EQ(list("images/*.png"), (std::vector<std::string>{"a.png:1", "c.png:3", "disk.png:4"}));
  std::vector<std::string> all = list("Images\\*");
  ASSERT_GE(all.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(all.begin(), all.begin() + 3),
            (std::vector<std::string>{"a.png:1", "b.jpg:2", "c.png:3"}));
  EXPECT_NE(std::find(all.begin() + 3, all.end(), "disk.png:4"), all.end());
  EXPECT_TRUE(list("nothing\\*.png").empty());
  // Without a '*' no archive entry matches; the disk has no such file.
  EXPECT_TRUE(list("images\\a.png").empty());
}

TEST_F(PakTest, WholeFilesForTheGraphicsLayer) {
  Add("main.pak", {{"fonts\\big.txt", "Define\r\n"}});
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(ReadDataFile("fonts/BIG.txt", bytes));
  EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "Define\r\n");
  EXPECT_FALSE(ReadDataFile("fonts/none.txt", bytes));
  Add("empty.pak", {{"empty.txt", ""}});
  EXPECT_TRUE(ReadDataFile("empty.txt", bytes));  // nothing to read, into no buffer
  EXPECT_TRUE(bytes.empty());
}

TEST(PakPublication, FirstInterfaceIsPublished) {
  PakInterface* global = GetPakInterface();
  ASSERT_NE(global, nullptr);  // built during static initialisation
  PakInterface second;
  EXPECT_EQ(GetPakInterface(), global);
}

TEST(PakPublication, WithoutInterfaceFilesComeFromDisk) {
  TempDir dir;
  Testing::WriteFile(dir / "Loose.txt", "12345");
  PakInterface* old = ReplacePakInterface(nullptr);
  PakHandle* h = PakFOpen(dir / "loose.txt", "rb");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(PakFSeek(h, 0, SEEK_END), 0);
  EXPECT_EQ(PakFTell(h), 5);
  PakFSeek(h, 1, SEEK_SET);
  EXPECT_EQ(PakFGetC(h), '2');
  EXPECT_EQ(PakUnGetC('9', h), '9');
  EXPECT_EQ(PakFGetC(h), '9');
  char buf[8];
  EXPECT_EQ(PakFRead(buf, 1, 8, h), 3u);
  EXPECT_NE(PakFEof(h), 0);
  EXPECT_EQ(PakFClose(h), 0);
  EXPECT_EQ(PakFOpen(dir / "missing", "rb"), nullptr);
  ReplacePakInterface(old);
}

TEST(PakWriter, FolderRoundTrip) {
  TempDir src, out;
  Testing::WriteFile(src / "images/Cone.png", std::string("\x89PNG\r\n\x1a\n", 8));
  Testing::WriteFile(src / "properties/resources.xml", "<ResourceManifest/>");
  Testing::WriteFile(src / "top.txt", "");
  std::vector<PakFile> files;
  std::vector<uint8_t> bytes;
  std::string error;
  ASSERT_TRUE(CollectPakFolder(src.Path(), files, error)) << error;
  std::vector<std::string> names;
  for (const auto& f : files) names.push_back(f.mName);
  EXPECT_EQ(names, (std::vector<std::string>{"images\\Cone.png", "properties\\resources.xml", "top.txt"}));
  EXPECT_GT(files[0].mFileTime, 116444736000000000ULL);  // after 1970
  ASSERT_TRUE(BuildPakArchive(files, bytes, error)) << error;

  std::vector<PakDirEntry> dir;
  ASSERT_TRUE(ReadPakDirectory(bytes.data(), bytes.size(), dir, error)) << error;
  ASSERT_EQ(dir.size(), 3u);
  EXPECT_EQ(dir[0].mFileTime, files[0].mFileTime);
  EXPECT_EQ(dir[2].mSize, 0);

  Testing::WriteFile(out / "main.pak", std::string(bytes.begin(), bytes.end()));
  ScopedPak pak;
  ASSERT_TRUE(pak->AddPakFile(out / "main.pak"));
  EXPECT_EQ(ReadEntry("images/cone.png"), std::string("\x89PNG\r\n\x1a\n", 8));
  EXPECT_EQ(ReadEntry("PROPERTIES\\resources.XML"), "<ResourceManifest/>");
  EXPECT_EQ(ReadEntry("top.txt"), "");

  EXPECT_FALSE(BuildPakArchive({{std::string(256, 'n'), {}, 0}}, bytes, error));
  EXPECT_NE(error.find("1 to 255 bytes"), std::string::npos);
  EXPECT_FALSE(CollectPakFolder(src / "nowhere", files, error));
}

}  // namespace
}  // namespace Plix
