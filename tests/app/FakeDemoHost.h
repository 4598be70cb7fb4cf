#pragma once
// A demo recorder for tests: records written with a fixed time delta, every
// record due as soon as its header is read, and counts of what was asked.
#include <string>

#include "framework/app/Buffer.h"
#include "framework/app/DemoHost.h"

namespace Plix::Testing {

class FakeDemoHost : public DemoHost {
public:
  bool mRecording = false;
  bool mPlaying = false;
  Buffer mBuffer;
  uint32_t mPrefixDelta = 0;
  bool mNeedHeader = true;
  bool mShortForm = false;
  int mType = 0;
  int mConsumed = 0;
  int mFilesWritten = 0;

  bool IsRecordingDemo() override { return mRecording; }
  bool IsPlayingDemo() override { return mPlaying; }
  void WriteDemoTimePrefix() override { mBuffer.WriteBits(mPrefixDelta, 4); }
  Buffer& GetDemoBuffer() override { return mBuffer; }
  bool ReadDemoRecordHeader() override {
    if (mNeedHeader) {
      if (mBuffer.AtEnd()) return false;
      mBuffer.ReadBits(4);
      mShortForm = mBuffer.ReadBits(1) != 0;
      mType = static_cast<int>(mBuffer.ReadBits(mShortForm ? 1 : 5));
      mNeedHeader = false;
    }
    return true;
  }
  bool IsDemoRecordShortForm() override { return mShortForm; }
  int GetDemoRecordType() override { return mType; }
  void ConsumeDemoRecord() override {
    mNeedHeader = true;
    ++mConsumed;
  }
  void WriteDemoFile() override { ++mFilesWritten; }
  std::string GetDemoFilePath() override { return "/tmp/plixapp1.dmo"; }
  void StopDemo() override { mRecording = mPlaying = false; }
};

// Makes a demo host the process-wide one for a scope.
class ScopedDemoHost {
public:
  explicit ScopedDemoHost(DemoHost* host) { SetDemoHost(host); }
  ~ScopedDemoHost() { SetDemoHost(nullptr); }
  ScopedDemoHost(const ScopedDemoHost&) = delete;
  ScopedDemoHost& operator=(const ScopedDemoHost&) = delete;
};

}  // namespace Plix::Testing
