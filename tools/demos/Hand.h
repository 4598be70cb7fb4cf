#pragma once
// The recorder's hand: mouse moves, clicks, typing and the window's close
// pushed onto SDL's event queue for the game's window, so that they reach
// the game exactly as a player's do (event translation, window messages,
// the deferred queue, the demo recorder, the widgets).
#include <SDL.h>

#include <cstdint>
#include <string>

namespace Plix::Demos {

class Hand {
public:
  void SetWindow(uint32_t window) { mWindow = window; }
  // Events pushed that the game has not taken yet.
  static bool Busy() { return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0; }

  void Move(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.windowID = mWindow;
    e.motion.x = x;
    e.motion.y = y;
    Push(e);
    mX = x;
    mY = y;
  }
  void Button(bool down, int x, int y, bool right) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.windowID = mWindow;
    e.button.button = right ? SDL_BUTTON_RIGHT : SDL_BUTTON_LEFT;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    Push(e);
  }
  // Moved there, pressed and released.
  void Click(int x, int y, bool right = false) {
    Move(x, y);
    Button(true, x, y, right);
    Button(false, x, y, right);
    ++mClicks;
  }
  // At the mouse's place.
  void ClickHere(bool right = false) { Click(mX, mY, right); }
  void Type(const char* utf8) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    e.text.windowID = mWindow;
    SDL_strlcpy(e.text.text, utf8, sizeof(e.text.text));
    Push(e);
  }
  void Key(SDL_Keycode key, SDL_Scancode scancode) {
    for (bool down : {true, false}) {
      SDL_Event e{};
      e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
      e.key.windowID = mWindow;
      e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
      e.key.keysym.sym = key;
      e.key.keysym.scancode = scancode;
      Push(e);
    }
  }
  // The window manager gives the window the keyboard.
  void Focus() {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = mWindow;
    e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    Push(e);
  }
  void Close() {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.windowID = mWindow;
    e.window.event = SDL_WINDOWEVENT_CLOSE;
    Push(e);
  }
  int X() const { return mX; }
  int Y() const { return mY; }
  int Clicks() const { return mClicks; }

private:
  static void Push(SDL_Event& e) { SDL_PushEvent(&e); }
  uint32_t mWindow = 0;
  int mX = 0, mY = 0;
  int mClicks = 0;
};

}  // namespace Plix::Demos
