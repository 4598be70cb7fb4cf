#include "framework/platform/Files.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace Plix::Fs {

namespace {

bool PathExists(const std::string& p) {
  struct stat st {};
  return ::stat(p.c_str(), &st) == 0;
}

// Finds `name` in `dir` ignoring case; empty when there is no such entry.
std::string FindNoCase(const std::string& dir, const std::string& name) {
  DIR* d = ::opendir(dir.empty() ? "." : dir.c_str());
  if (!d) return {};
  std::string found;
  while (dirent* e = ::readdir(d)) {
    if (::strcasecmp(e->d_name, name.c_str()) == 0) {
      found = e->d_name;
      break;
    }
  }
  ::closedir(d);
  return found;
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? home : "/tmp";
}

std::string XdgFolder(const char* var, const char* fallback, const std::string& company,
                      const std::string& product) {
  const char* v = std::getenv(var);
  std::string base = v && *v ? std::string(v) : HomeFolder() + "/" + fallback;
  if (base.back() != '/') base += '/';
  return base + company + "/" + product + "/";
}

}  // namespace

std::string NativePath(const std::string& path) {
  std::string p = path;
  for (char& c : p)
    if (c == '\\') c = '/';
  if (p.empty() || PathExists(p)) return p;

  // Rebuild component by component, fixing the case of those that miss.
  std::string out;
  size_t pos = 0;
  if (p[0] == '/') {
    out = "/";
    pos = 1;
  }
  bool lost = false;  // once a component is missing, the rest cannot exist
  while (pos <= p.size()) {
    size_t slash = p.find('/', pos);
    std::string comp = p.substr(pos, slash == std::string::npos ? std::string::npos : slash - pos);
    if (!comp.empty() && comp != "." && comp != ".." && !lost) {
      std::string candidate = out + comp;
      if (!PathExists(candidate)) {
        std::string match = FindNoCase(out.empty() ? "." : out, comp);
        if (!match.empty())
          comp = match;
        else
          lost = true;
      }
    }
    out += comp;
    if (slash == std::string::npos) break;
    out += '/';
    pos = slash + 1;
  }
  return out;
}

FILE* OpenFile(const std::string& path, const char* mode) {
  return std::fopen(NativePath(path).c_str(), mode);
}

bool Exists(const std::string& path) { return PathExists(NativePath(path)); }

