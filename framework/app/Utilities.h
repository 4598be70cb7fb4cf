#pragma once
// Free functions shared by the framework and the game: string conversions,
// parsing, formatting, paths.
#include <string>

namespace Plix {

// Narrow and wide convert as Latin-1 in both directions, never through the
// locale: each byte becomes the unit of the same value, and a unit above 255
// becomes '?', so a name always survives a save and a load.
std::wstring StringToWString(const std::string& s);
std::string WStringToString(const std::wstring& s);
inline std::wstring ToWString(const std::string& s) { return StringToWString(s); }
inline std::string ToNarrowString(const std::wstring& s) { return WStringToString(s); }

}  // namespace Plix
