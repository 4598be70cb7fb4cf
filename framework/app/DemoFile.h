#pragma once
// The ".dmo" file and the record stream inside it. The file, little-endian:
// magic, version, random seed, the program's version text (16-bit length
// and bytes), from version 2 on a marker block (its byte length, then in
// Buffer encoding a count and per marker a string and an update count), the
// demo length (the update count when it was written), then the records.
//
// Each record is a 4-bit delta (updates since the previous record), a form
// bit (0 long, 1 short), the type (5 bits long, 1 bit short) and a payload
// that depends on the type. Players and other programs read these files:
// the layout is kept exactly.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Plix {

class Buffer;

constexpr uint32_t kDemoMagic = 0x42BEEF78;
constexpr uint32_t kDemoVersion = 2;
// A version text longer than this is read cut to it.
constexpr int kDemoMaxVersionText = 255;
// The largest demo file read: far beyond hours of recorded input, and
// within the int byte count of the record stream.
constexpr size_t kDemoMaxFileBytes = size_t{1} << 28;

// Long-form record types.
enum DemoRecordType : int {
  DEMO_MOUSE_POSITION = 0,  // x, y: 12 bits each, signed
  DEMO_ACTIVE = 1,          // 1 bit
  DEMO_MINIMISED = 2,       // one byte, boolean
  DEMO_KEY_DOWN = 3,        // 8 bits
  DEMO_KEY_UP = 4,          // 8 bits
  DEMO_KEY_CHAR = 5,        // 1 bit wide, then 8 or 16 bits
  DEMO_CLOSE = 6,
  DEMO_MOUSE_ENTER = 7,
  DEMO_MOUSE_EXIT = 8,
  DEMO_LOADING_DONE = 9,
  DEMO_REGISTRY_READ = 11,  // 1 bit ok; when ok: 32-bit type, 32-bit length, the bytes
  DEMO_REGISTRY_WRITE = 12, // 1 bit
  DEMO_FILE_EXISTS = 14,    // 1 bit
  DEMO_FILE_WRITTEN = 16,   // 1 bit
  DEMO_HTTP_RESULT = 17,    // 32-bit transfer id, result byte, string
  DEMO_SYNC_BYTES = 18,     // 32-bit count, the bytes
  DEMO_MOUSE_WHEEL = 21,    // 8 bits, signed
  DEMO_DISPLAY = 23,        // windowed byte, refresh-rate byte
  DEMO_FILLER = 31,         // also the end mark a crash writes
};

// Short-form record types.
enum DemoShortRecordType : int {
  DEMO_MOUSE_MOVE = 0,    // dx, dy: 6 bits each, signed
  DEMO_MOUSE_BUTTON = 1,  // 1 bit pressed, 3 bits signed click code
};

// The smallest record is 10 bits; fewer bits left are the padding of the
// last byte, not a record.
constexpr int64_t kDemoMinRecordBits = 10;

struct DemoMarker {
  std::string mName;
  uint32_t mUpdate = 0;
};

struct DemoFile {
  uint32_t mVersion = kDemoVersion;
  uint32_t mSeed = 0;
  std::string mVersionText;
  std::vector<DemoMarker> mMarkers;
  uint32_t mLength = 0;
  std::vector<uint8_t> mRecords;
};

// Reads a demo file's bytes, checking its version text against the
// program's. On failure false, with the message the player sees ("Invalid
// demo file." or the version mismatch).
bool ParseDemoFile(const uint8_t* data, size_t size, const std::string& programVersion, DemoFile& file,
                   std::string& error);

// Reads a demo file's bytes: the magic number first, so that any other file
// (a device that never ends, say) is refused before more is read, then at
// most `limit` bytes. On failure false, with the message the player sees.
bool ReadDemoFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error,
                       size_t limit = kDemoMaxFileBytes);

// The bytes of a version-2 file.
std::vector<uint8_t> SerializeDemoFile(const DemoFile& file);

// Steps over the payload of a record whose header was read. Types without a
// known payload have none.
void SkipDemoRecordPayload(Buffer& buffer, bool shortForm, int type);

// Whether a record can still follow the read position.
bool DemoRecordsRemain(const Buffer& buffer);

// A marker as the marker list shows it: its name and how long before the
// end of the demo it lies, "name (hh:mm:ss)".
std::wstring DemoMarkerEntry(const DemoMarker& marker, uint32_t demoLength, int tickMs);

}  // namespace Plix
