// The demo reader: any bytes are read without harm; what was read writes
// out as a file that reads back the same; the record stream can be walked
// to its end, every payload stepped over by its type.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/app/Buffer.h"
#include "framework/app/DemoFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Plix::DemoFile file;
  std::string error;
  if (!Plix::ParseDemoFile(data, size, "1.03", file, error)) {
    if (error.empty()) std::abort();
    return 0;
  }
  const std::vector<uint8_t> bytes = Plix::SerializeDemoFile(file);
  Plix::DemoFile again;
  if (!Plix::ParseDemoFile(bytes.data(), bytes.size(), "1.03", again, error) || again.mSeed != file.mSeed ||
      again.mLength != file.mLength || again.mRecords != file.mRecords ||
      again.mMarkers.size() != file.mMarkers.size()) {
    std::abort();
  }
  for (size_t i = 0; i < file.mMarkers.size(); ++i)
    if (again.mMarkers[i].mName != file.mMarkers[i].mName || again.mMarkers[i].mUpdate != file.mMarkers[i].mUpdate)
      std::abort();

  Plix::Buffer records;
  records.SetData(file.mRecords.data(), static_cast<int>(file.mRecords.size()));
  while (Plix::DemoRecordsRemain(records)) {
    const int64_t before = records.GetReadBitPos();
    records.ReadBits(4);
    const bool shortForm = records.ReadBits(1) != 0;
    const int type = static_cast<int>(records.ReadBits(shortForm ? 1 : 5));
    Plix::SkipDemoRecordPayload(records, shortForm, type);
    if (records.GetReadBitPos() <= before) std::abort();
  }
  return 0;
}
