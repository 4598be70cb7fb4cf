#include <gtest/gtest.h>

#include <cstring>

#include "framework/platform/AudioFiles.h"
#include "framework/resources/PakInterface.h"
#include "framework/sound/DSoundManager.h"
#include "framework/sound/SoundInstance.h"
#include "tests/sound/SoundTestSupport.h"
#include "tests/support/TestSupport.h"
#include "tools/paktool/PakWriter.h"

namespace Plix {
namespace {

using Testing::AuFile;
using Testing::Be32;
using Testing::FmtChunk;
using Testing::Le16;
using Testing::Le32;
using Testing::ToneBytes;
using Testing::WavFile;

const HWND kWindow = reinterpret_cast<HWND>(1);

struct Loaded {
  bool ok = false;
  WAVEFORMATEX format;
  std::string bytes;
};

class ReaderTest : public ::testing::Test {
protected:
  // Loads `contents` as the file "<name>.<ext>" into id 1.
  Loaded Load(const std::string& ext, const std::string& contents) {
    Testing::WriteFile(mDir / ("s." + ext), contents);
    return LoadName(mDir / "s");
  }
  Loaded LoadName(const std::string& base) {
    Loaded r;
    r.ok = mMgr.LoadSound(1, base);
    if (IDirectSoundBuffer* b = mMgr.GetSoundBuffer(1)) {
      b->GetFormat(&r.format, sizeof(r.format), nullptr);
      void* p = nullptr;
      DWORD n = 0;
      if (SUCCEEDED(b->Lock(0, mMgr.GetSoundLength(1), &p, &n, nullptr, nullptr, 0))) {
        r.bytes.assign(static_cast<char*>(p), n);
        b->Unlock(p, n, nullptr, 0);
      }
    }
    return r;
  }

