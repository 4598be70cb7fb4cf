#pragma once
// Free functions shared by the framework and the game: string conversions,
// parsing, formatting, paths, folders.
#include <cstdarg>
#include <cstdint>
#include <string>

namespace Plix {

// The original platform's version tests. This is Linux: there is no 9x
// family, and everything the "Vista or later" branches stand for (a per-user
// application-data folder, the wide window API) is what we have.
bool IsWin9x();
bool IsVistaOrLater();

// The per-user application-data folder, empty until set. Setting appends
// "\" unless the path is empty or already ends in a separator.
void SetAppDataFolder(const std::string& path);
std::string GetAppDataFolder();

// Narrow and wide convert as Latin-1 in both directions, never through the
// locale: each byte becomes the unit of the same value, and a unit above 255
// becomes '?', so a name always survives a save and a load.
std::wstring StringToWString(const std::string& s);
std::string WStringToString(const std::wstring& s);
inline std::wstring ToWString(const std::string& s) { return StringToWString(s); }
inline std::string ToNarrowString(const std::wstring& s) { return WStringToString(s); }

std::string StringToUpper(const std::string& s);
std::string StringToLower(const std::string& s);
// Without leading and trailing white space.
std::string Trim(const std::string& s);

// Decimal, or hexadecimal after "0x"/"0X"; an optional leading "-". On a
// bad character the result is false and value 0. Overflow wraps.
bool StringToInt(const std::string& s, int& value);
// Decimal with an optional fraction and leading "-"; no exponent.
bool StringToDouble(const std::string& s, double& value);
// "1,234,567".
std::wstring CommaSeparate(int value);

// printf-style formatting with the original platform's conventions, so
// formats written for it work unchanged: in a wide format "%s" and "%c" take
// wide arguments and "%S"/"%C" narrow ones (the reverse in a narrow format);
// "%hs"/"%hc" are always narrow, "%ls"/"%lc"/"%ws"/"%wc" always wide;
// "%I64d", "%I32d" and "%Id" size the integer. Narrow and wide arguments
// convert as Latin-1. "%n" writes nothing. The result is never cut.
std::string StrFormat(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::wstring WStrFormat(const wchar_t* format, ...);
std::string VStrFormat(const char* format, va_list args);
std::wstring VWStrFormat(const wchar_t* format, va_list args);

// "&lt;" "&amp;" "&gt;" "&quot;" "&apos;" "&nbsp;" "&cr;"; any other
// entity becomes "&".
std::wstring XMLDecodeEntities(const std::wstring& s);

// Index of the first occurrence of needle in haystack, ignoring case; -1
// when there is none (or the haystack is empty).
int StrFindNoCase(const char* haystack, const char* needle);

// Paths: "\" and "/" both separate.
std::string GetFileNameNoExt(const std::string& path);
std::string GetFileDir(const std::string& path);
std::string RemoveTrailingSlash(const std::string& path);
std::string AddTrailingSlash(const std::string& path);
// Joins a relative path onto a base folder, resolving leading "." and ".."
// components; a path with a drive letter is returned unchanged.
std::string ResolveRelativePath(const std::string& relative, const std::string& base);

// Creates every folder along the path; existing ones and failures are
// ignored.
void MkDir(const std::string& path);
// Deletes the folder with everything below it; false when something could
// not be deleted (the rest is still deleted).
bool DeleteTree(const std::string& path);

}  // namespace Plix
