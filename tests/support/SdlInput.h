#pragma once
// Input for the tests in a real window: SDL events pushed onto SDL's queue,
// as the window system would deliver them, for the program's own event
// translation to pick up. Include only where the test links SDL2.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>

#include "tools/demos/SdlEvents.h"

namespace Plix::Testing {

inline void PushSdlEvent(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

// `state`: the buttons held (SDL_BUTTON_LMASK while dragging).
inline void PushMotion(uint32_t window, int x, int y, uint32_t state = 0) {
  PushSdlEvent(Demos::MotionEvent(window, x, y, state));
}

// The left button, pressed or released, with a click count of 1.
inline void PushButton(uint32_t window, bool down, int x, int y) {
  PushSdlEvent(Demos::ButtonEvent(window, down, x, y));
}

// A move to the point and a left click there.
inline void PushClick(uint32_t window, int x, int y) {
  PushMotion(window, x, y);
  PushButton(window, true, x, y);
  PushButton(window, false, x, y);
}

inline void PushFocus(uint32_t window) { PushSdlEvent(Demos::WindowEvent(window, SDL_WINDOWEVENT_FOCUS_GAINED)); }

// Typed text, UTF-8 (cut to what one event holds).
inline void PushText(uint32_t window, const char* utf8) { PushSdlEvent(Demos::TextEvent(window, utf8)); }

// A key pressed and released.
inline void PushKey(uint32_t window, SDL_Keycode key, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN) {
  for (bool down : {true, false}) PushSdlEvent(Demos::KeyEvent(window, down, key, scancode));
}

}  // namespace Plix::Testing
