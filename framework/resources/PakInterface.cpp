#include "framework/resources/PakInterface.h"

#include <algorithm>
#include <cstring>

#include "framework/graphics/DataFiles.h"
#include "framework/platform/DebugOutput.h"
#include "framework/platform/Files.h"
#include "framework/platform/MappedFile.h"

// Archive contents are stored with the identity content coding, so reads
// copy the mapped bytes unchanged.

namespace Plix {

namespace {

// The shared cell: the address of the process's interface, or null.
PakInterface* gPakCell = nullptr;

char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

std::string StringToUpper(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = Upper(c);
  return out;
}

bool IsReadMode(const char* mode) {
  std::string m = StringToUpper(mode ? mode : "");
  return m == "R" || m == "RB" || m == "RT";
}

uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

PakHandle* NewDiskHandle(const std::string& name, const char* mode) {
  FILE* fp = Fs::OpenFile(name, mode);
  if (!fp) return nullptr;
  auto* h = new PakHandle;
  h->mFP = fp;
  return h;
}

const uint8_t* EntryData(const PakEntry* e) { return e->mArchive->mFile->Data() + e->mStartPos; }

}  // namespace

// The search in progress: first the archive table in key order, then the
// disk listing.
struct PakFindHandle {
  bool mOnDisk = false;
  std::vector<Fs::DirEntry> mDiskFiles;
  size_t mDiskNext = 0;
  std::string mDiskFolder;
  std::string mLastKey;
  std::string mPattern;
};

bool ReadPakDirectory(const uint8_t* data, size_t size, std::vector<PakDirEntry>& entries,
                      std::string& error) {
  entries.clear();
  if (size < 8) {
    error = "too short for a pak header";
    return false;
  }
  if (Le32(data) != kPakMagic) {
    error = "not a pak archive (wrong magic number)";
    return false;
  }
  uint32_t version = Le32(data + 4);
  if (version > kPakVersion) {
    error = "unsupported pak version " + std::to_string(version);
    return false;
  }
  size_t pos = 8;
  int64_t offset = 0;
  auto truncated = [&]() {
    error = "directory cut short after " + std::to_string(entries.size()) + " entries";
    return false;
  };
  for (;;) {
    if (pos >= size) return truncated();
    uint8_t flags = data[pos++];
    if (flags & kPakEndFlag) break;
    if (pos >= size) return truncated();
    size_t nameLen = data[pos++];
    if (size - pos < nameLen + 12) return truncated();
    PakDirEntry e;
    e.mName.assign(reinterpret_cast<const char*>(data + pos), nameLen);
    pos += nameLen;
    e.mSize = static_cast<int32_t>(Le32(data + pos));
    e.mFileTime = Le32(data + pos + 4) | static_cast<uint64_t>(Le32(data + pos + 8)) << 32;
    pos += 12;
    if (e.mSize < 0) {
      error = "entry '" + e.mName + "' has a negative size";
      return false;
    }
    e.mStartPos = static_cast<int32_t>(std::min<int64_t>(offset, INT32_MAX));
    offset += e.mSize;
    entries.push_back(std::move(e));
  }
  // The data starts right after the end record.
  for (PakDirEntry& e : entries) {
    int64_t start = static_cast<int64_t>(pos) + e.mStartPos;
    if (start + e.mSize > static_cast<int64_t>(size) || start > INT32_MAX) {
      error = "entry '" + e.mName + "' (" + std::to_string(e.mSize) + " bytes at offset " +
              std::to_string(start) + ") lies beyond the end of the archive (" + std::to_string(size) +
              " bytes)";
      entries.clear();
      return false;
    }
    e.mStartPos = static_cast<int32_t>(start);
  }
  return true;
}

std::string NormalizePakPath(const std::string& name) {
  size_t from = 0;
  if (!name.empty() && (name[0] == '/' || (name.size() > 1 && name[1] == ':'))) {
    std::string cwd = Fs::CurrentDirectory();
    if (cwd.empty() || cwd.back() != '/') cwd += '/';
    if (name.size() >= cwd.size() && StringToUpper(name.substr(0, cwd.size())) == StringToUpper(cwd))
      from = cwd.size();
  }
  std::string out;
  out.reserve(name.size() - from);
  bool afterSeparator = false;
  for (size_t i = from; i < name.size(); ++i) {
    char c = name[i];
    if (c == '\\' || c == '/') {
      if (!afterSeparator) out += '\\';
      afterSeparator = true;
      continue;
    }
    if (c == '.' && afterSeparator && i + 1 < name.size() && name[i + 1] == '.' && !out.empty()) {
      // Step back over the previous component (to nothing when there is
      // only one) and swallow the separator that follows.
      size_t prev = out.size() >= 2 ? out.rfind('\\', out.size() - 2) : std::string::npos;
      out.resize(prev == std::string::npos ? 0 : prev + 1);
      ++i;
      continue;
    }
    afterSeparator = false;
    out += Upper(c);
  }
  return out;
}

PakInterface::PakInterface() { PublishSelf(); }

PakInterface::~PakInterface() {
  if (gPakCell == this) gPakCell = nullptr;
}

void PakInterface::PublishSelf() {
  if (!gPakCell) gPakCell = this;
}

bool PakInterface::Refuse(const std::string& path, const std::string& why) {
  mErrorText = "Pak archive " + path + " refused: " + why;
  OutputDebugStringA(mErrorText + "\n");
  return false;
}

bool PakInterface::AddPakFile(const std::string& path) {
  auto archive = std::make_unique<PakArchive>();
  archive->mFile = std::make_unique<Fs::MappedFile>();
  archive->mPath = path;
  std::string why;
  if (!archive->mFile->Open(path, &why)) {
    mErrorText = why;
    return false;
  }
  const Fs::MappedFile& file = *archive->mFile;
  if (file.Size() > INT32_MAX) return Refuse(path, "larger than 2 GiB");
  std::vector<PakDirEntry> dir;
  if (!ReadPakDirectory(file.Data(), file.Size(), dir, why)) return Refuse(path, why);

  PakArchive* a = archive.get();
  mArchives.push_back(std::move(archive));
  // The archive itself is readable like any file of it, under the key its
  // own name normalises to.
  PakEntry& self = mTable[NormalizePakPath(path)];
  self = PakEntry{a, path, 0, 0, static_cast<int32_t>(file.Size())};
  for (PakDirEntry& d : dir) {
    PakEntry& e = mTable[StringToUpper(d.mName)];
    e = PakEntry{a, std::move(d.mName), d.mFileTime, d.mStartPos, d.mSize};
  }
  mErrorText.clear();
  return true;
}

PakHandle* PakInterface::FOpen(const std::string& name, const char* mode) {
  if (IsReadMode(mode)) {
    auto it = mTable.find(NormalizePakPath(name));
    if (it != mTable.end()) {
      auto* h = new PakHandle;
      h->mEntry = &it->second;
      return h;
    }
  }
  return NewDiskHandle(name, mode);
}

int PakInterface::FClose(PakHandle* handle) {
  if (handle->mFP) std::fclose(handle->mFP);
  delete handle;
  return 0;
}

int PakInterface::FSeek(PakHandle* handle, long offset, int origin) {
  if (handle->mFP) return std::fseek(handle->mFP, offset, origin);
  int64_t size = handle->mEntry->mSize;
  int64_t pos = handle->mPos;
  if (origin == SEEK_SET)
    pos = offset;
  else if (origin == SEEK_CUR)
    pos += offset;
  else if (origin == SEEK_END)
    pos = size + offset;
  handle->mPos = static_cast<int32_t>(std::clamp<int64_t>(pos, 0, size));
  return 0;
}

long PakInterface::FTell(PakHandle* handle) {
  if (handle->mFP) return std::ftell(handle->mFP);
  return handle->mPos;
}

size_t PakInterface::FRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle) {
  if (handle->mFP) return std::fread(buffer, elementSize, count, handle->mFP);
  if (elementSize == 0) return 0;
  const PakEntry* e = handle->mEntry;
  size_t left = handle->mPos < e->mSize ? static_cast<size_t>(e->mSize - handle->mPos) : 0;
  // Comparing counts first keeps elementSize * count from overflowing.
  size_t wanted = count <= left / elementSize ? elementSize * count : left;
  if (wanted > 0) std::memcpy(buffer, EntryData(e) + handle->mPos, wanted);
  handle->mPos += static_cast<int32_t>(wanted);
  return wanted / elementSize;
}

