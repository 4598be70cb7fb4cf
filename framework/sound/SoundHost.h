#pragma once
// What the sound library needs of the application: message boxes for its
// fatal errors and the application-data folder (FMOD's song cache). The
// application installs its host; without one, messages go to the debug
// output and the data folder is the current one.
#include <string>

#include "framework/platform/WinMessages.h"

namespace Plix {

class SoundHost {
public:
  virtual ~SoundHost() = default;
  virtual int MessageBox(HWND owner, const std::string& text, const std::string& caption,
                         unsigned flags) = 0;
  // Ends with a separator, or is empty for the current folder.
  virtual std::string GetAppDataFolder() = 0;
};

SoundHost* GetSoundHost();
void SetSoundHost(SoundHost* host);

// Shows a message through the host.
void SoundMessageBox(const std::string& text, const std::string& caption, unsigned flags);
// A failure the program cannot go on from: the message (none when the text
// is empty), then exit code 1.
[[noreturn]] void SoundFatalError(const std::string& text, const std::string& caption,
                                  unsigned flags = MB_OK | MB_ICONERROR);

}  // namespace Plix
