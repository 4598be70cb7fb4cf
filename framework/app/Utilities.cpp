#include "framework/app/Utilities.h"

namespace Plix {

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

}  // namespace Plix
