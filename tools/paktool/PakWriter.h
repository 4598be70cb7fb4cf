#pragma once
// Writes pak archives in the form PakInterface reads: the header, the
// directory closed by an end record, then the file contents back to back,
// all with the identity content coding.
#include <cstdint>
#include <string>
#include <vector>

namespace Plix {

struct PakFile {
  std::string mName;  // relative, "\"-separated, at most 255 bytes
  std::vector<uint8_t> mData;
  uint64_t mFileTime = 0;  // FILETIME
};

// False (with `error`) when a name is too long or a file too large.
bool BuildPakArchive(const std::vector<PakFile>& files, std::vector<uint8_t>& out, std::string& error);

// Every regular file below `folder`, named relative to it with "\"
// separators, in byte-wise order of the names.
bool CollectPakFolder(const std::string& folder, std::vector<PakFile>& files, std::string& error);

}  // namespace Plix
