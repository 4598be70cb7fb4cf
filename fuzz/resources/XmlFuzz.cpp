// The XML reader over any bytes: it ends (cleanly or with an error) and
// keeps its section consistent with the tokens it hands out.
#include <cstdlib>

#include "framework/resources/XMLParser.h"
#include "fuzz/resources/ResourceFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string path = Plix::Fuzz::ScratchFolder() + "input.xml";
  Plix::Fuzz::WriteFile(path, data, size);
  Plix::XMLParser parser;
  if (!parser.OpenFile(path)) std::abort();
  Plix::XMLToken token;
  int depth = 0;
  while (parser.NextToken(token)) {
    if (token.mKind == Plix::XMLTokenKind::Start) ++depth;
    if (token.mKind == Plix::XMLTokenKind::End && --depth < 0) std::abort();
  }
  if (parser.HasFailed() == parser.GetErrorText().empty()) std::abort();
  return 0;
}
