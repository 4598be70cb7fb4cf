#include "tests/support/TestSupport.h"

#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "framework/platform/AudioMixer.h"

namespace Plix::Testing {

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "plix-test-XXXXXX").string();
  if (!::mkdtemp(tmpl.data())) throw std::runtime_error("mkdtemp failed");
  mPath = tmpl;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(mPath, ec);
}

ScopedCwd::ScopedCwd(const std::string& dir) : mOld(std::filesystem::current_path().string()) {
  std::filesystem::current_path(dir);
}

ScopedCwd::~ScopedCwd() {
  std::error_code ec;
  std::filesystem::current_path(mOld, ec);
}

ScopedEnv::ScopedEnv(const char* name, const std::string& value) : mName(name) {
  if (const char* old = std::getenv(name)) {
    mHad = true;
    mOld = old;
  }
  ::setenv(name, value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (mHad)
    ::setenv(mName.c_str(), mOld.c_str(), 1);
  else
    ::unsetenv(mName.c_str());
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream f(path, std::ios::binary);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::ostringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

std::string SourceDir() { return PLIX_SOURCE_DIR; }

std::string BinaryDir() { return PLIX_BINARY_DIR; }

std::string ParamName(const std::string& text) {
  std::string name;
  for (size_t i = 0; i < text.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (std::isalnum(c)) {
      name += static_cast<char>(c);
    } else if (c == '-' && i + 1 < text.size() && std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
      if (!name.empty() && name.back() != '_') name += '_';
      name += "Minus";
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  return name.empty() ? "_" : name;
}

std::string ParamName(double number) {
  char text[32];
  std::snprintf(text, sizeof(text), "%g", number);
  return ParamName(std::string(text));
}

OfflineAudio::OfflineAudio() { SetOfflineAudioForTesting(true); }
OfflineAudio::~OfflineAudio() { SetOfflineAudioForTesting(false); }

}  // namespace Plix::Testing
