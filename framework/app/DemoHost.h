#pragma once
// What the HTTP transfer and the crash handler need of the application's
// demo recorder: its flags, its record stream and the file it saves. The
// application implements it and sets itself as the process-wide host; while
// none is set, nothing is recorded or replayed.
#include <string>

namespace Plix {

class Buffer;

class DemoHost {
public:
  virtual ~DemoHost() = default;

  // Recording means recording and not replaying.
  virtual bool IsRecordingDemo() = 0;
  virtual bool IsPlayingDemo() = 0;
  // Writes the delta field (and fillers) of a new record at the current
  // update; the caller writes the form bit, the type and the payload.
  virtual void WriteDemoTimePrefix() = 0;
  virtual Buffer& GetDemoBuffer() = 0;

  // Playback: reads the pending record's header when it has not been read
  // yet; true when that record is due at the current update. The host
  // answers false once the records may no longer be read (the user closed
  // the window).
  virtual bool ReadDemoRecordHeader() = 0;
  // Form and type of the pending record, valid after ReadDemoRecordHeader.
  virtual bool IsDemoRecordShortForm() = 0;
  virtual int GetDemoRecordType() = 0;
  // The pending record was acted on; the next header must be read.
  virtual void ConsumeDemoRecord() = 0;

  // Saves the demo file (only while recording; silent on failure).
  virtual void WriteDemoFile() = 0;
  virtual std::string GetDemoFilePath() = 0;
  // Clears the recording and playing flags: nothing more is recorded or
  // replayed.
  virtual void StopDemo() = 0;
};

// Null while the application has not set itself.
DemoHost* GetDemoHost();
void SetDemoHost(DemoHost* host);

}  // namespace Plix
