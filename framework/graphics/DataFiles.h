#pragma once
// Graphics reads its data files (font scripts, widths files) through the
// pak layer, which lives above it. The pak layer installs its reader here;
// until it does, files come from disk through the file shim.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace Plix {

// Whole file into `out`; false when it cannot be opened.
using DataFileReader = std::function<bool(const std::string& path, std::vector<uint8_t>& out)>;

// An empty reader restores reading from disk.
void SetDataFileReader(DataFileReader reader);
bool ReadDataFile(const std::string& path, std::vector<uint8_t>& out);

}  // namespace Plix