bool IsDirectory(const std::string& path) {
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool IsFile(const std::string& path) {
  struct stat st {};
  return ::stat(NativePath(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

int64_t FileSize(const std::string& path) {
  struct stat st {};
  if (::stat(NativePath(path).c_str(), &st) != 0) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool MakeDirectory(const std::string& path) { return ::mkdir(NativePath(path).c_str(), 0755) == 0; }
bool RemoveDirectory(const std::string& path) { return ::rmdir(NativePath(path).c_str()) == 0; }
bool DeleteFile(const std::string& path) { return ::unlink(NativePath(path).c_str()) == 0; }

bool RenameFile(const std::string& from, const std::string& to) {
  return ::rename(NativePath(from).c_str(), NativePath(to).c_str()) == 0;
}

bool WildcardMatch(const std::string& pattern, const std::string& name) {
  // "*.*" is the original's "everything", names without a dot included.
  if (pattern == "*.*" || pattern == "*") return true;
  size_t p = 0, n = 0, star = std::string::npos, mark = 0;
  auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || lower(pattern[p]) == lower(name[n]))) {
      ++p;
      ++n;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<DirEntry> FindFiles(const std::string& pattern) {
  std::string p = pattern;
  for (char& c : p)
    if (c == '\\') c = '/';
  size_t slash = p.rfind('/');
  std::string dir = slash == std::string::npos ? "." : p.substr(0, slash);
  std::string mask = slash == std::string::npos ? p : p.substr(slash + 1);
  if (dir.empty()) dir = "/";

  std::vector<DirEntry> out;
  std::string native = NativePath(dir);
  DIR* d = ::opendir(native.c_str());
  if (!d) return out;
  while (dirent* e = ::readdir(d)) {
    if (!WildcardMatch(mask, e->d_name)) continue;
    DirEntry entry;
    entry.name = e->d_name;
    struct stat st {};
    entry.isDirectory = ::stat((native + "/" + entry.name).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
    out.push_back(std::move(entry));
  }
  ::closedir(d);
  return out;
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& out) {
  out.clear();
  FILE* f = OpenFile(path, "rb");
  if (!f) return false;
  bool ok = true;
  uint8_t chunk[65536];
  for (;;) {
    size_t n = std::fread(chunk, 1, sizeof chunk, f);
    out.insert(out.end(), chunk, chunk + n);
    if (n < sizeof chunk) {
      ok = !std::ferror(f);
      break;
    }
  }
  std::fclose(f);
  return ok;
}

int RemoveStaleTemporaryFiles(const std::string& path) {
  const std::string target = NativePath(path);
  const size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, std::max<size_t>(slash, 1));
  const std::string stem = (slash == std::string::npos ? target : target.substr(slash + 1)) + ".tmp";
  DIR* d = ::opendir(folder.c_str());
  if (!d) return 0;
  std::vector<std::string> stale;
  while (dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    if (name.size() <= stem.size() || name.compare(0, stem.size(), stem) != 0) continue;
    const std::string digits = name.substr(stem.size());
    if (digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string::npos) continue;
    // A writer still running may be about to rename its file.
    const auto pid = static_cast<pid_t>(std::atol(digits.c_str()));
    if (pid > 0 && (::kill(pid, 0) == 0 || errno != ESRCH)) continue;
    stale.push_back(folder + "/" + name);
  }
  ::closedir(d);
  int removed = 0;
  for (const std::string& file : stale) removed += ::unlink(file.c_str()) == 0 ? 1 : 0;
  return removed;
}

bool WriteFileAtomic(const std::string& path, const void* data, size_t size, std::string* error) {
  auto fail = [&](const char* what, int err) {
    if (error) *error = std::string(what) + " " + path + ": " + std::strerror(err);
    return false;
  };
  std::string target = NativePath(path);
  std::string tmp = target + ".tmp" + std::to_string(::getpid());
  int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return fail("cannot create", errno);
  const char* p = static_cast<const char*>(data);
  size_t left = size;
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      ::unlink(tmp.c_str());
      return fail("cannot write", err);
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  if (::fsync(fd) != 0) {
    int err = errno;
    ::close(fd);
    ::unlink(tmp.c_str());
    return fail("cannot flush", err);
  }
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(tmp.c_str());
    return fail("cannot close", err);
  }
  if (::rename(tmp.c_str(), target.c_str()) != 0) {
    int err = errno;
    ::unlink(tmp.c_str());
    return fail("cannot replace", err);
  }
  // Make the rename itself durable.
  size_t slash = target.rfind('/');
  std::string dir = slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
  int dfd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    ::fsync(dfd);
    ::close(dfd);
  }
  return true;
}

std::string UserDataFolder(const std::string& company, const std::string& product) {
  return XdgFolder("XDG_DATA_HOME", ".local/share", company, product);
}

std::string UserConfigFolder(const std::string& company, const std::string& product) {
  return XdgFolder("XDG_CONFIG_HOME", ".config", company, product);
}

std::string CurrentDirectory() {
  char buf[PATH_MAX];
  return ::getcwd(buf, sizeof buf) ? std::string(buf) : std::string(".");
}

bool ChangeDirectory(const std::string& path) { return ::chdir(NativePath(path).c_str()) == 0; }

std::string ExecutableFolder() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return "./";
  std::string exe(buf, static_cast<size_t>(n));
  return exe.substr(0, exe.rfind('/') + 1);
}

}  // namespace Plix::Fs
