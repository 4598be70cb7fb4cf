#pragma once
// What the display needs of the application object: its screen settings
// (read at each display initialisation) and the few hooks the display calls
// back. The application implements it; tests pass a plain one.
#include <cstdint>
#include <string>

#include "framework/graphics/Rect.h"

namespace Plix {

struct DisplaySettings {
  int32_t screenWidth = 800;
  int32_t screenHeight = 600;
  int32_t fullScreenBits = 16;
  bool use3DWhenRecommended = false;
  bool run3DTest = false;
  int32_t minVideoMemoryMB = 6;
  int32_t recommendedVideoMemoryMB = 14;
  // The draw buffer takes the display's aspect instead of being letter-boxed.
  bool adaptWidth = false;
  // A window aspect the application insists on (off unless set).
  bool forceWindowAspect = false;
  int32_t forcedAspectNumerator = 4;
  int32_t forcedAspectDenominator = 3;
  bool allowPageFlip = true;
  bool waitForVSync = false;
  bool refreshWaitBySleep = false;
  // The application's registry key ("Company\Product"); the 3D test keeps
  // its results under it in "Test3D".
  std::string registryKeyPath;
  // A demo is being played back: outside values come from the demo.
  bool demoPlaying = false;
};

class DisplayHost {
public:
  virtual ~DisplayHost() = default;
  virtual DisplaySettings GetDisplaySettings() { return DisplaySettings(); }
  // The display has flipped to the GDI surface for a message box.
  virtual bool IsMessageBoxOpen() { return false; }
  // The 3D capability test computed a fresh result.
  virtual void Test3DDone() {}
  // Where the logical screen lies on the display.
  virtual void SetScreenRect(const Rect& rect) {}
  // The monitor frequency was unusable; frame pacing cannot rely on it.
  virtual void SetRefreshPacingFailed() {}
  // The main window is minimised; the Direct3D path draws nothing then.
  virtual bool IsMinimised() { return false; }
  // A string value under the application's registry key; the name may
  // lead with sub-keys ("Test3D\RuntimeError"). A finding of this machine:
  // never recorded in a demo nor answered from one.
  virtual bool WriteRegistryStringUnrecorded(const std::string& valueName, const std::string& value) { return false; }
  // Values from outside pass through the demo: recorded while recording,
  // replaced by the recorded ones while playing.
  virtual void SyncStringWithDemo(std::string& value) {}
  virtual void SyncBoolWithDemo(bool& value) {}
};

}  // namespace Plix
