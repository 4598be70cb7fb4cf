#pragma once
// A benchmark's settings, profiles and instance lock go to a folder of its
// own, removed at the end, so that a run meets neither another run's files
// nor the player's. SDL's dummy audio driver stands in, and its dummy video
// driver too when there is no display (or always, when asked).
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace Plix::Bench {

class BenchFolder {
public:
  enum class Video { DisplayIfAny, Dummy };

  explicit BenchFolder(const std::string& name, Video video = Video::DisplayIfAny)
      : mPath((std::filesystem::temp_directory_path() / ("plix-" + name + "-" + std::to_string(getpid()))).string()) {
    std::filesystem::create_directories(mPath);
    setenv("XDG_CONFIG_HOME", (mPath + "/config").c_str(), 1);
    setenv("XDG_DATA_HOME", (mPath + "/data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", mPath.c_str(), 1);
    const char* display = std::getenv("DISPLAY");
    if (video == Video::Dummy)
      setenv("SDL_VIDEODRIVER", "dummy", 1);
    else if (!display || !*display)
      setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  }
  ~BenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(mPath, ec);
  }
  BenchFolder(const BenchFolder&) = delete;
  BenchFolder& operator=(const BenchFolder&) = delete;

  const std::string mPath;
};

}  // namespace Plix::Bench
