// The ".dmo" file: what is read from it, what is refused and with which
// words, and what a recording writes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "framework/app/DemoFile.h"
#include "framework/app/Random.h"
#include "framework/platform/Files.h"
#include "framework/util/Utilities.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

// Little-endian pieces of a file.
struct Bytes {
  std::vector<uint8_t> b;
  Bytes& Long(uint32_t v) {
    for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  Bytes& Short(uint16_t v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
  }
  Bytes& Text(const std::string& s) {
    b.insert(b.end(), s.begin(), s.end());
    return *this;
  }
  Bytes& Head(uint32_t version, const std::string& text = "1.03") {
    return Long(kDemoMagic).Long(version).Long(77).Short(static_cast<uint16_t>(text.size())).Text(text);
  }
};

std::string ErrorOf(const Bytes& file) {
  DemoFile parsed;
  std::string error;
  EXPECT_FALSE(ParseDemoFile(file.b.data(), file.b.size(), "1.03", parsed, error));
  return error;
}

TEST(DemoFileTest, BrokenFilesAreRefusedWithTheirReason) {
  const std::string longText(300, 'v');
  const struct {
    const char* name;
    Bytes file;
    std::string error;
  } cases[] = {
      {"wrong magic", Bytes().Long(0x42BEEF79).Long(2).Long(0).Short(4).Text("1.03").Long(4).Long(0).Long(0),
       "Invalid demo file."},
      {"empty", Bytes(), "Invalid demo file."},
      {"other version", Bytes().Head(2, "2.00").Long(4).Long(0).Long(0), "This demo file appears to be for '2.00'"},
      // A length field of 300 is read as 255 bytes of text.
      {"long version text", Bytes().Head(2, longText).Long(4).Long(0).Long(0),
       "This demo file appears to be for '" + longText.substr(0, 255) + "'"},
      // The marker block must leave room behind it.
      {"block as long as the rest", Bytes().Head(2).Long(4).Long(0), "Invalid demo file."},
      {"block longer than the rest", Bytes().Head(2).Long(400).Long(0).Long(0), "Invalid demo file."},
      {"fewer markers than counted", Bytes().Head(2).Long(10).Long(2).Short(2).Text("ab").Long(5).Long(9),
       "Invalid demo file."},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorOf(c.file), c.error) << c.name;
}

TEST(DemoFileTest, AVersionOneFileHasNoMarkerBlock) {
  const Bytes file = Bytes().Head(1).Long(9000).Text("\x13\x37");
  DemoFile parsed;
  std::string error;
  ASSERT_TRUE(ParseDemoFile(file.b.data(), file.b.size(), "1.03", parsed, error)) << error;
  EXPECT_EQ(parsed.mVersion, 1u);
  EXPECT_EQ(parsed.mSeed, 77u);
  EXPECT_TRUE(parsed.mMarkers.empty());
  EXPECT_EQ(parsed.mLength, 9000u);
  EXPECT_EQ(parsed.mRecords, (std::vector<uint8_t>{0x13, 0x37}));
}

TEST(DemoFileTest, MarkersAndRecordsSurviveWritingAndReading) {
  DemoFile file;
  file.mSeed = 0xDEADBEEF;
  file.mVersionText = "1.03";
  file.mMarkers = {{"start", 10}, {"boss fight", 3000}};
  file.mLength = 9000;
  file.mRecords = {1, 2, 3};
  const std::vector<uint8_t> bytes = SerializeDemoFile(file);
  // magic, version 2, seed, text, block length, count, two markers, length.
  ASSERT_EQ(bytes.size(), 4 + 4 + 4 + 2 + 4 + 4 + 4 + (2 + 5 + 4) + (2 + 10 + 4) + 4 + 3u);
  EXPECT_EQ(std::memcmp(bytes.data(), "\x78\xEF\xBE\x42\x02\0\0\0\xEF\xBE\xAD\xDE\x04\0" "1.03", 18), 0);
  DemoFile parsed;
  std::string error;
  ASSERT_TRUE(ParseDemoFile(bytes.data(), bytes.size(), "1.03", parsed, error)) << error;
  EXPECT_EQ(parsed.mSeed, 0xDEADBEEFu);
  ASSERT_EQ(parsed.mMarkers.size(), 2u);
  EXPECT_EQ(parsed.mMarkers[1].mName, "boss fight");
  EXPECT_EQ(parsed.mMarkers[1].mUpdate, 3000u);
  EXPECT_EQ(parsed.mLength, 9000u);
  EXPECT_EQ(parsed.mRecords, file.mRecords);
}

TEST(DemoFileTest, TheHeadIsCheckedBeforeMoreIsRead) {
  TempDir dir;
  std::vector<uint8_t> bytes;
  std::string error;
  // Endless zeros: refused after four bytes instead of read until memory
  // runs out.
  EXPECT_FALSE(ReadDemoFileBytes("/dev/zero", bytes, error));
  EXPECT_EQ(error, "Invalid demo file.");
  EXPECT_TRUE(bytes.empty());

  const Bytes file = Bytes().Head(2).Long(4).Long(0).Long(9).Text(std::string(100, 'r'));
  WriteFile(dir / "d.dmo", std::string(file.b.begin(), file.b.end()));
  ASSERT_TRUE(ReadDemoFileBytes(dir / "d.dmo", bytes, error)) << error;
  EXPECT_EQ(bytes, file.b);
  ASSERT_TRUE(ReadDemoFileBytes(dir / "d.dmo", bytes, error, file.b.size()));
  EXPECT_FALSE(ReadDemoFileBytes(dir / "d.dmo", bytes, error, file.b.size() - 1));
  EXPECT_EQ(error, "Demo file too large: " + dir / "d.dmo");
  EXPECT_TRUE(bytes.empty());

  WriteFile(dir / "short.dmo", "\x78\xEF");
  EXPECT_FALSE(ReadDemoFileBytes(dir / "short.dmo", bytes, error));
  EXPECT_EQ(error, "Invalid demo file.");
  EXPECT_FALSE(ReadDemoFileBytes(dir.Path(), bytes, error));
  EXPECT_EQ(error, "Demo file could not be read: " + dir.Path());
  EXPECT_FALSE(ReadDemoFileBytes(dir / "none.dmo", bytes, error));
  EXPECT_EQ(error, "Demo file not found: " + dir / "none.dmo");
}

class DemoFileAppTest : public AppFixture {};

TEST_F(DemoFileAppTest, AMissingDemoEndsStartUpWithItsNameAndAnErrorCode) {
  auto& app = Make();
  app.mDemoPlaying = true;
  app.mDemoFilePath = mDir / "none.dmo";
  EXPECT_EQ(InitApp(), 1);  // a launcher can tell
  ASSERT_FALSE(mBackend.mBoxes.empty());
  EXPECT_EQ(mBackend.mBoxes.back().text, L"Demo file not found: " + StringToWString(mDir / "none.dmo"));
  EXPECT_FALSE(app.mDemoPlaying);
}

TEST_F(DemoFileAppTest, ReadingADemoTakesItsSeedMarkersAndLength) {
  DemoFile file;
  file.mSeed = 4242;
  file.mVersionText = "1.03";
  file.mMarkers = {{"here", 50}};
  file.mLength = 1234;
  file.mRecords = {0xAB};
  const std::vector<uint8_t> bytes = SerializeDemoFile(file);
  WriteFile(mDir / "d.dmo", std::string(bytes.begin(), bytes.end()));
  auto& app = Make();
  app.mProductVersion = "1.03";
  app.mDemoFilePath = mDir / "d.dmo";
  std::string error;
  ASSERT_TRUE(app.ReadDemoFile(error)) << error;
  EXPECT_EQ(app.mRandomSeed, 4242u);
  MersenneTwister expected;
  expected.Seed(4242);
  EXPECT_EQ(std::memcmp(gMersenneTwister.GetState(), expected.GetState(), sizeof(uint32_t) * 624), 0);
  ASSERT_EQ(app.mDemoMarkers.size(), 1u);
  EXPECT_EQ(app.mDemoMarkers[0].mName, "here");
  EXPECT_EQ(app.mDemoLength, 1234u);
  EXPECT_EQ(app.mDemoBuffer.GetDataLen(), 1);

  app.mProductVersion = "1.02";
  EXPECT_FALSE(app.ReadDemoFile(error));
  EXPECT_EQ(error, "This demo file appears to be for '1.03'");
}

TEST_F(DemoFileAppTest, ARecordingIsSavedWhenTheApplicationGoes) {
  auto& app = Make();
  app.mProductVersion = "1.03";
  app.mDemoRecording = true;
  // A folder that does not exist yet.
  app.mDemoFilePath = mDir / "new/rec.dmo";
  ASSERT_EQ(InitApp(), -1);
  app.mTicksDone = 321;
  const uint32_t seed = app.mRandomSeed;
  mApp.reset();
  std::vector<uint8_t> bytes;
  ASSERT_TRUE(Fs::ReadWholeFile(mDir / "new/rec.dmo", bytes));
  DemoFile parsed;
  std::string error;
  ASSERT_TRUE(ParseDemoFile(bytes.data(), bytes.size(), "1.03", parsed, error)) << error;
  EXPECT_EQ(parsed.mSeed, seed);
  EXPECT_TRUE(parsed.mMarkers.empty());
  EXPECT_EQ(parsed.mLength, 321u);
  // Start-up recorded the display at least.
  EXPECT_FALSE(parsed.mRecords.empty());
}

}  // namespace
}  // namespace Plix::Testing
