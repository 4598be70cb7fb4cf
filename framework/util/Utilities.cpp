#include "framework/util/Utilities.h"

#include <cctype>
#include <filesystem>
#include <vector>

#include "framework/platform/Files.h"

namespace Plix {

namespace {

std::string gAppDataFolder;

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// The last "\" or "/"; npos when there is none.
size_t LastSeparator(const std::string& path) { return path.find_last_of("\\/"); }

}  // namespace

bool IsWin9x() { return false; }
bool IsVistaOrLater() { return true; }

void SetAppDataFolder(const std::string& path) {
  if (!IsVistaOrLater()) return;
  gAppDataFolder = path.empty() || IsSeparator(path.back()) ? path : path + "\\";
}

std::string GetAppDataFolder() { return gAppDataFolder; }

std::wstring StringToWString(const std::string& s) {
  std::wstring out(s.size(), L'\0');
  for (size_t i = 0; i < s.size(); ++i) out[i] = static_cast<wchar_t>(static_cast<unsigned char>(s[i]));
  return out;
}

std::string WStringToString(const std::wstring& s) {
  std::string out(s.size(), '\0');
  for (size_t i = 0; i < s.size(); ++i) {
    auto u = static_cast<uint32_t>(s[i]);
    out[i] = u <= 255 ? static_cast<char>(u) : '?';
  }
  return out;
}

std::string StringToUpper(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string StringToLower(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

std::string Trim(const std::string& s) {
  auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  size_t first = 0;
  while (first < s.size() && space(s[first])) ++first;
  size_t last = s.size();
  while (last > first && space(s[last - 1])) --last;
  return s.substr(first, last - first);
}

bool StringToInt(const std::string& s, int& value) {
  value = 0;
  if (s.empty()) return false;
  bool negative = s[0] == '-';
  uint32_t v = 0;  // unsigned: overflow wraps without undefined behaviour
  uint32_t radix = 10;
  for (size_t i = negative ? 1 : 0; i < s.size(); ++i) {
    char c = s[i];
    uint32_t digit;
    if (c >= '0' && c <= '9') {
      digit = static_cast<uint32_t>(c - '0');
    } else if (radix == 16 && c >= 'A' && c <= 'F') {
      digit = static_cast<uint32_t>(c - 'A' + 10);
    } else if (radix == 16 && c >= 'a' && c <= 'f') {
      digit = static_cast<uint32_t>(c - 'a' + 10);
    } else if ((c == 'x' || c == 'X') && i == 1 && v == 0) {
      radix = 16;
      continue;
    } else {
      value = 0;
      return false;
    }
    v = v * radix + digit;
  }
  value = static_cast<int>(negative ? 0u - v : v);
  return true;
}

bool StringToDouble(const std::string& s, double& value) {
  value = 0.0;
  if (s.empty()) return false;
  bool negative = s[0] == '-';
  size_t i = negative ? 1 : 0;
  double v = 0.0;
  for (; i < s.size() && s[i] != '.'; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
  }
  double factor = 0.1;
  for (++i; i < s.size(); ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v += (s[i] - '0') * factor;
    factor /= 10;
  }
  value = negative ? -v : v;
  return true;
}

std::wstring CommaSeparate(int value) {
  // Callers pass sizes and counts; a negative number keeps its sign in front.
  int64_t v = value;
  bool negative = v < 0;
  std::wstring digits = std::to_wstring(negative ? -v : v);
  std::wstring out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += L',';
    out += digits[i];
  }
  return negative ? L"-" + out : out;
}

std::wstring XMLDecodeEntities(const std::wstring& s) {
  static const struct {
    const wchar_t* name;
    wchar_t ch;
  } kEntities[] = {{L"lt", L'<'},   {L"amp", L'&'},  {L"gt", L'>'}, {L"quot", L'"'},
                   {L"apos", L'\''}, {L"nbsp", L' '}, {L"cr", L'\n'}};
  std::wstring out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] != L'&') {
      out += s[i];
      continue;
    }
    size_t semi = s.find(L';', i + 1);
    if (semi == std::wstring::npos) {
      out += L'&';
      continue;
    }
    std::wstring name = s.substr(i + 1, semi - i - 1);
    wchar_t ch = L'&';
    for (const auto& e : kEntities)
      if (name == e.name) ch = e.ch;
    out += ch;
    i = semi;
  }
  return out;
}

