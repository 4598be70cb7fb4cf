#include "framework/platform/SystemInfo.h"

#include <SDL.h>
#include <sys/utsname.h>

namespace Plix {

std::string OperatingSystemVersion() {
  utsname u{};
  if (uname(&u) != 0) return std::string();
  return std::string(u.sysname) + " " + u.release + " " + u.version + " " + u.machine;
}

std::string SdlVersion() {
  SDL_version v;
  SDL_GetVersion(&v);
  return std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.patch);
}

}  // namespace Plix
