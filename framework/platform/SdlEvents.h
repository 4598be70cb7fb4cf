#pragma once
// Translation of SDL events into the window messages the original platform
// sends for the same input: ids, wParam/lParam packing, virtual keys from
// one frozen table, Alt combinations as system keys, double clicks, wheel
// deltas in multiples of 120, text as 16-bit character messages and the
// character messages SDL sends no text for (Backspace, Tab, Enter, Escape,
// Ctrl+letters). Focus, size, move, paint, close and the end of the session
// become their window messages; timer and cursor messages are made by the
// window system's queue and by this translation (WM_SETCURSOR before each
// mouse move).
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/platform/WinMessages.h"

union SDL_Event;

namespace Plix {

class SdlEventTranslator {
public:
  // Finds our window for an SDL window id (null: the event is dropped) and
  // the desktop position of its client area.
  struct Windows {
    std::function<HWND(uint32_t sdlWindowId)> find;
    std::function<POINT(HWND)> clientOrigin;
  };

  explicit SdlEventTranslator(Windows windows);

  // Appends the messages for one event. A message for every window of the
  // program carries HWND_BROADCAST.
  void Translate(const SDL_Event& event, std::vector<MSG>& out);
  // Ends a batch of events: a focus loss not followed by a gain in the same
  // batch deactivates the program.
  void EndBatch(std::vector<MSG>& out);

  // The virtual key of an SDL key (keycode, scancode); 0 when it has none.
  static int VirtualKey(int32_t sdlKeycode, int sdlScancode);
  // The set-1 scan code and the extended flag that the original reports.
  static BYTE ScanCode(int sdlScancode, bool* extended);

private:
  WPARAM MouseKeyState() const;
  void Char(HWND hwnd, uint32_t unit, std::vector<MSG>& out);

  Windows mWindows;
  uint16_t mMods = 0;        // SDL modifier state after the last key event
  uint32_t mButtons = 0;     // SDL button mask
  LPARAM mLastKeyLParam = 1;
  bool mAppActive = false;
  bool mLostPending = false;
};

}  // namespace Plix
