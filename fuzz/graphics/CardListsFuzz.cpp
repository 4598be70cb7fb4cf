// The 3D test's card lists beside the game, vhwb.dat (cards refused) and
// vhw.dat (cards allowed), on any bytes: the input is the card's
// description, then the two files' bytes, parted by zero bytes. Reading
// them never crashes, and a card named by a line of the refusal list is
// never allowed.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "framework/graphics/D3DTester.h"

namespace {

struct Folder {
  std::filesystem::path previous = std::filesystem::current_path();
  std::string path;
  Folder() {
    char pattern[] = "/tmp/plix_card_lists_fuzz_XXXXXX";
    const char* root = mkdtemp(pattern);
    if (!root) std::abort();
    path = root;
    std::filesystem::current_path(path);
  }
  ~Folder() {
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(path);
  }
};

void Write(const char* name, const std::string& bytes, bool present) {
  std::remove(name);
  if (!present) return;
  FILE* f = std::fopen(name, "wb");
  if (!f) std::abort();
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static Folder folder;
  const std::string input(reinterpret_cast<const char*>(data), size);
  const size_t first = input.find('\0');
  const size_t second = first == std::string::npos ? std::string::npos : input.find('\0', first + 1);
  const std::string description = input.substr(0, first);
  const std::string refused = first == std::string::npos ? "" : input.substr(first + 1, second - first - 1);
  const std::string allowed = second == std::string::npos ? "" : input.substr(second + 1);
  // A list that is missing is not an empty list: both cases are reached.
  Write("vhwb.dat", refused, first != std::string::npos);
  Write("vhw.dat", allowed, second != std::string::npos);

  Plix::D3DTester tester(nullptr);
  tester.mDriverYear = description.size() % 2 ? 2004 : 1999;
  const bool supported = tester.IsSupportedCard(description);
  bool opened = false;
  if (supported && Plix::D3DTester::FileContains("vhwb.dat", description, &opened)) std::abort();
  return 0;
}
