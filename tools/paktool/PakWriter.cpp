#include "tools/paktool/PakWriter.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>

#include "framework/platform/Files.h"
#include "framework/resources/PakInterface.h"

namespace Plix {

namespace {

void Put32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint64_t FileTimeOf(const std::filesystem::file_time_type& t) {
  auto sys = std::chrono::file_clock::to_sys(t);
  auto ticks = std::chrono::duration_cast<std::chrono::nanoseconds>(sys.time_since_epoch()).count() / 100;
  // FILETIME counts 100 ns steps from 1601.
  return static_cast<uint64_t>(ticks + 116444736000000000LL);
}

}  // namespace

bool BuildPakArchive(const std::vector<PakFile>& files, std::vector<uint8_t>& out, std::string& error) {
  out.clear();
  Put32(out, kPakMagic);
  Put32(out, kPakVersion);
  uint64_t total = 0;
  for (const PakFile& f : files) {
    if (f.mName.empty() || f.mName.size() > 255) {
      error = "name '" + f.mName + "' must have 1 to 255 bytes";
      return false;
    }
    total += f.mData.size();
    out.push_back(0);
    out.push_back(static_cast<uint8_t>(f.mName.size()));
    out.insert(out.end(), f.mName.begin(), f.mName.end());
    Put32(out, static_cast<uint32_t>(f.mData.size()));
    Put32(out, static_cast<uint32_t>(f.mFileTime));
    Put32(out, static_cast<uint32_t>(f.mFileTime >> 32));
  }
  out.push_back(kPakEndFlag);
  // Offsets and sizes are signed 32-bit in the reader.
  if (total + out.size() > INT32_MAX) {
    error = "archive would exceed 2 GiB";
    return false;
  }
  for (const PakFile& f : files) out.insert(out.end(), f.mData.begin(), f.mData.end());
  return true;
}

bool CollectPakFolder(const std::string& folder, std::vector<PakFile>& files, std::string& error) {
  namespace fs = std::filesystem;
  files.clear();
  std::error_code ec;
  fs::path root = Fs::NativePath(folder);
  if (!fs::is_directory(root, ec)) {
    error = "not a folder: " + folder;
    return false;
  }
  for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    PakFile f;
    f.mName = it->path().lexically_relative(root).generic_string();
    std::replace(f.mName.begin(), f.mName.end(), '/', '\\');
    if (!Fs::ReadWholeFile(it->path().string(), f.mData)) {
      error = "cannot read " + it->path().string();
      return false;
    }
    f.mFileTime = FileTimeOf(it->last_write_time(ec));
    files.push_back(std::move(f));
  }
  if (ec) {
    error = "cannot list " + folder + ": " + ec.message();
    return false;
  }
  std::sort(files.begin(), files.end(), [](const PakFile& a, const PakFile& b) { return a.mName < b.mName; });
  return true;
}

}  // namespace Plix
