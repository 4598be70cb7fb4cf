#pragma once
// Versions for reports: the operating system, and the media library that
// stands in for the original platform's display and sound libraries.
#include <string>

namespace Plix {

// "Linux 6.1.0-18-amd64 #1 SMP ... x86_64" (uname), or empty.
std::string OperatingSystemVersion();
// The version of SDL linked in: "2.26.5".
std::string SdlVersion();

}  // namespace Plix
