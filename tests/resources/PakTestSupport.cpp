#include "tests/resources/PakTestSupport.h"

#include <stdexcept>

#include "tools/paktool/PakWriter.h"

namespace Plix::Testing {

std::string PakBytes(const PakContents& files) {
  std::vector<PakFile> list;
  for (const auto& [name, content] : files) list.push_back({name, {content.begin(), content.end()}, 0});
  std::vector<uint8_t> out;
  std::string error;
  if (!BuildPakArchive(list, out, error)) throw std::runtime_error(error);
  return {out.begin(), out.end()};
}

ScopedPak::ScopedPak() : mOld(ReplacePakInterface(&mPak)) {}
ScopedPak::~ScopedPak() { ReplacePakInterface(mOld); }

}  // namespace Plix::Testing
