#pragma once
#include <string>
#include <vector>

namespace Plix::Testing {

// A fresh folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return mPath; }
  // Path of a name inside the folder.
  std::string operator/(const std::string& name) const { return mPath + "/" + name; }

private:
  std::string mPath;
};

// Runs the test body with the working directory changed to a folder.
class ScopedCwd {
public:
  explicit ScopedCwd(const std::string& dir);
  ~ScopedCwd();

private:
  std::string mOld;
};

// Sets an environment variable for the scope of the object.
class ScopedEnv {
public:
  ScopedEnv(const char* name, const std::string& value);
  ~ScopedEnv();

private:
  std::string mName;
  std::string mOld;
  bool mHad = false;
};

// Audio devices open without SDL for the scope of the object; the mixer is
// pulled by hand.
class OfflineAudio {
public:
  OfflineAudio();
  ~OfflineAudio();
  OfflineAudio(const OfflineAudio&) = delete;
  OfflineAudio& operator=(const OfflineAudio&) = delete;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);

// A readable name for a case of a parameterised test, made from any text:
// letters and digits are kept, a minus sign before a digit reads "Minus",
// and every other run of characters becomes one '_'.
std::string ParamName(const std::string& text);
// The same for a number, as printed with %g ("-0.25" gives "Minus0_25").
std::string ParamName(double number);

// The project's source and build folders of this build.
std::string SourceDir();
std::string BinaryDir();

}  // namespace Plix::Testing
