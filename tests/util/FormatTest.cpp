#include <gtest/gtest.h>

#include <cstdint>

#include "framework/util/Utilities.h"

// Some cases pass formats the compiler's printf check rejects on purpose.
#pragma GCC diagnostic ignored "-Wpragmas"
#pragma GCC diagnostic ignored "-Wformat"
#pragma GCC diagnostic ignored "-Wformat-overflow"
#pragma GCC diagnostic ignored "-Wformat-security"

namespace Plix {

TEST(Format, LengthsAroundTheOldBuffer) {
  for (size_t n : {0u, 1u, 159u, 160u, 161u, 320u, 321u, 5000u}) {
    std::string text(n, 'a');
    EXPECT_EQ(StrFormat("%s", text.c_str()), text) << n;
    std::wstring wtext(n, L'w');
    EXPECT_EQ(WStrFormat(L"%s", wtext.c_str()), wtext) << n;
    // The text of the format itself, with no conversion.
    EXPECT_EQ(StrFormat(text.c_str()), text) << n;
  }
  // A formatted number landing exactly on 160.
  std::string prefix(157, 'p');
  EXPECT_EQ(StrFormat("%s%03d", prefix.c_str(), 7), prefix + "007");
}

TEST(Format, WideFormatsFollowTheOriginalConventions) {
  struct Case {
    std::wstring got;
    const wchar_t* expect;
  } cases[] = {
      {WStrFormat(L"%s (%02d:%02d:%02d)", L"Marker", 1, 2, 3), L"Marker (01:02:03)"},
      {WStrFormat(L"[%S]", "narrow"), L"[narrow]"},
      {WStrFormat(L"[%hs|%ls|%ws]", "h", L"l", L"w"), L"[h|l|w]"},
      {WStrFormat(L"%c%C%hc%lc", L'\u263A', 'n', 'h', L'l'), L"\u263Anhl"},
      {WStrFormat(L"%S", "Caf\xE9"), L"Caf\u00E9"},  // Latin-1, whatever the locale
      {WStrFormat(L"%s", L"\u0142\u00F3d\u017A"), L"\u0142\u00F3d\u017A"},
      {WStrFormat(L"[%5s|%-5s|%.2s|%*s]", L"ab", L"ab", L"abcd", 3, L"x"), L"[   ab|ab   |ab|  x]"},
      {WStrFormat(L"%d%%", 50), L"50%"},
      {WStrFormat(L"%s", static_cast<const wchar_t*>(nullptr)), L"(null)"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expect) << WStringToString(c.expect);
}

TEST(Format, NarrowFormats) {
  struct Case {
    std::string got;
    const char* expect;
  } cases[] = {
      {StrFormat("%s: %s", "CreateSurface", "DDERR_SURFACELOST"), "CreateSurface: DDERR_SURFACELOST"},
      {StrFormat("%S|%ls", L"wide", L"\u00E9\u20AC"), "wide|\xE9?"},
      {StrFormat("%d %i %u %x %X %o", -3, 4, 5u, 255u, 255u, 8u), "-3 4 5 ff FF 10"},
      {StrFormat("%5d|%-5d|%05d|%+d|% d", 42, 42, 42, 42, 42), "   42|42   |00042|+42| 42"},
      {StrFormat("%*d|%-*d|%.*f", 4, 1, 3, 2, 2, 3.14159), "   1|2  |3.14"},
      {StrFormat("%.2f %e %g", 1.005, 12345.0, 0.5), "1.00 1.234500e+04 0.5"},
      {StrFormat("%lld %llu %zu %hd %hhu", -1LL, 18446744073709551615ULL, size_t{7}, 70000, 300),
       "-1 18446744073709551615 7 4464 44"},
      {StrFormat("%ld %lu", -9000000000L, 9000000000UL), "-9000000000 9000000000"},
      {StrFormat("%c%c", 'o', 'k'), "ok"},
      {StrFormat("%#x %#o", 255u, 8u), "0xff 010"},
      {StrFormat("%s", static_cast<const char*>(nullptr)), "(null)"},
      {StrFormat("100%%"), "100%"},
      {StrFormat("%.3s", "abcdef"), "abc"},
      {StrFormat("%d%", 5), "5%"},  // a format ending inside a conversion
      {StrFormat("%y"), "%y"},      // an unknown conversion stays text
  };
  for (const auto& c : cases) EXPECT_EQ(c.got, c.expect);
}

TEST(Format, OriginalSizePrefixes) {
  // The original platform's integer sizes, as its formats write them.
  EXPECT_EQ(WStrFormat(L"%I64d %I64u %I32d %Iu", -5LL, 1ULL << 40, -6, size_t{9}), L"-5 1099511627776 -6 9");
}

TEST(Format, ArgumentWritesAreRefused) {
  int written = 12345;
  EXPECT_EQ(WStrFormat(L"ab%nc%d", &written, 1), L"abc1");
  EXPECT_EQ(written, 12345);
}

}  // namespace Plix
