#pragma once
// A helper process made of the running program itself: the program file is
// started again with a block of bytes for it (in an inherited memory file
// whose descriptor an environment variable names), and the caller waits
// for it to end. The helper notices its role early in start-up and reads
// the bytes.
#include <cstdint>
#include <vector>

namespace Plix {

// Starts the helper and waits for it. False when it could not be started.
bool RunHelperProcess(const char* variable, const std::vector<uint8_t>& payload, int* exitStatus = nullptr);

// True in a helper started with this variable.
bool IsHelperProcess(const char* variable);
// The helper's bytes; false when this is not such a helper or they cannot
// be read. The variable is removed, so the helper's own children are plain.
bool ReadHelperPayload(const char* variable, std::vector<uint8_t>& payload);

}  // namespace Plix
