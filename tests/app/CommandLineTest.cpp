#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/platform/CommandLine.h"
#include "framework/platform/Files.h"
#include "framework/util/Utilities.h"
#include "tests/app/AppTestSupport.h"

namespace Plix::Testing {
namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// Records the pairs instead of applying them.
class PairApp : public TestApp {
public:
  void ApplyCommandLineSwitch(const std::string& name, const std::string& value) override {
    mPairs.emplace_back(name, value);
  }
  Pairs mPairs;
};

class CommandLineTest : public AppFixture {
protected:
  CommandLineTest() { SetAppDataFolder("/home/p/.local/share/TestCo/PlixTest/"); }
  void Touch(const std::string& name) { WriteFile(mDir / name, "x"); }
};

TEST_F(CommandLineTest, CutsTheLineIntoPairsAsTheOriginalParser) {
  const struct {
    const char* line;
    Pairs pairs;
  } cases[] = {
      {"app", {}},
      {"\"C:\\Program Files\\app.exe\" -play", {{"-play", ""}}},
      {"\"unterminated -play", {}},
      {"app -demofile=\"my demo.dmo\" -play", {{"-demofile", "my demo.dmo"}, {"-play", ""}}},
      {"app \"-demofile=my demo.dmo\"", {{"-demofile", "my demo.dmo"}}},
      {"app -recnum=3  -screensaver", {{"-recnum", "3"}, {"-screensaver", ""}}},
      {"app -demofile d.dmo", {{"-demofile", ""}, {"d.dmo", ""}}},
      {"app -a=b=c", {{"-a", "bc"}}},
      {"app =x -play", {}},
      {"app\t-play", {}},
  };
  for (const auto& c : cases) {
    auto& app = Make<PairApp>();
    SetCommandLineText(c.line);
    app.ParseCommandLine();
    EXPECT_EQ(app.mPairs, c.pairs) << c.line;
    EXPECT_TRUE(app.mCommandLineDone) << c.line;
  }
}

TEST_F(CommandLineTest, ArgumentsWithSpacesSurviveTheRoundTrip) {
  auto& app = Make<PairApp>();
  const char* argv[] = {"/opt/my games/zovad", "-demofile=my demo.dmo", "-play"};
  SetCommandLineArgs(3, argv);
  app.ParseCommandLine();
  EXPECT_EQ(app.mPairs, (Pairs{{"-demofile", "my demo.dmo"}, {"-play", ""}}));
}

TEST_F(CommandLineTest, SwitchesApplyInOrder) {
  const std::string data = "/home/p/.local/share/TestCo/PlixTest/";
  const struct {
    const char* line;
    bool playing;
    bool recording;
    std::string demoFile;
  } cases[] = {
      {"app -record -play", true, false, "plixapp.dmo"},
      {"app -play -record", false, true, "plixapp.dmo"},
      {"app -demofile=\"my demo.dmo\" -play", true, false, data + "my demo.dmo"},
      {"app -demofile=C:\\d.dmo", false, false, "C:\\d.dmo"},
      {"app -demofile=..\\d.dmo", false, false, "..\\d.dmo"},
      {"app -demofile=/tmp/d.dmo", false, false, "/tmp/d.dmo"},
      {"app -recnum=2 -demofile=x.dmo", false, true, data + "x.dmo"},
  };
  for (const auto& c : cases) {
    auto& app = Make();
    SetCommandLineText(c.line);
    app.ParseCommandLine();
    EXPECT_EQ(app.mDemoPlaying, c.playing) << c.line;
    EXPECT_EQ(app.mDemoRecording, c.recording) << c.line;
    EXPECT_EQ(app.mDemoFilePath, c.demoFile) << c.line;
  }
  auto& app = Make();
  SetCommandLineText("app -screensaver -changedir=\"/srv/my game\"");
  app.ParseCommandLine();
  EXPECT_TRUE(app.mScreenSaverMode);
  EXPECT_EQ(app.mStartFolder, "/srv/my game");
}

// Numbered demos are scanned, deleted, recorded and played in the
// application-data folder, whatever the working directory.
class NumberedDemoTest : public CommandLineTest {
protected:
  NumberedDemoTest() {
    Fs::MakeDirectory(mData);
    SetAppDataFolder(mData);
    Touch("plixapp5.dmo");  // in the working directory: never seen
  }
  void TouchDemo(const std::string& name) { WriteFile(mData + name, "x"); }
  TestApp& Parse(const std::string& line) {
    auto& app = Make();
    SetCommandLineText(line);
    app.ParseCommandLine();
    return app;
  }
  const std::string mData = mDir / "appdata/";
};

TEST_F(NumberedDemoTest, NumberedRecordingKeepsTheNewestFiles) {
  for (const char* name : {"plixapp1.dmo", "plixapp2.dmo", "plixapp7.dmo", "other3.dmo", "plixappX.dmo"})
    TouchDemo(name);
  auto& app = Make();
  SetCommandLineText("app -recnum=3");
  app.ParseCommandLine();
  EXPECT_TRUE(app.mDemoRecording);
  EXPECT_EQ(app.mDemoFilePath, mData + "plixapp8.dmo");
  EXPECT_FALSE(Fs::Exists(mData + "plixapp1.dmo"));
  EXPECT_TRUE(Fs::Exists(mData + "plixapp2.dmo"));

  // Two files left: below the limit, nothing more goes.
  Parse("app -recnum=3");
  EXPECT_TRUE(Fs::Exists(mData + "plixapp2.dmo"));

  // A limit of 0, below 0 or not a number is 5.
  for (const char* line : {"app -recnum=0", "app -recnum=-2", "app -recnum=abc"}) {
    TouchDemo("plixapp1.dmo");
    Parse(line);
    EXPECT_TRUE(Fs::Exists(mData + "plixapp1.dmo")) << line;
  }
  EXPECT_TRUE(Fs::Exists(mDir / "plixapp5.dmo"));

  // The highest number there is: the next one is counted in 64 bits.
  TouchDemo("plixapp2147483647.dmo");
  EXPECT_EQ(Parse("app -recnum").mDemoFilePath, mData + "plixapp2147483648.dmo");
}

TEST_F(NumberedDemoTest, NumberedPlaybackCountsBackByNumber) {
  auto& none = Make();
  SetCommandLineText("app -playnum");
  none.ParseCommandLine();
  EXPECT_TRUE(none.mDemoPlaying);
  EXPECT_EQ(none.mDemoFilePath, mData + "plixapp0.dmo");

  TouchDemo("plixapp4.dmo");
  TouchDemo("plixapp9.dmo");
  const struct {
    const char* line;
    const char* file;
  } cases[] = {{"app -playnum=1", "plixapp9.dmo"}, {"app -playnum=2", "plixapp8.dmo"}, {"app -playnum=0", "plixapp9.dmo"},
               {"app -playnum=-2147483648", "plixapp9.dmo"}};
  for (const auto& c : cases) EXPECT_EQ(Parse(c.line).mDemoFilePath, mData + c.file) << c.line;
}

TEST_F(CommandLineTest, AnUnknownSwitchShowsTheMessageAndEndsWithAnErrorCode) {
  auto& app = Make();
  SetCommandLineText("app -bogus=1 -play");
  int code = -1;
  try {
    app.ParseCommandLine();
  } catch (const ExitCalled& e) {
    code = e.code;
  }
  EXPECT_EQ(code, 1);
  ASSERT_EQ(mBackend.mBoxes.size(), 1u);
  EXPECT_EQ(mBackend.mBoxes[0].text, L"Invalid command line parameter: -bogus");
  EXPECT_EQ(mBackend.mBoxes[0].caption, L"FATAL ERROR");
  EXPECT_EQ(mBackend.mBoxes[0].flags, MB_ICONERROR);
  EXPECT_FALSE(app.mDemoPlaying);
  // Switch names are case-sensitive.
  auto& other = Make();
  SetCommandLineText("app -PLAY");
  EXPECT_THROW(other.ParseCommandLine(), ExitCalled);
  auto& help = Make();
  SetCommandLineText("app --help");
  code = -1;
  try {
    help.ParseCommandLine();
  } catch (const ExitCalled& e) {
    code = e.code;
  }
  EXPECT_EQ(code, 1);
}

}  // namespace
}  // namespace Plix::Testing
