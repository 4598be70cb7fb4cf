#include "framework/platform/SdlEvents.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace Plix {
namespace {

HWND const kWindow = reinterpret_cast<HWND>(0x1000);

SdlEventTranslator MakeTranslator() {
  return SdlEventTranslator({[](uint32_t id) { return id == 7 ? kWindow : nullptr; },
                             [](HWND) { return POINT{100, 50}; }});
}

SDL_Event Key(bool down, SDL_Keycode sym, SDL_Scancode scan, uint16_t mod = 0, bool repeat = false) {
  SDL_Event e;
  std::memset(&e, 0, sizeof(e));
  e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
  e.key.windowID = 7;
  e.key.keysym.sym = sym;
  e.key.keysym.scancode = scan;
  e.key.keysym.mod = mod;
  e.key.repeat = repeat ? 1 : 0;
  return e;
}

SDL_Event Text(const char* utf8) {
  SDL_Event e;
  std::memset(&e, 0, sizeof(e));
  e.type = SDL_TEXTINPUT;
  e.text.windowID = 7;
  std::strncpy(e.text.text, utf8, sizeof(e.text.text) - 1);
  return e;
}

SDL_Event Button(bool down, uint8_t button, int clicks, int x, int y) {
  SDL_Event e;
  std::memset(&e, 0, sizeof(e));
  e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
  e.button.windowID = 7;
  e.button.button = button;
  e.button.clicks = static_cast<uint8_t>(clicks);
  e.button.x = x;
  e.button.y = y;
  return e;
}

SDL_Event Motion(int x, int y, uint32_t state) {
  SDL_Event e;
  std::memset(&e, 0, sizeof(e));
  e.type = SDL_MOUSEMOTION;
  e.motion.windowID = 7;
  e.motion.x = x;
  e.motion.y = y;
  e.motion.state = state;
  return e;
}

SDL_Event Wheel(int y, bool flipped) {
  SDL_Event e;
  std::memset(&e, 0, sizeof(e));
  e.type = SDL_MOUSEWHEEL;
  e.wheel.windowID = 7;
  e.wheel.y = y;
  e.wheel.direction = flipped ? SDL_MOUSEWHEEL_FLIPPED : SDL_MOUSEWHEEL_NORMAL;
  e.wheel.mouseX = 3;
  e.wheel.mouseY = 4;
  return e;
}

SDL_Event Window(uint8_t event, int data1 = 0, int data2 = 0) {
  SDL_Event e;
  std::memset(&e, 0, sizeof(e));
  e.type = SDL_WINDOWEVENT;
  e.window.windowID = 7;
  e.window.event = event;
  e.window.data1 = data1;
  e.window.data2 = data2;
  return e;
}

SDL_Event Quit() {
  SDL_Event e;
  std::memset(&e, 0, sizeof(e));
  e.type = SDL_QUIT;
  return e;
}

struct Expected {
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};

std::string Describe(const std::vector<MSG>& got) {
  std::string s;
  for (const MSG& m : got) s += " {" + std::to_string(m.message) + "," + std::to_string(m.wParam) + "," +
                               std::to_string(m.lParam) + "}";
  return s;
}

struct TranslationCase {
  const char* name;
  std::vector<SDL_Event> events;
  std::vector<Expected> messages;  // of the last event only
};

TEST(SdlEventTranslation, Table) {
  const LPARAM aDown = MakeKeyLParam(1, 0x1E, false, false, false, false);
  const LPARAM aUp = MakeKeyLParam(1, 0x1E, false, false, true, true);
  const LPARAM altEnter = MakeKeyLParam(1, 0x1C, false, true, false, false);
  const TranslationCase cases[] = {
      {"letter down", {Key(true, SDLK_a, SDL_SCANCODE_A)}, {{WM_KEYDOWN, 'A', aDown}}},
      {"letter up", {Key(false, SDLK_a, SDL_SCANCODE_A)}, {{WM_KEYUP, 'A', aUp}}},
      {"auto-repeat", {Key(true, SDLK_a, SDL_SCANCODE_A, 0, true)},
       {{WM_KEYDOWN, 'A', MakeKeyLParam(1, 0x1E, false, false, true, false)}}},
      {"text", {Text("a")}, {{WM_CHAR, 'a', 1}}},
      {"Latin-1 and beyond", {Text("\xC3\xA9\xE2\x82\xAC")}, {{WM_CHAR, 0xE9, 1}, {WM_CHAR, 0x20AC, 1}}},
      {"outside the basic plane", {Text("\xF0\x9F\x8D\xA6")}, {{WM_CHAR, 0xD83C, 1}, {WM_CHAR, 0xDF66, 1}}},
      {"backspace", {Key(true, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE)},
       {{WM_KEYDOWN, VK_BACK, MakeKeyLParam(1, 0x0E, false, false, false, false)},
        {WM_CHAR, 8, MakeKeyLParam(1, 0x0E, false, false, false, false)}}},
      {"tab", {Key(true, SDLK_TAB, SDL_SCANCODE_TAB)},
       {{WM_KEYDOWN, VK_TAB, MakeKeyLParam(1, 0x0F, false, false, false, false)},
        {WM_CHAR, 9, MakeKeyLParam(1, 0x0F, false, false, false, false)}}},
      {"enter", {Key(true, SDLK_RETURN, SDL_SCANCODE_RETURN)},
       {{WM_KEYDOWN, VK_RETURN, MakeKeyLParam(1, 0x1C, false, false, false, false)},
        {WM_CHAR, 13, MakeKeyLParam(1, 0x1C, false, false, false, false)}}},
      {"keypad enter is extended", {Key(true, SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER)},
       {{WM_KEYDOWN, VK_RETURN, MakeKeyLParam(1, 0x1C, true, false, false, false)},
        {WM_CHAR, 13, MakeKeyLParam(1, 0x1C, true, false, false, false)}}},
      {"escape", {Key(true, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE)},
       {{WM_KEYDOWN, VK_ESCAPE, MakeKeyLParam(1, 0x01, false, false, false, false)},
        {WM_CHAR, 27, MakeKeyLParam(1, 0x01, false, false, false, false)}}},
      {"ctrl+c", {Key(true, SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL)},
       {{WM_KEYDOWN, 'C', MakeKeyLParam(1, 0x2E, false, false, false, false)},
        {WM_CHAR, 3, MakeKeyLParam(1, 0x2E, false, false, false, false)}}},
      {"alt key", {Key(true, SDLK_LALT, SDL_SCANCODE_LALT, KMOD_LALT)},
       {{WM_SYSKEYDOWN, VK_MENU, MakeKeyLParam(1, 0x38, false, true, false, false)}}},
      {"alt+enter", {Key(true, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_LALT)},
       {{WM_SYSKEYDOWN, VK_RETURN, altEnter}, {WM_SYSCHAR, 13, altEnter}}},
      {"alt+r text is a system character", {Key(true, SDLK_r, SDL_SCANCODE_R, KMOD_LALT), Text("r")},
       {{WM_SYSCHAR, 'r', MakeKeyLParam(1, 0x13, false, true, false, false)}}},
      {"alt+f4", {Key(true, SDLK_F4, SDL_SCANCODE_F4, KMOD_LALT)},
       {{WM_SYSKEYDOWN, VK_F4, MakeKeyLParam(1, 0x3E, false, true, false, false)}}},
      {"ctrl+alt+d is not a system key", {Key(true, SDLK_d, SDL_SCANCODE_D, KMOD_LCTRL | KMOD_LALT)},
       {{WM_KEYDOWN, 'D', MakeKeyLParam(1, 0x20, false, true, false, false)}}},
      {"f10 is a system key", {Key(true, SDLK_F10, SDL_SCANCODE_F10)},
       {{WM_SYSKEYDOWN, VK_F10, MakeKeyLParam(1, 0x44, false, false, false, false)}}},
      {"arrow is extended", {Key(true, SDLK_LEFT, SDL_SCANCODE_LEFT)},
       {{WM_KEYDOWN, VK_LEFT, MakeKeyLParam(1, 0x4B, true, false, false, false)}}},
      {"punctuation by position", {Key(true, SDLK_MINUS, SDL_SCANCODE_MINUS)},
       {{WM_KEYDOWN, VK_OEM_MINUS, MakeKeyLParam(1, 0x0C, false, false, false, false)}}},
      {"mouse move", {Motion(10, 20, 0)},
       {{WM_SETCURSOR, 0, static_cast<LPARAM>(MAKELONG(HTCLIENT, WM_MOUSEMOVE))},
        {WM_MOUSEMOVE, 0, MakePointLParam(10, 20)}}},
      {"drag outside keeps signed coordinates", {Motion(-5, -7, SDL_BUTTON_LMASK)},
       {{WM_SETCURSOR, 0, static_cast<LPARAM>(MAKELONG(HTCLIENT, WM_MOUSEMOVE))},
        {WM_MOUSEMOVE, MK_LBUTTON, MakePointLParam(-5, -7)}}},
      {"left down", {Button(true, SDL_BUTTON_LEFT, 1, 5, 6)},
       {{WM_LBUTTONDOWN, MK_LBUTTON, MakePointLParam(5, 6)}}},
      {"double click", {Button(true, SDL_BUTTON_LEFT, 1, 5, 6), Button(false, SDL_BUTTON_LEFT, 1, 5, 6),
                        Button(true, SDL_BUTTON_LEFT, 2, 5, 6)},
       {{WM_LBUTTONDBLCLK, MK_LBUTTON, MakePointLParam(5, 6)}}},
      {"third click is a plain press", {Button(true, SDL_BUTTON_RIGHT, 3, 1, 1)},
       {{WM_RBUTTONDOWN, MK_RBUTTON, MakePointLParam(1, 1)}}},
      {"right double click", {Button(true, SDL_BUTTON_RIGHT, 2, 1, 1)},
       {{WM_RBUTTONDBLCLK, MK_RBUTTON, MakePointLParam(1, 1)}}},
      {"left up while right held", {Button(true, SDL_BUTTON_RIGHT, 1, 1, 1), Button(true, SDL_BUTTON_LEFT, 1, 1, 1),
                                    Button(false, SDL_BUTTON_LEFT, 1, 2, 3)},
       {{WM_LBUTTONUP, MK_RBUTTON, MakePointLParam(2, 3)}}},
      {"middle up", {Button(false, SDL_BUTTON_MIDDLE, 1, 1, 1)}, {{WM_MBUTTONUP, 0, MakePointLParam(1, 1)}}},
      {"wheel towards the user", {Wheel(-1, false)},
       {{WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-120)) << 16, MakePointLParam(103, 54)}}},
      {"two notches away", {Wheel(2, false)}, {{WM_MOUSEWHEEL, 240u << 16, MakePointLParam(103, 54)}}},
      {"natural scrolling", {Wheel(1, true)},
       {{WM_MOUSEWHEEL, static_cast<WPARAM>(static_cast<WORD>(-120)) << 16, MakePointLParam(103, 54)}}},
      {"close", {Window(SDL_WINDOWEVENT_CLOSE)}, {{WM_CLOSE, 0, 0}}},
      {"moved", {Window(SDL_WINDOWEVENT_MOVED, 30, 40)}, {{WM_MOVE, 0, MakePointLParam(30, 40)}}},
      {"resized", {Window(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 600)},
       {{WM_SIZE, SIZE_RESTORED, MakePointLParam(800, 600)}}},
      {"minimised", {Window(SDL_WINDOWEVENT_MINIMIZED)}, {{WM_SIZE, SIZE_MINIMIZED, 0}}},
      {"maximised", {Window(SDL_WINDOWEVENT_MAXIMIZED)}, {{WM_SIZE, SIZE_MAXIMIZED, 0}}},
      {"exposed", {Window(SDL_WINDOWEVENT_EXPOSED)}, {{WM_PAINT, 0, 0}}},
      {"focus gained", {Window(SDL_WINDOWEVENT_FOCUS_GAINED)}, {{WM_ACTIVATEAPP, 1, 0}}},
      {"end of the session", {Quit()}, {{WM_ENDSESSION, 1, 0}}},
  };
  for (const TranslationCase& c : cases) {
    SdlEventTranslator t = MakeTranslator();
    std::vector<MSG> got;
    for (const SDL_Event& e : c.events) {
      got.clear();
      t.Translate(e, got);
    }
    ASSERT_EQ(got.size(), c.messages.size()) << c.name << Describe(got);
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].message, c.messages[i].message) << c.name << " #" << i;
      EXPECT_EQ(got[i].wParam, c.messages[i].wParam) << c.name << " #" << i;
      EXPECT_EQ(got[i].lParam, c.messages[i].lParam) << c.name << " #" << i;
      const bool everyWindow = c.messages[i].message == WM_ACTIVATEAPP || c.messages[i].message == WM_ENDSESSION;
      const HWND expected = everyWindow ? HWND_BROADCAST : kWindow;
      EXPECT_EQ(got[i].hwnd, expected) << c.name << " #" << i;
    }
  }
}

