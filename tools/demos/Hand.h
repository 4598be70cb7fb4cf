#pragma once
// The recorder's hand: mouse moves, clicks, typing and the window's close
// pushed onto SDL's event queue for the game's window, so that they reach
// the game exactly as a player's do (event translation, window messages,
// the deferred queue, the demo recorder, the widgets).
#include <SDL.h>

#include <cstdint>
#include <string>

#include "tools/demos/SdlEvents.h"

namespace Plix::Demos {

class Hand {
public:
  void SetWindow(uint32_t window) { mWindow = window; }
  // Events pushed that the game has not taken yet.
  static bool Busy() { return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0; }

  void Move(int x, int y) {
    Push(MotionEvent(mWindow, x, y));
    mX = x;
    mY = y;
  }
  void Button(bool down, int x, int y, bool right) { Push(ButtonEvent(mWindow, down, x, y, right)); }
  // Moved there, pressed and released.
  void Click(int x, int y, bool right = false) {
    Move(x, y);
    Button(true, x, y, right);
    Button(false, x, y, right);
    ++mClicks;
  }
  // At the mouse's place.
  void ClickHere(bool right = false) { Click(mX, mY, right); }
  void Type(const char* utf8) { Push(TextEvent(mWindow, utf8)); }
  void Key(SDL_Keycode key, SDL_Scancode scancode) {
    for (bool down : {true, false}) Push(KeyEvent(mWindow, down, key, scancode));
  }
  // The window manager gives the window the keyboard.
  void Focus() { Push(WindowEvent(mWindow, SDL_WINDOWEVENT_FOCUS_GAINED)); }
  void Close() { Push(WindowEvent(mWindow, SDL_WINDOWEVENT_CLOSE)); }
  int X() const { return mX; }
  int Y() const { return mY; }
  int Clicks() const { return mClicks; }

private:
  static void Push(SDL_Event e) { SDL_PushEvent(&e); }
  uint32_t mWindow = 0;
  int mX = 0, mY = 0;
  int mClicks = 0;
};

}  // namespace Plix::Demos