int StrFindNoCase(const char* haystack, const char* needle) {
  if (!haystack || !needle || !*haystack) return -1;
  auto lower = [](char c) { return std::tolower(static_cast<unsigned char>(c)); };
  for (int i = 0; haystack[i]; ++i) {
    int j = 0;
    while (needle[j] && haystack[i + j] && lower(haystack[i + j]) == lower(needle[j])) ++j;
    if (!needle[j]) return i;
  }
  return -1;
}

std::string GetFileNameNoExt(const std::string& path) {
  size_t sep = LastSeparator(path);
  size_t start = sep == std::string::npos ? 0 : sep + 1;
  size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < start) return path.substr(start);
  return path.substr(start, dot - start);
}

std::string GetFileDir(const std::string& path) {
  size_t sep = LastSeparator(path);
  return sep == std::string::npos ? std::string() : path.substr(0, sep);
}

std::string RemoveTrailingSlash(const std::string& path) {
  return !path.empty() && IsSeparator(path.back()) ? path.substr(0, path.size() - 1) : path;
}

std::string AddTrailingSlash(const std::string& path) {
  return path.empty() || IsSeparator(path.back()) ? path : path + "\\";
}

std::string ResolveRelativePath(const std::string& relative, const std::string& base) {
  if (relative.size() > 1 && relative[1] == ':') return relative;
  bool backslash = relative.find('\\') != std::string::npos || base.find('\\') != std::string::npos;
  const char sep = backslash ? '\\' : '/';

  std::string rel = relative;
  std::string b = base;
  std::string drive;
  if (b.size() > 1 && b[1] == ':') {
    drive = b.substr(0, 2);
    b.erase(0, 2);
  }
  if (!b.empty() && !IsSeparator(b.back())) b += sep;

  // Resolve leading components only; b ends in a separator throughout.
  while (!b.empty()) {
    size_t cut = rel.find_first_of("\\/");
    if (cut == std::string::npos) break;
    std::string comp = rel.substr(0, cut);
    rel.erase(0, cut + 1);
    if (comp == "..") {
      size_t last = b.size() >= 2 ? b.find_last_of("\\/", b.size() - 2) : std::string::npos;
      size_t start = last == std::string::npos ? 0 : last + 1;
      if (b.substr(start, b.size() - 1 - start) == "..")
        b += std::string("..") + sep;
      else
        b = last == std::string::npos ? std::string() : b.substr(0, last + 1);
    } else if (comp.empty()) {
      b += sep;
    } else if (comp != ".") {
      b += comp + sep;
      break;
    }
  }

  std::string result = drive + b + rel;
  for (char& c : result)
    if (IsSeparator(c)) c = sep;
  return result;
}

void MkDir(const std::string& path) {
  for (size_t i = 0; i < path.size(); ++i)
    if (IsSeparator(path[i]) && i > 0) Fs::MakeDirectory(path.substr(0, i));
  Fs::MakeDirectory(path);
}

bool DeleteTree(const std::string& path) {
  if (path.size() < 2) return true;
  std::string dir = IsSeparator(path.back()) ? path : path + "\\";
  if (!Fs::IsDirectory(dir)) return true;
  bool ok = true;
  for (const Fs::DirEntry& e : Fs::FindFiles(dir + "*.*")) {
    if (e.name == "." || e.name == "..") continue;
    std::string child = dir + e.name;
    // A link to a folder is removed as a link: following it would delete
    // files outside the tree.
    std::error_code ec;
    bool link = std::filesystem::is_symlink(std::filesystem::symlink_status(Fs::NativePath(child), ec));
    if (e.isDirectory && !link) {
      if (!DeleteTree(child)) ok = false;
    } else if (!Fs::DeleteFile(child)) {
      ok = false;
    }
  }
  if (!Fs::RemoveDirectory(path)) ok = false;
  return ok;
}

}  // namespace Plix
