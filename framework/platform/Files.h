#pragma once
// The one place where the program touches the disk. Paths arrive in the
// original platform's form: "\" separators and names whose case may not
// match the files. Every path is turned into a native one here: "\" becomes
// "/", and a component that does not exist is looked up again without
// regard to case.
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace Plix::Fs {

// The native form of a path (see above). A component that cannot be found
// is kept as given, so the result names where a new file would be created.
std::string NativePath(const std::string& path);

// fopen through NativePath.
FILE* OpenFile(const std::string& path, const char* mode);

bool Exists(const std::string& path);
bool IsDirectory(const std::string& path);
bool IsFile(const std::string& path);
// Size in bytes, or -1 when the file does not exist.
int64_t FileSize(const std::string& path);

// One directory level; false when it could not be made (or exists).
bool MakeDirectory(const std::string& path);
bool RemoveDirectory(const std::string& path);
bool DeleteFile(const std::string& path);
bool RenameFile(const std::string& from, const std::string& to);

struct DirEntry {
  std::string name;
  bool isDirectory = false;
};

// Lists a directory with a wildcard pattern in its last component, as the
// original's FindFirstFile: "dir\\*.dmo", "image*.png", "*.*" (everything).
// Matching ignores case. "." and ".." are listed like any entry.
std::vector<DirEntry> FindFiles(const std::string& pattern);
bool WildcardMatch(const std::string& pattern, const std::string& name);

// The whole file; false when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out);

// Writes a file that a player would miss if it were damaged: a temporary
// file in the same folder, flushed with fsync, renamed over the old one.
// On failure the old file is untouched and `error` (when given) says why.
bool WriteFileAtomic(const std::string& path, const void* data, size_t size,
                     std::string* error = nullptr);
// Deletes the temporary files that writes of `path` by processes no longer
// running left behind (killed before their rename); returns how many.
int RemoveStaleTemporaryFiles(const std::string& path);

// Per-user folders, each ending in "/": $XDG_DATA_HOME (or ~/.local/share)
// and $XDG_CONFIG_HOME (or ~/.config), then company and product.
std::string UserDataFolder(const std::string& company, const std::string& product);
std::string UserConfigFolder(const std::string& company, const std::string& product);

std::string CurrentDirectory();
bool ChangeDirectory(const std::string& path);
// The folder of the running executable, ending in "/".
std::string ExecutableFolder();

}  // namespace Plix::Fs