int PakInterface::FGetC(PakHandle* handle) {
  if (handle->mFP) return std::fgetc(handle->mFP);
  const PakEntry* e = handle->mEntry;
  while (handle->mPos < e->mSize) {
    uint8_t c = EntryData(e)[handle->mPos++];
    if (c != '\r') return c;
  }
  return -1;
}

int PakInterface::UnGetC(int ch, PakHandle* handle) {
  if (handle->mFP) return std::ungetc(ch, handle->mFP);
  if (handle->mPos > 0) --handle->mPos;
  return ch;
}

char* PakInterface::FGetS(char* buffer, int size, PakHandle* handle) {
  if (handle->mFP) return std::fgets(buffer, size, handle->mFP);
  if (size <= 0) return nullptr;
  int stored = 0;
  while (stored < size - 1) {
    int c = FGetC(handle);
    if (c < 0) break;
    buffer[stored++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (stored == 0 && size > 1) return nullptr;
  buffer[stored] = '\0';
  return buffer;
}

int PakInterface::FEof(PakHandle* handle) {
  if (handle->mFP) return std::feof(handle->mFP);
  return handle->mPos >= handle->mEntry->mSize ? 1 : 0;
}

PakFindHandle* PakInterface::FindFirstFile(const std::string& pattern, PakFindData* findData) {
  auto* search = new PakFindHandle;
  search->mPattern = NormalizePakPath(pattern);
  if (FindNextPakEntry(search, findData)) return search;
  if (FindNextFile(search, findData)) return search;
  delete search;
  return nullptr;
}

bool PakInterface::FindNextFile(PakFindHandle* search, PakFindData* findData) {
  if (!search->mOnDisk) {
    if (FindNextPakEntry(search, findData)) return true;
    // The archive is exhausted: the disk part of the search begins.
    search->mOnDisk = true;
    search->mDiskFiles = Fs::FindFiles(search->mPattern);
    size_t slash = search->mPattern.rfind('\\');
    search->mDiskFolder = slash == std::string::npos ? "" : search->mPattern.substr(0, slash + 1);
  }
  return FindNextDiskFile(search, findData);
}

bool PakInterface::FindClose(PakFindHandle* search) {
  delete search;
  return true;
}

bool PakInterface::FindNextPakEntry(PakFindHandle* search, PakFindData* findData) {
  auto it = mTable.begin();
  if (!search->mLastKey.empty()) {
    it = mTable.find(search->mLastKey);
    if (it == mTable.end()) return false;
    ++it;
  }
  const std::string& pattern = search->mPattern;
  size_t star = pattern.find('*');
  if (star == std::string::npos) return false;
  std::string tail = pattern.substr(star + 1);
  for (; it != mTable.end(); ++it) {
    const std::string& key = it->first;
    if (key.compare(0, star, pattern, 0, star) != 0) continue;
    bool match = tail.empty() || tail == ".*" ||
                 (key.size() >= pattern.size() - 1 &&
                  key.compare(key.size() - tail.size(), tail.size(), tail) == 0);
    if (!match) continue;
    const PakEntry& e = it->second;
    // Archive entries are files; the table holds no folders.
    findData->mFileAttributes = 0;
    findData->mCreationTime = findData->mLastAccessTime = findData->mLastWriteTime = e.mFileTime;
    findData->mFileSizeLow = static_cast<DWORD>(e.mSize);
    size_t slash = e.mName.rfind('\\');
    std::string leaf = slash == std::string::npos ? e.mName : e.mName.substr(slash + 1);
    std::snprintf(findData->mFileName, sizeof findData->mFileName, "%s", leaf.c_str());
    search->mLastKey = key;
    return true;
  }
  return false;
}

bool PakInterface::FindNextDiskFile(PakFindHandle* search, PakFindData* findData) {
  if (search->mDiskNext >= search->mDiskFiles.size()) return false;
  const Fs::DirEntry& d = search->mDiskFiles[search->mDiskNext++];
  findData->mFileAttributes = d.isDirectory ? kFileAttributeDirectory : 0;
  int64_t size = d.isDirectory ? 0 : std::max<int64_t>(Fs::FileSize(search->mDiskFolder + d.name), 0);
  findData->mFileSizeLow = static_cast<DWORD>(size);
  findData->mFileSizeHigh = static_cast<DWORD>(size >> 32);
  std::snprintf(findData->mFileName, sizeof findData->mFileName, "%s", d.name.c_str());
  return true;
}

bool ReadPakFile(const std::string& path, std::vector<uint8_t>& out) {
  out.clear();
  PakHandle* file = PakFOpen(path, "rb");
  if (!file) return false;
  // Read to the end instead of to the size the end's position gives: a
  // folder opens like a file, with a size of any value and failing reads.
  uint8_t chunk[65536];
  size_t n = 0;
  do {
    n = PakFRead(chunk, 1, sizeof chunk, file);
    out.insert(out.end(), chunk, chunk + n);
  } while (n == sizeof chunk);
  const bool ok = PakFEof(file) != 0;
  PakFClose(file);
  if (!ok) out.clear();
  return ok;
}

// Built before the application and never destroyed. From then on the
// graphics layer reads its data files through it too.
PakInterface* gPakInterface = [] {
  auto* pak = new PakInterface;
  SetDataFileReader(ReadPakFile);
  return pak;
}();

PakInterface* GetPakInterface() { return gPakCell; }

PakInterface* ReplacePakInterface(PakInterface* pak) {
  PakInterface* old = gPakCell;
  gPakCell = pak;
  return old;
}

PakHandle* PakFOpen(const std::string& name, const char* mode) {
  if (PakInterface* pak = GetPakInterface()) return pak->FOpen(name, mode);
  return NewDiskHandle(name, mode);
}

int PakFClose(PakHandle* handle) {
  if (PakInterface* pak = GetPakInterface()) return pak->FClose(handle);
  int result = std::fclose(handle->mFP);
  delete handle;
  return result;
}

int PakFSeek(PakHandle* handle, long offset, int origin) {
  if (PakInterface* pak = GetPakInterface()) return pak->FSeek(handle, offset, origin);
  return std::fseek(handle->mFP, offset, origin);
}

long PakFTell(PakHandle* handle) {
  if (PakInterface* pak = GetPakInterface()) return pak->FTell(handle);
  return std::ftell(handle->mFP);
}

size_t PakFRead(void* buffer, size_t elementSize, size_t count, PakHandle* handle) {
  if (PakInterface* pak = GetPakInterface()) return pak->FRead(buffer, elementSize, count, handle);
  return std::fread(buffer, elementSize, count, handle->mFP);
}

int PakFGetC(PakHandle* handle) {
  if (PakInterface* pak = GetPakInterface()) return pak->FGetC(handle);
  return std::fgetc(handle->mFP);
}

int PakUnGetC(int ch, PakHandle* handle) {
  if (PakInterface* pak = GetPakInterface()) return pak->UnGetC(ch, handle);
  return std::ungetc(ch, handle->mFP);
}

int PakFEof(PakHandle* handle) {
  if (PakInterface* pak = GetPakInterface()) return pak->FEof(handle);
  return std::feof(handle->mFP);
}

}  // namespace Plix
