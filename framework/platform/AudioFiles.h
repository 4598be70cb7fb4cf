#pragma once
// How the music libraries read their files. The sound library installs the
// pak file layer here, so that songs may live in the archive or beside it;
// until then files are read from disk.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/platform/AudioMixer.h"

namespace Plix {

struct AudioFileAccess {
  void* (*open)(const std::string& name);  // null when the file cannot be read
  size_t (*read)(void* buffer, size_t elementSize, size_t count, void* file);
  int (*seek)(void* file, long offset, int origin);
  long (*tell)(void* file);
  int (*close)(void* file);
};

void SetAudioFileAccess(const AudioFileAccess& access);
const AudioFileAccess& GetAudioFileAccess();

// Last-write time of a disk file as a Windows FILETIME (100 ns units since
// 1601); false when the file cannot be found.
bool QueryFileWriteTime(const std::string& path, uint64_t& fileTime);

// An Ogg Vorbis file decoded by Tremor to 16-bit interleaved frames, read
// through the installed file access.
class OggDecoder : public AudioStreamSource {
public:
  // Null when the file does not open or is no Ogg Vorbis stream.
  static std::unique_ptr<OggDecoder> Open(const std::string& name);
  ~OggDecoder() override;

  int Channels() const override { return mChannels; }
  int Rate() const { return mRate; }
  // Total frames, or -1 when unknown.
  int64_t TotalFrames() const { return mTotalFrames; }
  int Read(int16_t* out, int frames) override;
  bool Rewind() override;
  bool SeekFrame(int64_t frame);
  int64_t TellFrame();

  // The whole stream at once; false when it ends early or fails.
  static bool DecodeAll(const std::string& name, std::vector<int16_t>& samples, int& channels,
                        int& rate);

private:
  OggDecoder() = default;
  struct State;
  std::unique_ptr<State> mState;
  int mChannels = 0;
  int mRate = 0;
  int64_t mTotalFrames = -1;
};

}  // namespace Plix
