#include "framework/graphics/DataFiles.h"

#include "framework/platform/Files.h"

namespace Plix {

namespace {
DataFileReader& Reader() {
  static DataFileReader reader;
  return reader;
}
}  // namespace

void SetDataFileReader(DataFileReader reader) { Reader() = std::move(reader); }

bool ReadDataFile(const std::string& path, std::vector<uint8_t>& out) {
  out.clear();
  if (Reader()) return Reader()(path, out);
  return Fs::ReadWholeFile(path, out);
}

}  // namespace Plix
