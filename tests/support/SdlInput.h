#pragma once
// Input for the tests in a real window: SDL events pushed onto SDL's queue,
// as the window system would deliver them, for the program's own event
// translation to pick up. Include only where the test links SDL2.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>

namespace Plix::Testing {

inline void PushSdlEvent(SDL_Event event) { ASSERT_EQ(SDL_PushEvent(&event), 1) << SDL_GetError(); }

// `state`: the buttons held (SDL_BUTTON_LMASK while dragging).
inline void PushMotion(uint32_t window, int x, int y, uint32_t state = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = window;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = state;
  PushSdlEvent(e);
}

// The left button, pressed or released, with a click count of 1.
inline void PushButton(uint32_t window, bool down, int x, int y) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.windowID = window;
  e.button.button = SDL_BUTTON_LEFT;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = 1;
  e.button.x = x;
  e.button.y = y;
  PushSdlEvent(e);
}

// A move to the point and a left click there.
inline void PushClick(uint32_t window, int x, int y) {
  PushMotion(window, x, y);
  PushButton(window, true, x, y);
  PushButton(window, false, x, y);
}

inline void PushFocus(uint32_t window) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = window;
  e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  PushSdlEvent(e);
}

// Typed text, UTF-8 (cut to what one event holds).
inline void PushText(uint32_t window, const char* utf8) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = window;
  SDL_strlcpy(e.text.text, utf8, sizeof(e.text.text));
  PushSdlEvent(e);
}

// A key pressed and released.
inline void PushKey(uint32_t window, SDL_Keycode key, SDL_Scancode scancode = SDL_SCANCODE_UNKNOWN) {
  for (bool down : {true, false}) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.windowID = window;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.sym = key;
    e.key.keysym.scancode = scancode;
    PushSdlEvent(e);
  }
}

}  // namespace Plix::Testing
