#include "framework/platform/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "framework/platform/Files.h"

namespace Plix::Fs {

MappedFile::~MappedFile() { Close(); }

bool MappedFile::Open(const std::string& path, std::string* error) {
  Close();
  auto fail = [&](const char* what) {
    if (error) *error = std::string(what) + " " + path + ": " + std::strerror(errno);
    if (mFd >= 0) ::close(mFd);
    mFd = -1;
    return false;
  };
  mFd = ::open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (mFd < 0) return fail("cannot open");
  struct stat st {};
  if (::fstat(mFd, &st) != 0) return fail("cannot stat");
  if (!S_ISREG(st.st_mode)) {
    errno = EISDIR;
    return fail("cannot open");
  }
  mSize = static_cast<size_t>(st.st_size);
  if (mSize == 0) return true;
  void* view = ::mmap(nullptr, mSize, PROT_READ, MAP_PRIVATE, mFd, 0);
  if (view == MAP_FAILED) {
    mSize = 0;
    return fail("cannot map");
  }
  mData = static_cast<const uint8_t*>(view);
  return true;
}

void MappedFile::Close() {
  if (mData) ::munmap(const_cast<uint8_t*>(mData), mSize);
  if (mFd >= 0) ::close(mFd);
  mData = nullptr;
  mSize = 0;
  mFd = -1;
}

}  // namespace Plix::Fs
