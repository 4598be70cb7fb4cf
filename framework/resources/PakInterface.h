#pragma once
// The read-only file layer that every data file is read through. Files
// found in the mapped pak archives are served from memory; any other name
// is opened from disk through the platform's file shim, so loose files work
// with or without an archive.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/WinTypes.h"

namespace Plix {

namespace Fs {
class MappedFile;
}

constexpr uint32_t kPakMagic = 0xBAC04AC0;
constexpr uint32_t kPakVersion = 0;
constexpr uint8_t kPakEndFlag = 0x80;

// One mapped archive; it stays mapped as long as its interface lives.
struct PakArchive {
  std::unique_ptr<Fs::MappedFile> mFile;
  std::string mPath;
};

// One file of the table.
struct PakEntry {
  PakArchive* mArchive = nullptr;
  std::string mName;       // exactly as the directory stores it
  uint64_t mFileTime = 0;  // FILETIME as stored
  int32_t mStartPos = 0;   // from the beginning of the archive file
  int32_t mSize = 0;
};

// An open file: an archive entry (mFP null) or a disk stream (mEntry null).
struct PakHandle {
  PakEntry* mEntry = nullptr;
  int32_t mPos = 0;
  FILE* mFP = nullptr;
};

// The fields of the platform's find-data record that a search fills.
struct PakFindData {
  DWORD mFileAttributes = 0;
  uint64_t mCreationTime = 0;
  uint64_t mLastAccessTime = 0;
  uint64_t mLastWriteTime = 0;
  DWORD mFileSizeHigh = 0;
  DWORD mFileSizeLow = 0;
  char mFileName[260] = {};
};

constexpr DWORD kFileAttributeDirectory = 0x10;

struct PakFindHandle;

// One record of an archive directory, with its start offset resolved.
struct PakDirEntry {
  std::string mName;
  int32_t mStartPos = 0;
  int32_t mSize = 0;
  uint64_t mFileTime = 0;
};

// Reads the header and directory of an archive's bytes. Every entry must
// lie inside the `size` bytes; a wrong magic or version, a directory cut
// short or an entry reaching past the end gives false and says why.
bool ReadPakDirectory(const uint8_t* data, size_t size, std::vector<PakDirEntry>& entries,
                      std::string& error);

// The table key of a name: separators become one "\", "dir\.." steps back,
// letters are upper-cased, and an absolute name inside the current folder
// loses that prefix.
std::string NormalizePakPath(const std::string& name);

class PakInterfaceBase {
public:
  virtual ~PakInterfaceBase() = default;
  virtual PakHandle* FOpen(const std::string& name, const char* mode) = 0;
  virtual int FClose(PakHandle* handle) = 0;
  virtual int FSeek(PakHandle* handle, long offset, int origin) = 0;
  virtual long FTell(PakHandle* handle) = 0;
  virtual size_t FRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle) = 0;
  virtual int FGetC(PakHandle* handle) = 0;
  virtual int UnGetC(int ch, PakHandle* handle) = 0;
  virtual char* FGetS(char* buffer, int size, PakHandle* handle) = 0;
  virtual int FEof(PakHandle* handle) = 0;
  virtual PakFindHandle* FindFirstFile(const std::string& pattern, PakFindData* findData) = 0;
  virtual bool FindNextFile(PakFindHandle* search, PakFindData* findData) = 0;
  virtual bool FindClose(PakFindHandle* search) = 0;
};

class PakInterface : public PakInterfaceBase {
public:
  // The first interface constructed in the process publishes itself.
  PakInterface();
  ~PakInterface() override;
  PakInterface(const PakInterface&) = delete;
  PakInterface& operator=(const PakInterface&) = delete;

  // Maps an archive and adds its directory to the table (a name already
  // there is replaced: the last definition wins). False when the file
  // cannot be mapped or is no sound archive; GetErrorText says why.
  bool AddPakFile(const std::string& path);
  const std::string& GetErrorText() const { return mErrorText; }

  // Modes "r", "rb" and "rt" (any case) look in the table first; other
  // modes, and names not in it, open from disk.
  PakHandle* FOpen(const std::string& name, const char* mode) override;
  int FClose(PakHandle* handle) override;
  // Clamped to the file for archive entries; always 0 for them.
  int FSeek(PakHandle* handle, long offset, int origin) override;
  long FTell(PakHandle* handle) override;
  // Whole elements read; the bytes of a partial last element are consumed.
  size_t FRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle) override;
  // Skips carriage returns in archive entries (text reading only).
  int FGetC(PakHandle* handle) override;
  int UnGetC(int ch, PakHandle* handle) override;
  char* FGetS(char* buffer, int size, PakHandle* handle) override;
  int FEof(PakHandle* handle) override;

  // Archive entries first (pattern with one '*'), then the disk. Null
  // when nothing matches.
  PakFindHandle* FindFirstFile(const std::string& pattern, PakFindData* findData) override;
  bool FindNextFile(PakFindHandle* search, PakFindData* findData) override;
  bool FindClose(PakFindHandle* search) override;

private:
  bool FindNextPakEntry(PakFindHandle* search, PakFindData* findData);
  bool FindNextDiskFile(PakFindHandle* search, PakFindData* findData);
  void PublishSelf();
  bool Refuse(const std::string& path, const std::string& why);

  std::vector<std::unique_ptr<PakArchive>> mArchives;
  std::map<std::string, PakEntry> mTable;
  std::string mErrorText;
};

// The published interface, or null.
PakInterface* GetPakInterface();
// Puts another interface in the shared cell and returns the one that was
// there; tests read through tables of their own this way.
PakInterface* ReplacePakInterface(PakInterface* pak);

// The wrappers every module reads through: the published interface's
// operation, or the C library on disk when there is none.
PakHandle* PakFOpen(const std::string& name, const char* mode = "rb");
int PakFClose(PakHandle* handle);
int PakFSeek(PakHandle* handle, long offset, int origin);
long PakFTell(PakHandle* handle);
size_t PakFRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle);
int PakFGetC(PakHandle* handle);
int PakUnGetC(int ch, PakHandle* handle);
int PakFEof(PakHandle* handle);

// A whole file through the wrappers; false when it cannot be opened or read.
bool ReadPakFile(const std::string& path, std::vector<uint8_t>& out);

}  // namespace Plix
