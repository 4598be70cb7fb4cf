#pragma once
// SDL events as the window system delivers a player's input to the game's
// window: built here, pushed onto SDL's queue by the recorder's hand and by
// the tests that drive a real window alike.
#include <SDL.h>

#include <cstdint>

namespace Plix::Demos {

// `state`: the buttons held (SDL_BUTTON_LMASK while dragging).
inline SDL_Event MotionEvent(uint32_t window, int x, int y, uint32_t state = 0) {
  SDL_Event e{};
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = window;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = state;
  return e;
}

// A button pressed or released, with a click count of 1.
inline SDL_Event ButtonEvent(uint32_t window, bool down, int x, int y, bool right = false) {
  SDL_Event e{};
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.windowID = window;
  e.button.button = right ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT;
  e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.button.clicks = 1;
  e.button.x = x;
  e.button.y = y;
  return e;
}

// Typed text, UTF-8 (cut to what one event holds).
inline SDL_Event TextEvent(uint32_t window, const char* utf8) {
  SDL_Event e{};
  e.type = SDL_TEXTINPUT;
  e.text.windowID = window;
  SDL_strlcpy(e.text.text, utf8, sizeof(e.text.text));
  return e;
}

inline SDL_Event KeyEvent(uint32_t window, bool down, SDL_Keycode key, SDL_Scancode scancode) {
  SDL_Event e{};
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.windowID = window;
  e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
  e.key.keysym.sym = key;
  e.key.keysym.scancode = scancode;
  return e;
}

// The window manager's word to the window (focus gained, close, ...).
inline SDL_Event WindowEvent(uint32_t window, SDL_WindowEventID event) {
  SDL_Event e{};
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = window;
  e.window.event = static_cast<uint8_t>(event);
  return e;
}

}  // namespace Plix::Demos
