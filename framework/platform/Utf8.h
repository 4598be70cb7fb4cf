#pragma once
// Wide text (16-bit units, pairs of surrogates for what lies beyond) to and
// from the UTF-8 that SDL speaks.
#include <string>

namespace Plix {

std::string Utf8(const std::wstring& s);
std::wstring FromUtf8(const char* text);

}  // namespace Plix
