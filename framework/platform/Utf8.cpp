#include "framework/platform/Utf8.h"

#include <cstdint>

namespace Plix {

std::string Utf8(const std::wstring& s) {
  std::string out;
  for (size_t i = 0; i < s.size(); ++i) {
    uint32_t u = static_cast<uint32_t>(s[i]) & 0xFFFF;
    if (u >= 0xD800 && u < 0xDC00 && i + 1 < s.size()) {
      const uint32_t low = static_cast<uint32_t>(s[i + 1]) & 0xFFFF;
      if (low >= 0xDC00 && low < 0xE000) {
        u = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
        ++i;
      }
    }
    if (u < 0x80) {
      out.push_back(static_cast<char>(u));
    } else if (u < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (u >> 6)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else if (u < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (u >> 12)));
      out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (u >> 18)));
      out.push_back(static_cast<char>(0x80 | ((u >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((u >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (u & 0x3F)));
    }
  }
  return out;
}

std::wstring FromUtf8(const char* text) {
  std::wstring out;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); p && *p;) {
    uint32_t u = *p;
    int extra = u >= 0xF0 ? 3 : u >= 0xE0 ? 2 : u >= 0xC0 ? 1 : 0;
    u = extra == 3 ? (u & 0x07) : extra == 2 ? (u & 0x0F) : extra == 1 ? (u & 0x1F) : u;
    ++p;
    for (; extra > 0 && (*p & 0xC0) == 0x80; --extra, ++p) u = (u << 6) | (*p & 0x3F);
    if (u > 0xFFFF) {
      u -= 0x10000;
      out.push_back(static_cast<wchar_t>(0xD800 + (u >> 10)));
      out.push_back(static_cast<wchar_t>(0xDC00 + (u & 0x3FF)));
    } else {
      out.push_back(static_cast<wchar_t>(u));
    }
  }
  return out;
}

}  // namespace Plix
