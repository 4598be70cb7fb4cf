#pragma once
#include <cstddef>
#include <cstdint>

namespace Plix {
// Loads the bytes as a sample file of the extension into a sound manager
// that mixes offline.
int FuzzSoundReader(const uint8_t* data, size_t size, const char* extension);
}  // namespace Plix
