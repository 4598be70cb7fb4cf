#pragma once
// The integer types of the original platform's interfaces. Recorded data
// (demos, registry values, message parameters) keeps their widths.
#include <cstdint>

namespace Plix {

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using LONG = int32_t;
using UINT = uint32_t;
using BOOL = int32_t;
using ULONG = uint32_t;
using HRESULT = int32_t;
using WPARAM = uint32_t;
using LPARAM = int32_t;
using LRESULT = int32_t;

// Opaque handles: only their identity matters here.
using HWND = void*;
using HINSTANCE = void*;
using HMODULE = void*;
using HANDLE = void*;

struct POINT {
  LONG x = 0;
  LONG y = 0;
};

struct RECT {
  LONG left = 0;
  LONG top = 0;
  LONG right = 0;
  LONG bottom = 0;
};

// Macros, as on the original platform, so that libjpeg's own (same
// values) live beside them.
#ifndef FALSE
#define FALSE 0
#endif
#ifndef TRUE
#define TRUE 1
#endif

constexpr HRESULT S_OK = 0;
constexpr HRESULT S_FALSE = 1;
constexpr HRESULT E_FAIL = static_cast<HRESULT>(0x80004005u);
constexpr HRESULT E_OUTOFMEMORY = static_cast<HRESULT>(0x8007000Eu);
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);

inline bool SUCCEEDED(HRESULT hr) { return hr >= 0; }
inline bool FAILED(HRESULT hr) { return hr < 0; }

inline WORD LOWORD(DWORD v) { return static_cast<WORD>(v & 0xFFFF); }
inline WORD HIWORD(DWORD v) { return static_cast<WORD>((v >> 16) & 0xFFFF); }
inline DWORD MAKELONG(WORD lo, WORD hi) { return static_cast<DWORD>(lo) | (static_cast<DWORD>(hi) << 16); }

}  // namespace Plix
