#pragma once
// A whole file mapped read-only into memory. The pak archives are read this
// way: the view stays valid for as long as the object lives, and reads copy
// straight out of it without a system call.
#include <cstddef>
#include <cstdint>
#include <string>

namespace Plix::Fs {

class MappedFile {
public:
  MappedFile() = default;
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the file (path through NativePath). False when it cannot be opened
  // or mapped; `error` (when given) says why. An empty file maps to no data.
  bool Open(const std::string& path, std::string* error = nullptr);
  void Close();

  const uint8_t* Data() const { return mData; }
  size_t Size() const { return mSize; }
  bool IsOpen() const { return mFd >= 0; }

private:
  int mFd = -1;
  const uint8_t* mData = nullptr;
  size_t mSize = 0;
};

}  // namespace Plix::Fs
