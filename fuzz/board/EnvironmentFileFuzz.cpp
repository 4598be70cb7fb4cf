// The environment reader on any text: no crash, and a layout it accepts
// keeps to the limits the board relies on.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "game/board/EnvironmentFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Plix::EnvironmentLayout layout;
  std::string error;
  std::string_view text(reinterpret_cast<const char*>(data), size);
  if (!Plix::ParseEnvironment(text, layout, error)) {
    if (error.empty() || !layout.records.empty()) std::abort();
    return 0;
  }
  const int count = static_cast<int>(layout.records.size());
  if (count > Plix::EnvironmentLayout::kMaxRecords) std::abort();
  Plix::EnvironmentSizes sizes;
  for (int i = 0; i < count; ++i) {
    const Plix::EnvironmentRecord& r = layout.records[i];
    if (r.kind == Plix::kEnvTable && r.p4 != 1 && r.p4 != 2 && r.p4 != 4) std::abort();
    if (r.kind == Plix::kEnvDecoration && (r.p4 < 0 || r.p4 >= Plix::AreaDecorationSlots(layout.area))) std::abort();
    if (!r.links.empty() && !Plix::RecordMakesNode(r)) std::abort();
    for (int j : r.links)
      if (j < 0 || j >= count || j == i || !Plix::RecordMakesNode(layout.records[j])) std::abort();
    if (Plix::RecordMakesNode(r)) Plix::PlaceEnvironmentNode(layout, i, sizes);
  }
  Plix::CheckLinkedPositions(layout, sizes, error);
  return 0;
}