TEST(SdlEventTranslation, FocusMovingBetweenOurWindowsDoesNotDeactivate) {
  SdlEventTranslator t = MakeTranslator();
  std::vector<MSG> out;
  t.Translate(Window(SDL_WINDOWEVENT_FOCUS_GAINED), out);
  t.EndBatch(out);
  ASSERT_EQ(out.size(), 1u);
  out.clear();
  // The window is re-made for a new screen mode: lost, then gained again.
  t.Translate(Window(SDL_WINDOWEVENT_FOCUS_LOST), out);
  t.Translate(Window(SDL_WINDOWEVENT_FOCUS_GAINED), out);
  t.EndBatch(out);
  EXPECT_TRUE(out.empty());
  t.Translate(Window(SDL_WINDOWEVENT_FOCUS_LOST), out);
  t.EndBatch(out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].message, WM_ACTIVATEAPP);
  EXPECT_EQ(out[0].wParam, 0u);
}

TEST(SdlEventTranslation, EventsOfUnknownWindowsAreDropped) {
  SdlEventTranslator t = MakeTranslator();
  SDL_Event e = Key(true, SDLK_a, SDL_SCANCODE_A);
  e.key.windowID = 99;
  std::vector<MSG> out;
  t.Translate(e, out);
  EXPECT_TRUE(out.empty());
}

TEST(SdlEventTranslation, VirtualKeysFollowTheLayoutForLettersAndThePositionOtherwise) {
  EXPECT_EQ(SdlEventTranslator::VirtualKey(SDLK_z, SDL_SCANCODE_Y), 'Z');  // German layout
  EXPECT_EQ(SdlEventTranslator::VirtualKey(0x0444, SDL_SCANCODE_A), 'A');  // Cyrillic letter
  EXPECT_EQ(SdlEventTranslator::VirtualKey(SDLK_F3, SDL_SCANCODE_F3), VK_F3);
  EXPECT_EQ(SdlEventTranslator::VirtualKey(SDLK_KP_5, SDL_SCANCODE_KP_5), VK_NUMPAD0 + 5);
  EXPECT_EQ(SdlEventTranslator::VirtualKey(SDLK_UNKNOWN, SDL_SCANCODE_UNKNOWN), 0);
}

}  // namespace
}  // namespace Plix