  Testing::OfflineAudio mOffline;
  Testing::TempDir mDir;
  DSoundManager mMgr{kWindow, false};
};

TEST_F(ReaderTest, WavFilesThatLoad) {
  const std::string tone16 = ToneBytes(100, 1, 22050, 440);
  const std::string tone8(300, '\x90');
  const struct {
    const char* what;
    std::string file;
    int channels, rate, bits;
    std::string data;
  } cases[] = {
      {"16-bit mono", WavFile({{"fmt ", FmtChunk(1, 22050, 16)}, {"data", tone16}}), 1, 22050, 16, tone16},
      {"8-bit stereo", WavFile({{"fmt ", FmtChunk(2, 11025, 8)}, {"data", tone8}}), 2, 11025, 8, tone8},
      {"16-bit stereo 48 kHz", WavFile({{"fmt ", FmtChunk(2, 48000, 16)}, {"data", tone16}}), 2, 48000, 16, tone16},
      {"long fmt chunk", WavFile({{"fmt ", FmtChunk(1, 8000, 8, 1, 6)}, {"data", tone8}}), 1, 8000, 8, tone8},
      {"no fmt: 16-bit mono 22050", WavFile({{"LIST", "abcd"}, {"data", tone16}}), 1, 22050, 16, tone16},
      {"chunk after data", WavFile({{"fmt ", FmtChunk(1, 22050, 16)}, {"data", tone16}, {"junk", "zz"}}), 1, 22050, 16, tone16},
  };
  for (const auto& c : cases) {
    const Loaded r = Load("wav", c.file);
    ASSERT_TRUE(r.ok) << c.what;
    EXPECT_EQ(r.format.nChannels, c.channels) << c.what;
    EXPECT_EQ(r.format.nSamplesPerSec, DWORD(c.rate)) << c.what;
    EXPECT_EQ(r.format.wBitsPerSample, c.bits) << c.what;
    EXPECT_EQ(r.bytes, c.data) << c.what;
    EXPECT_EQ(mMgr.GetSoundLength(1), c.data.size()) << c.what;
  }
}

TEST_F(ReaderTest, WavFilesThatAreRefused) {
  const std::string good = WavFile({{"fmt ", FmtChunk(1, 22050, 16)}, {"data", ToneBytes(100, 1, 22050, 440)}});
  std::string hugeData = WavFile({{"fmt ", FmtChunk(1, 22050, 16)}, {"data", "abcd"}});
  hugeData.replace(hugeData.size() - 8, 4, Le32(0xFFFFFFF0u));  // claims 4 GB
  const struct {
    const char* what;
    std::string file;
  } cases[] = {
      {"format tag 3", WavFile({{"fmt ", FmtChunk(1, 22050, 16, 3)}, {"data", "abcd"}})},
      {"no data chunk", WavFile({{"fmt ", FmtChunk(1, 22050, 16)}, {"LIST", "abcd"}})},
      {"not RIFF", "RIFX" + good.substr(4)},
      {"not WAVE", good.substr(0, 8) + "WAVX" + good.substr(12)},
      {"cut in the header", good.substr(0, 30)},
      {"cut in the data", good.substr(0, good.size() - 10)},
      {"data size past the end", hugeData},
      {"24-bit samples", WavFile({{"fmt ", FmtChunk(1, 22050, 24)}, {"data", "abcdef"}})},
      {"five channels", WavFile({{"fmt ", FmtChunk(5, 22050, 16)}, {"data", "abcdefghij"}})},
      {"empty data", WavFile({{"fmt ", FmtChunk(1, 22050, 16)}, {"data", ""}})},
      {"empty file", ""},
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(Load("wav", c.file).ok) << c.what;
    EXPECT_EQ(mMgr.GetNumSounds(), 0) << c.what;  // a failed read leaves the id free
  }
}

TEST_F(ReaderTest, DependencyStampMustMatchTheNamedFile) {
  const std::string source = mDir / "source.txt";
  Testing::WriteFile(source, "x");
  uint64_t time = 0;
  ASSERT_TRUE(GetFileLastWriteTime(source, time));
  auto dep = [&](const std::string& name, uint64_t t, int declaredLength) {
    return Le16(uint16_t(declaredLength)) + name + Le32(uint32_t(t)) + Le32(uint32_t(t >> 32));
  };
  const std::string data = ToneBytes(50, 1, 22050, 440);
  auto file = [&](const std::string& depBody) {
    return WavFile({{"fmt ", FmtChunk(1, 22050, 16)}, {"dep ", depBody}, {"data", data}});
  };
  EXPECT_TRUE(Load("wav", file(dep(source, time, int(source.size())))).ok);
  EXPECT_FALSE(Load("wav", file(dep(source, time + 1, int(source.size())))).ok);
  EXPECT_FALSE(Load("wav", file(dep(mDir / "gone.txt", time, int((mDir / "gone.txt").size())))).ok);
  EXPECT_TRUE(Load("wav", file(dep(mDir / "gone.txt", 0, int((mDir / "gone.txt").size())))).ok);

  // A name length of 300 reads 255 bytes of name, then the time; the rest
  // of the chunk is skipped by its size.
  std::string longName = source;
  while (longName.size() < 255) longName.insert(longName.rfind('/') + 1, "/");
  ASSERT_EQ(longName.size(), 255u);
  EXPECT_TRUE(Load("wav", file(dep(longName, time, 300) + std::string(45, 'q'))).ok);
}

TEST_F(ReaderTest, ScrambledDataIsRestoredAndCacheFilesRoundTrip) {
  const std::string data = ToneBytes(64, 2, 22050, 440);
  std::string scrambled = data;
  ScrambleSoundBytes(reinterpret_cast<uint8_t*>(scrambled.data()), scrambled.size(), 0xA7);
  ASSERT_NE(scrambled, data);
  const Loaded r = Load("wav", WavFile({{"fmt ", FmtChunk(2, 22050, 16)}, {"xor ", "\xA7"}, {"data", scrambled}}));
  ASSERT_TRUE(r.ok);
  EXPECT_EQ(r.bytes, data);

  const std::string source = mDir / "s.wav";
  EXPECT_FALSE(mMgr.WriteWavCache(1, "", source));
  ASSERT_TRUE(mMgr.WriteWavCache(1, mDir / "cache.wav", source));
  const std::string cache = Testing::ReadFile(mDir / "cache.wav");
  EXPECT_NE(cache.find("dep "), std::string::npos);
  EXPECT_EQ(cache.find(data), std::string::npos);  // stored scrambled
  const Loaded again = LoadName(mDir / "cache");
  ASSERT_TRUE(again.ok);
  EXPECT_EQ(again.bytes, data);
  EXPECT_EQ(again.format.nChannels, 2);
}

TEST(MuLaw, SamplesFollowTheExpansionRule) {
  Testing::OfflineAudio offline;
  Testing::TempDir dir;
  DSoundManager mgr(kWindow, false);
  const std::string in = "\xFF\x7F\xF0\x81\x01\x80";
  Testing::WriteFile(dir / "u.au", AuFile(1, 8000, 1, in + std::string(1, '\0'), 7));
  ASSERT_TRUE(mgr.LoadSound(0, dir / "u"));
  const int16_t expected[] = {0, 0, 120, 30592, -30592, 1020, -1020};
  void* p = nullptr;
  DWORD n = 0;
  ASSERT_TRUE(SUCCEEDED(mgr.GetSoundBuffer(0)->Lock(0, 14, &p, &n, nullptr, nullptr, 0)));
  ASSERT_EQ(n, 14u);
  for (int i = 0; i < 7; ++i) {
    int16_t s;
    std::memcpy(&s, static_cast<char*>(p) + 2 * i, 2);
    EXPECT_EQ(s, expected[i]) << i;
  }
}

TEST_F(ReaderTest, AuFiles) {
  const std::string bytes(1000, '\x10');
  const struct {
    const char* what;
    std::string file;
    bool ok;
    uint32_t length;
    int bits, channels;
  } cases[] = {
      {"mu-law", AuFile(1, 8000, 1, bytes, 1000), true, 2000, 16, 1},
      {"linear 8-bit stereo", AuFile(2, 11025, 2, bytes, 1000), true, 1000, 8, 2},
      {"unknown size reads to the end", AuFile(2, 8000, 1, bytes, 0xFFFFFFFFu), true, 1000, 8, 1},
      {"encoding 3", AuFile(3, 8000, 1, bytes, 1000), false, 0, 0, 0},
      {"size past the end", AuFile(1, 8000, 1, bytes, 1001), false, 0, 0, 0},
      {"huge size", AuFile(1, 8000, 1, bytes, 0xFFFFFFFEu), false, 0, 0, 0},
      {"cut header", AuFile(1, 8000, 1, "", 0).substr(0, 14), false, 0, 0, 0},
      {"bad magic", ".sne" + AuFile(1, 8000, 1, bytes, 1000).substr(4), false, 0, 0, 0},
      {"offset past the end", ".snd" + Be32(5000) + Be32(10) + Be32(1) + Be32(8000) + Be32(1), false, 0, 0, 0},
      {"zero rate", AuFile(2, 0, 1, bytes, 1000), false, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const Loaded r = Load("au", c.file);
    EXPECT_EQ(r.ok, c.ok) << c.what;
    if (!c.ok) {
      EXPECT_EQ(mMgr.GetNumSounds(), 0) << c.what;
      continue;
    }
    EXPECT_EQ(mMgr.GetSoundLength(1), c.length) << c.what;
    EXPECT_EQ(r.format.wBitsPerSample, c.bits) << c.what;
    EXPECT_EQ(r.format.nChannels, c.channels) << c.what;
  }
  // Signed linear samples become our unsigned 8-bit ones.
  const Loaded linear = Load("au", AuFile(2, 8000, 1, std::string("\x00\x7F\x80", 3), 3));
  ASSERT_TRUE(linear.ok);
  EXPECT_EQ(linear.bytes, std::string("\x80\xFF\x00", 3));
}

// The file with its last page claiming twice the samples it holds (its
// checksum made anew), so that decoding ends before the promised length.
std::string LongerThanItIs(std::string ogg) {
  const size_t page = ogg.rfind("OggS");
  uint64_t granule = 0;
  std::memcpy(&granule, &ogg[page + 6], 8);
  granule *= 2;
  std::memcpy(&ogg[page + 6], &granule, 8);
  std::memset(&ogg[page + 22], 0, 4);
  uint32_t crc = 0;
  for (size_t i = page; i < ogg.size(); ++i) {
    crc ^= uint32_t(uint8_t(ogg[i])) << 24;
    for (int bit = 0; bit < 8; ++bit) crc = crc & 0x80000000u ? crc << 1 ^ 0x04C11DB7u : crc << 1;
  }
  std::memcpy(&ogg[page + 22], &crc, 4);
  return ogg;
}

TEST_F(ReaderTest, OggFiles) {
  const Loaded mono = Load("ogg", Testing::ReadFile(Testing::OggFixture("mono22050")));
  ASSERT_TRUE(mono.ok);
  EXPECT_EQ(mono.format.nChannels, 1);
  EXPECT_EQ(mono.format.nSamplesPerSec, 22050u);
  EXPECT_EQ(mono.format.wBitsPerSample, 16);
  EXPECT_EQ(mMgr.GetSoundLength(1), 22050u / 4 * 2);  // 250 ms

  const std::string stereoFile = Testing::ReadFile(Testing::OggFixture("stereo44100"));
  const Loaded stereo = Load("ogg", stereoFile);
  ASSERT_TRUE(stereo.ok);
  EXPECT_EQ(stereo.format.nChannels, 2);
  EXPECT_EQ(stereo.format.nSamplesPerSec, 44100u);
  EXPECT_EQ(mMgr.GetSoundLength(1), 44100u / 2 * 4);

  std::string corrupt = stereoFile;
  corrupt[40] ^= 0x55;  // inside the identification header
  // Several pages, so that the last one's position sets the length.
  const std::string pages = Testing::ReadFile(Testing::OggFixture("pages"));
  ASSERT_TRUE(Load("ogg", pages).ok);
  const std::string early = LongerThanItIs(pages);
  for (const std::string& bad : {stereoFile.substr(0, 100), corrupt, early, std::string("OggS"), std::string()}) {
    EXPECT_FALSE(Load("ogg", bad).ok);
    EXPECT_EQ(mMgr.GetNumSounds(), 0);
  }
}

TEST_F(ReaderTest, ReadersTryTheExtensionsInOrder) {
  Testing::WriteFile(mDir / "s.au", AuFile(2, 8000, 1, std::string(10, '\0'), 10));
  EXPECT_TRUE(LoadName(mDir / "s").ok);
  EXPECT_EQ(mMgr.GetSoundLength(1), 10u);
  Testing::WriteFile(mDir / "s.ogg", Testing::ReadFile(Testing::OggFixture("mono22050")));
  EXPECT_TRUE(LoadName(mDir / "s").ok);
  EXPECT_EQ(mMgr.GetSoundLength(1), 11024u);
  Testing::WriteFile(mDir / "s.mp3", "ID3 not really");
  Testing::WriteFile(mDir / "s.wav", WavFile({{"data", "wxyz"}}));
  EXPECT_TRUE(LoadName(mDir / "s").ok);
  EXPECT_EQ(mMgr.GetSoundLength(1), 4u);
}

TEST_F(ReaderTest, SoundsAreReadFromThePakArchive) {
  std::vector<PakFile> files(2);
  files[0].mName = "sounds\\pop.wav";
  const std::string wav = WavFile({{"fmt ", FmtChunk(1, 22050, 8)}, {"data", "abcdef"}});
  files[0].mData.assign(wav.begin(), wav.end());
  files[1].mName = "sounds\\tune.ogg";
  const std::string ogg = Testing::ReadFile(Testing::OggFixture("mono22050"));
  files[1].mData.assign(ogg.begin(), ogg.end());
  std::vector<uint8_t> archive;
  std::string error;
  ASSERT_TRUE(BuildPakArchive(files, archive, error)) << error;
  Testing::WriteFile(mDir / "test.pak", std::string(archive.begin(), archive.end()));

  PakInterface pak;
  PakInterface* old = ReplacePakInterface(&pak);
  ASSERT_TRUE(pak.AddPakFile(mDir / "test.pak"));
  Testing::ScopedCwd cwd(mDir.Path());
  EXPECT_TRUE(mMgr.LoadSound(2, "sounds/pop"));
  EXPECT_EQ(mMgr.GetSoundLength(2), 6u);
  EXPECT_TRUE(mMgr.LoadSound(3, "SOUNDS\\Tune"));
  EXPECT_EQ(mMgr.GetSoundLength(3), 11024u);
  ReplacePakInterface(old);
}

}  // namespace
}  // namespace Plix
