// printf-style formatting with the original platform's conventions (see
// Utilities.h). Each conversion is parsed here and translated into one the
// C library understands the same way on every platform: numbers go to
// snprintf with a rebuilt narrow conversion, characters and strings are
// converted and padded here, as Latin-1, never through the locale.
#include <algorithm>
#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cwchar>
#include <string>
#include <type_traits>

#include "framework/util/Utilities.h"

namespace Plix {

namespace {

enum class Length { kNone, kChar, kShort, kLong, kLongLong, kIntMax, kSize, kPtrDiff, kLongDouble, kWide };

template <class Ch>
void AppendLatin1(std::basic_string<Ch>& out, const char* text, size_t count) {
  if constexpr (std::is_same_v<Ch, char>) {
    out.append(text, count);
  } else {
    for (size_t i = 0; i < count; ++i) out += static_cast<wchar_t>(static_cast<unsigned char>(text[i]));
  }
}

template <class Ch>
Ch FromUnit(uint32_t unit) {
  if constexpr (std::is_same_v<Ch, char>) return unit <= 255 ? static_cast<char>(unit) : '?';
  else return static_cast<wchar_t>(unit);
}

// One conversion through the C library, as a narrow conversion.
template <class Ch, class T>
void AppendC(std::basic_string<Ch>& out, const std::string& spec, T value) {
  char small[128];
  int n = std::snprintf(small, sizeof small, spec.c_str(), value);
  if (n < 0) return;
  if (static_cast<size_t>(n) < sizeof small) {
    AppendLatin1(out, small, static_cast<size_t>(n));
    return;
  }
  std::string big(static_cast<size_t>(n) + 1, '\0');
  std::snprintf(big.data(), big.size(), spec.c_str(), value);
  AppendLatin1(out, big.data(), static_cast<size_t>(n));
}

// Pads converted text to the field width, on the left unless "-" was given.
template <class Ch>
void AppendPadded(std::basic_string<Ch>& out, const std::basic_string<Ch>& text, int width, bool left) {
  size_t pad = width > 0 && static_cast<size_t>(width) > text.size() ? width - text.size() : 0;
  if (!left) out.append(pad, static_cast<Ch>(' '));
  out += text;
  if (left) out.append(pad, static_cast<Ch>(' '));
}

template <class Ch>
bool IsDigit(Ch c) {
  return c >= '0' && c <= '9';
}

// Field widths and precisions are capped so a bad format cannot ask for
// gigabytes.
constexpr int kMaxField = 1 << 20;

template <class Ch>
std::basic_string<Ch> Format(const Ch* format, va_list args) {
  constexpr bool kWideFormat = std::is_same_v<Ch, wchar_t>;
  std::basic_string<Ch> out;
  if (!format) return out;
  va_list ap;
  va_copy(ap, args);

  const Ch* p = format;
  while (*p) {
    if (*p != '%') {
      out += *p++;
      continue;
    }
    const Ch* start = p++;
    if (*p == '%') {
      out += *p++;
      continue;
    }

    std::string flags;
    while (*p == '-' || *p == '+' || *p == ' ' || *p == '#' || *p == '0') flags += static_cast<char>(*p++);
    bool left = flags.find('-') != std::string::npos;

    int width = -1;
    if (*p == '*') {
      ++p;
      width = va_arg(ap, int);
      if (width < 0) {
        left = true;
        flags += '-';
        width = width == INT32_MIN ? kMaxField : -width;
      }
    } else if (IsDigit(*p)) {
      width = 0;
      while (IsDigit(*p)) width = std::min(width * 10 + static_cast<int>(*p++ - '0'), kMaxField);
    }
    width = std::min(width, kMaxField);

    int precision = -1;
    if (*p == '.') {
      ++p;
      if (*p == '*') {
        ++p;
        precision = va_arg(ap, int);
        if (precision < 0) precision = -1;
      } else {
        precision = 0;
        while (IsDigit(*p)) precision = std::min(precision * 10 + static_cast<int>(*p++ - '0'), kMaxField);
      }
      precision = std::min(precision, kMaxField);
    }

    Length len = Length::kNone;
    if (p[0] == 'h' && p[1] == 'h') len = Length::kChar, p += 2;
    else if (p[0] == 'h') len = Length::kShort, p += 1;
    else if (p[0] == 'l' && p[1] == 'l') len = Length::kLongLong, p += 2;
    else if (p[0] == 'l') len = Length::kLong, p += 1;
    else if (p[0] == 'q') len = Length::kLongLong, p += 1;
    else if (p[0] == 'j') len = Length::kIntMax, p += 1;
    else if (p[0] == 'z') len = Length::kSize, p += 1;
    else if (p[0] == 't') len = Length::kPtrDiff, p += 1;
    else if (p[0] == 'L') len = Length::kLongDouble, p += 1;
    else if (p[0] == 'w') len = Length::kWide, p += 1;
    else if (p[0] == 'I' && p[1] == '6' && p[2] == '4') len = Length::kLongLong, p += 3;
    else if (p[0] == 'I' && p[1] == '3' && p[2] == '2') len = Length::kNone, p += 3;
    else if (p[0] == 'I') len = Length::kSize, p += 1;

    const Ch conv = *p;
    if (!conv) {  // a format that ends inside a conversion is copied as it is
      out.append(start, p);
      break;
    }
    ++p;

    std::string spec = "%" + flags;
    if (width >= 0) spec += std::to_string(width);
    if (precision >= 0) spec += "." + std::to_string(precision);

    switch (conv) {
      case 'd':
      case 'i': {
        long long v;
        switch (len) {
          case Length::kChar: v = static_cast<signed char>(va_arg(ap, int)); break;
          case Length::kShort: v = static_cast<short>(va_arg(ap, int)); break;
          case Length::kLong: v = va_arg(ap, long); break;
          case Length::kLongLong: v = va_arg(ap, long long); break;
          case Length::kIntMax: v = va_arg(ap, intmax_t); break;
          case Length::kSize:
          case Length::kPtrDiff: v = va_arg(ap, ptrdiff_t); break;
          default: v = va_arg(ap, int); break;
        }
        AppendC(out, spec + "lld", v);
        break;
      }
      case 'u':
      case 'o':
      case 'x':
      case 'X': {
        unsigned long long v;
        switch (len) {
          case Length::kChar: v = static_cast<unsigned char>(va_arg(ap, unsigned)); break;
          case Length::kShort: v = static_cast<unsigned short>(va_arg(ap, unsigned)); break;
          case Length::kLong: v = va_arg(ap, unsigned long); break;
          case Length::kLongLong: v = va_arg(ap, unsigned long long); break;
          case Length::kIntMax: v = va_arg(ap, uintmax_t); break;
          case Length::kSize:
          case Length::kPtrDiff: v = va_arg(ap, size_t); break;
          default: v = va_arg(ap, unsigned); break;
        }
        AppendC(out, spec + "ll" + static_cast<char>(conv), v);
        break;
      }
      case 'e':
      case 'E':
      case 'f':
      case 'F':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        if (len == Length::kLongDouble)
          AppendC(out, spec + "L" + static_cast<char>(conv), va_arg(ap, long double));
        else
          AppendC(out, spec + static_cast<char>(conv), va_arg(ap, double));
        break;
      case 'p':
        AppendC(out, "%" + flags + (width >= 0 ? std::to_string(width) : "") + "p", va_arg(ap, void*));
        break;
      case 'c':
      case 'C':
      case 's':
      case 'S': {
        // Lower case takes the format's own width, upper case the other one;
        // h and l/w force narrow and wide.
        bool upper = conv == 'C' || conv == 'S';
        bool wideArg = len == Length::kShort                          ? false
                       : len == Length::kLong || len == Length::kWide ? true
                                                                     : kWideFormat != upper;
        std::basic_string<Ch> text;
        if (conv == 'c' || conv == 'C') {
          uint32_t unit = wideArg ? static_cast<uint32_t>(va_arg(ap, wint_t))
                                  : static_cast<unsigned char>(va_arg(ap, int));
          text += FromUnit<Ch>(unit);
        } else if (wideArg) {
          const wchar_t* s = va_arg(ap, const wchar_t*);
          if (!s) s = L"(null)";
          for (int i = 0; s[i] && (precision < 0 || i < precision); ++i) text += FromUnit<Ch>(static_cast<uint32_t>(s[i]));
        } else {
          const char* s = va_arg(ap, const char*);
          if (!s) s = "(null)";
          for (int i = 0; s[i] && (precision < 0 || i < precision); ++i)
            text += static_cast<Ch>(static_cast<unsigned char>(s[i]));
        }
        AppendPadded(out, text, width, left);
        break;
      }
      case 'n':
        // Writing through an argument is refused; the pointer is skipped.
        (void)va_arg(ap, void*);
        break;
      default:
        // Not a conversion we know: kept as text, like an ordinary character.
        out.append(start, p);
        break;
    }
  }
  va_end(ap);
  return out;
}

}  // namespace

std::string VStrFormat(const char* format, va_list args) { return Format<char>(format, args); }
std::wstring VWStrFormat(const wchar_t* format, va_list args) { return Format<wchar_t>(format, args); }

std::string StrFormat(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string s = VStrFormat(format, args);
  va_end(args);
  return s;
}

std::wstring WStrFormat(const wchar_t* format, ...) {
  va_list args;
  va_start(args, format);
  std::wstring s = VWStrFormat(format, args);
  va_end(args);
  return s;
}

}  // namespace Plix
