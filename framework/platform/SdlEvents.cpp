#include "framework/platform/SdlEvents.h"

#include <SDL.h>

#include "framework/platform/Utf8.h"

namespace Plix {

namespace {

struct ScanEntry {
  SDL_Scancode sdl;
  BYTE code;
  bool extended;
};

// Set-1 scan codes of the keys the original reports in key messages.
constexpr ScanEntry kScanCodes[] = {
    {SDL_SCANCODE_A, 0x1E, false}, {SDL_SCANCODE_B, 0x30, false}, {SDL_SCANCODE_C, 0x2E, false},
    {SDL_SCANCODE_D, 0x20, false}, {SDL_SCANCODE_E, 0x12, false}, {SDL_SCANCODE_F, 0x21, false},
    {SDL_SCANCODE_G, 0x22, false}, {SDL_SCANCODE_H, 0x23, false}, {SDL_SCANCODE_I, 0x17, false},
    {SDL_SCANCODE_J, 0x24, false}, {SDL_SCANCODE_K, 0x25, false}, {SDL_SCANCODE_L, 0x26, false},
    {SDL_SCANCODE_M, 0x32, false}, {SDL_SCANCODE_N, 0x31, false}, {SDL_SCANCODE_O, 0x18, false},
    {SDL_SCANCODE_P, 0x19, false}, {SDL_SCANCODE_Q, 0x10, false}, {SDL_SCANCODE_R, 0x13, false},
    {SDL_SCANCODE_S, 0x1F, false}, {SDL_SCANCODE_T, 0x14, false}, {SDL_SCANCODE_U, 0x16, false},
    {SDL_SCANCODE_V, 0x2F, false}, {SDL_SCANCODE_W, 0x11, false}, {SDL_SCANCODE_X, 0x2D, false},
    {SDL_SCANCODE_Y, 0x15, false}, {SDL_SCANCODE_Z, 0x2C, false}, {SDL_SCANCODE_1, 0x02, false},
    {SDL_SCANCODE_2, 0x03, false}, {SDL_SCANCODE_3, 0x04, false}, {SDL_SCANCODE_4, 0x05, false},
    {SDL_SCANCODE_5, 0x06, false}, {SDL_SCANCODE_6, 0x07, false}, {SDL_SCANCODE_7, 0x08, false},
    {SDL_SCANCODE_8, 0x09, false}, {SDL_SCANCODE_9, 0x0A, false}, {SDL_SCANCODE_0, 0x0B, false},
    {SDL_SCANCODE_RETURN, 0x1C, false}, {SDL_SCANCODE_ESCAPE, 0x01, false}, {SDL_SCANCODE_BACKSPACE, 0x0E, false},
    {SDL_SCANCODE_TAB, 0x0F, false}, {SDL_SCANCODE_SPACE, 0x39, false}, {SDL_SCANCODE_MINUS, 0x0C, false},
    {SDL_SCANCODE_EQUALS, 0x0D, false}, {SDL_SCANCODE_LEFTBRACKET, 0x1A, false},
    {SDL_SCANCODE_RIGHTBRACKET, 0x1B, false}, {SDL_SCANCODE_BACKSLASH, 0x2B, false},
    {SDL_SCANCODE_SEMICOLON, 0x27, false}, {SDL_SCANCODE_APOSTROPHE, 0x28, false}, {SDL_SCANCODE_GRAVE, 0x29, false},
    {SDL_SCANCODE_COMMA, 0x33, false}, {SDL_SCANCODE_PERIOD, 0x34, false}, {SDL_SCANCODE_SLASH, 0x35, false},
    {SDL_SCANCODE_NONUSBACKSLASH, 0x56, false}, {SDL_SCANCODE_CAPSLOCK, 0x3A, false},
    {SDL_SCANCODE_F1, 0x3B, false}, {SDL_SCANCODE_F2, 0x3C, false}, {SDL_SCANCODE_F3, 0x3D, false},
    {SDL_SCANCODE_F4, 0x3E, false}, {SDL_SCANCODE_F5, 0x3F, false}, {SDL_SCANCODE_F6, 0x40, false},
    {SDL_SCANCODE_F7, 0x41, false}, {SDL_SCANCODE_F8, 0x42, false}, {SDL_SCANCODE_F9, 0x43, false},
    {SDL_SCANCODE_F10, 0x44, false}, {SDL_SCANCODE_F11, 0x57, false}, {SDL_SCANCODE_F12, 0x58, false},
    {SDL_SCANCODE_PRINTSCREEN, 0x37, true}, {SDL_SCANCODE_SCROLLLOCK, 0x46, false},
    {SDL_SCANCODE_PAUSE, 0x45, false}, {SDL_SCANCODE_INSERT, 0x52, true}, {SDL_SCANCODE_HOME, 0x47, true},
    {SDL_SCANCODE_PAGEUP, 0x49, true}, {SDL_SCANCODE_DELETE, 0x53, true}, {SDL_SCANCODE_END, 0x4F, true},
    {SDL_SCANCODE_PAGEDOWN, 0x51, true}, {SDL_SCANCODE_RIGHT, 0x4D, true}, {SDL_SCANCODE_LEFT, 0x4B, true},
    {SDL_SCANCODE_DOWN, 0x50, true}, {SDL_SCANCODE_UP, 0x48, true}, {SDL_SCANCODE_NUMLOCKCLEAR, 0x45, true},
    {SDL_SCANCODE_KP_DIVIDE, 0x35, true}, {SDL_SCANCODE_KP_MULTIPLY, 0x37, false},
    {SDL_SCANCODE_KP_MINUS, 0x4A, false}, {SDL_SCANCODE_KP_PLUS, 0x4E, false}, {SDL_SCANCODE_KP_ENTER, 0x1C, true},
    {SDL_SCANCODE_KP_1, 0x4F, false}, {SDL_SCANCODE_KP_2, 0x50, false}, {SDL_SCANCODE_KP_3, 0x51, false},
    {SDL_SCANCODE_KP_4, 0x4B, false}, {SDL_SCANCODE_KP_5, 0x4C, false}, {SDL_SCANCODE_KP_6, 0x4D, false},
    {SDL_SCANCODE_KP_7, 0x47, false}, {SDL_SCANCODE_KP_8, 0x48, false}, {SDL_SCANCODE_KP_9, 0x49, false},
    {SDL_SCANCODE_KP_0, 0x52, false}, {SDL_SCANCODE_KP_PERIOD, 0x53, false}, {SDL_SCANCODE_LCTRL, 0x1D, false},
    {SDL_SCANCODE_LSHIFT, 0x2A, false}, {SDL_SCANCODE_LALT, 0x38, false}, {SDL_SCANCODE_LGUI, 0x5B, true},
    {SDL_SCANCODE_RCTRL, 0x1D, true}, {SDL_SCANCODE_RSHIFT, 0x36, false}, {SDL_SCANCODE_RALT, 0x38, true},
    {SDL_SCANCODE_RGUI, 0x5C, true}, {SDL_SCANCODE_APPLICATION, 0x5D, true},
};

struct VkEntry {
  SDL_Keycode sdl;
  int vk;
};

// Keys whose virtual key does not depend on the keyboard layout.
constexpr VkEntry kVirtualKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},     {SDLK_TAB, VK_TAB},           {SDLK_CLEAR, VK_CLEAR},
    {SDLK_RETURN, VK_RETURN},      {SDLK_KP_ENTER, VK_RETURN},   {SDLK_LSHIFT, VK_SHIFT},
    {SDLK_RSHIFT, VK_SHIFT},       {SDLK_LCTRL, VK_CONTROL},     {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},          {SDLK_RALT, VK_MENU},         {SDLK_PAUSE, VK_PAUSE},
    {SDLK_CAPSLOCK, VK_CAPITAL},   {SDLK_ESCAPE, VK_ESCAPE},     {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},       {SDLK_PAGEDOWN, VK_NEXT},     {SDLK_END, VK_END},
    {SDLK_HOME, VK_HOME},          {SDLK_LEFT, VK_LEFT},         {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},        {SDLK_DOWN, VK_DOWN},         {SDLK_PRINTSCREEN, VK_SNAPSHOT},
    {SDLK_INSERT, VK_INSERT},      {SDLK_DELETE, VK_DELETE},     {SDLK_LGUI, VK_LWIN},
    {SDLK_RGUI, VK_RWIN},          {SDLK_APPLICATION, VK_APPS},  {SDLK_KP_0, VK_NUMPAD0},
    {SDLK_KP_1, VK_NUMPAD0 + 1},   {SDLK_KP_2, VK_NUMPAD0 + 2},  {SDLK_KP_3, VK_NUMPAD0 + 3},
    {SDLK_KP_4, VK_NUMPAD0 + 4},   {SDLK_KP_5, VK_NUMPAD0 + 5},  {SDLK_KP_6, VK_NUMPAD0 + 6},
    {SDLK_KP_7, VK_NUMPAD0 + 7},   {SDLK_KP_8, VK_NUMPAD0 + 8},  {SDLK_KP_9, VK_NUMPAD0 + 9},
    {SDLK_KP_MULTIPLY, VK_MULTIPLY}, {SDLK_KP_PLUS, VK_ADD},     {SDLK_KP_MINUS, VK_SUBTRACT},
    {SDLK_KP_PERIOD, VK_DECIMAL},  {SDLK_KP_DIVIDE, VK_DIVIDE},  {SDLK_NUMLOCKCLEAR, VK_NUMLOCK},
    {SDLK_SCROLLLOCK, VK_SCROLL},  {SDLK_F1, VK_F1},             {SDLK_F2, VK_F1 + 1},
    {SDLK_F3, VK_F1 + 2},          {SDLK_F4, VK_F1 + 3},         {SDLK_F5, VK_F1 + 4},
    {SDLK_F6, VK_F1 + 5},          {SDLK_F7, VK_F1 + 6},         {SDLK_F8, VK_F1 + 7},
    {SDLK_F9, VK_F1 + 8},          {SDLK_F10, VK_F1 + 9},        {SDLK_F11, VK_F1 + 10},
    {SDLK_F12, VK_F1 + 11},        {SDLK_F13, VK_F1 + 12},       {SDLK_F14, VK_F1 + 13},
    {SDLK_F15, VK_F1 + 14},        {SDLK_F16, VK_F1 + 15},       {SDLK_F17, VK_F1 + 16},
    {SDLK_F18, VK_F1 + 17},        {SDLK_F19, VK_F1 + 18},       {SDLK_F20, VK_F1 + 19},
    {SDLK_F21, VK_F1 + 20},        {SDLK_F22, VK_F1 + 21},       {SDLK_F23, VK_F1 + 22},
    {SDLK_F24, VK_F1 + 23},
};

struct OemEntry {
  SDL_Scancode sdl;
  int vk;
};

// Punctuation keys by their position (US names), as the original's OEM keys.
constexpr OemEntry kOemKeys[] = {
    {SDL_SCANCODE_SEMICOLON, VK_OEM_1},    {SDL_SCANCODE_EQUALS, VK_OEM_PLUS},
    {SDL_SCANCODE_COMMA, VK_OEM_COMMA},    {SDL_SCANCODE_MINUS, VK_OEM_MINUS},
    {SDL_SCANCODE_PERIOD, VK_OEM_PERIOD},  {SDL_SCANCODE_SLASH, VK_OEM_2},
    {SDL_SCANCODE_GRAVE, VK_OEM_3},        {SDL_SCANCODE_LEFTBRACKET, VK_OEM_4},
    {SDL_SCANCODE_BACKSLASH, VK_OEM_5},    {SDL_SCANCODE_RIGHTBRACKET, VK_OEM_6},
    {SDL_SCANCODE_APOSTROPHE, VK_OEM_7},   {SDL_SCANCODE_NONUSBACKSLASH, VK_OEM_102},
};

MSG Make(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) { return MSG{hwnd, message, wParam, lParam, 0, {}}; }

bool AltOnly(uint16_t mods) { return (mods & KMOD_ALT) && !(mods & KMOD_CTRL); }

}  // namespace

SdlEventTranslator::SdlEventTranslator(Windows windows) : mWindows(std::move(windows)) {}

int SdlEventTranslator::VirtualKey(int32_t sdlKeycode, int sdlScancode) {
  for (const VkEntry& e : kVirtualKeys)
    if (e.sdl == sdlKeycode) return e.vk;
  if (sdlKeycode >= SDLK_a && sdlKeycode <= SDLK_z) return 'A' + (sdlKeycode - SDLK_a);
  if (sdlKeycode >= SDLK_0 && sdlKeycode <= SDLK_9) return '0' + (sdlKeycode - SDLK_0);
  for (const OemEntry& e : kOemKeys)
    if (e.sdl == sdlScancode) return e.vk;
  // A layout whose letters are not Latin: the key's position decides.
  if (sdlScancode >= SDL_SCANCODE_A && sdlScancode <= SDL_SCANCODE_Z) return 'A' + (sdlScancode - SDL_SCANCODE_A);
  if (sdlScancode >= SDL_SCANCODE_1 && sdlScancode <= SDL_SCANCODE_9) return '1' + (sdlScancode - SDL_SCANCODE_1);
  if (sdlScancode == SDL_SCANCODE_0) return '0';
  return 0;
}

BYTE SdlEventTranslator::ScanCode(int sdlScancode, bool* extended) {
  for (const ScanEntry& e : kScanCodes) {
    if (e.sdl == sdlScancode) {
      if (extended) *extended = e.extended;
      return e.code;
    }
  }
  if (extended) *extended = false;
  return 0;
}

WPARAM SdlEventTranslator::MouseKeyState() const {
  WPARAM w = 0;
  if (mButtons & SDL_BUTTON_LMASK) w |= MK_LBUTTON;
  if (mButtons & SDL_BUTTON_RMASK) w |= MK_RBUTTON;
  if (mButtons & SDL_BUTTON_MMASK) w |= MK_MBUTTON;
  if (mMods & KMOD_SHIFT) w |= MK_SHIFT;
  if (mMods & KMOD_CTRL) w |= MK_CONTROL;
  return w;
}

void SdlEventTranslator::Char(HWND hwnd, uint32_t unit, std::vector<MSG>& out) {
  out.push_back(Make(hwnd, AltOnly(mMods) ? WM_SYSCHAR : WM_CHAR, unit, mLastKeyLParam));
}

void SdlEventTranslator::Translate(const SDL_Event& e, std::vector<MSG>& out) {
  switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      HWND hwnd = mWindows.find(e.key.windowID);
      const bool down = e.type == SDL_KEYDOWN;
      mMods = e.key.keysym.mod;
      if (!hwnd) return;
      const int vk = VirtualKey(e.key.keysym.sym, e.key.keysym.scancode);
      if (vk == 0) return;
      bool extended = false;
      const BYTE scan = ScanCode(e.key.keysym.scancode, &extended);
      // Alt (without Ctrl) makes system keys; so does F10, and the Alt key
      // itself.
      const bool alt = (mMods & KMOD_ALT) != 0 || vk == VK_MENU;
      const bool system = (alt && !(mMods & KMOD_CTRL)) || vk == VK_F10;
      const LPARAM lParam =
          MakeKeyLParam(1, scan, extended, (mMods & KMOD_ALT) != 0, down ? e.key.repeat != 0 : true, !down);
      out.push_back(Make(hwnd, down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP),
                         static_cast<WPARAM>(vk), lParam));
      if (!down) return;
      mLastKeyLParam = lParam;
      // The characters SDL sends no text for.
      const bool ctrl = (mMods & KMOD_CTRL) != 0, altHeld = (mMods & KMOD_ALT) != 0;
      uint32_t ch = 0;
      if (vk == VK_BACK) ch = ctrl ? 0x7F : 0x08;
      else if (vk == VK_TAB && !altHeld) ch = 0x09;
      else if (vk == VK_RETURN) ch = ctrl ? 0x0A : 0x0D;
      else if (vk == VK_ESCAPE && !altHeld) ch = 0x1B;
      else if (ctrl && !altHeld && vk >= 'A' && vk <= 'Z') ch = static_cast<uint32_t>(vk - 'A' + 1);
      else if (ctrl && !altHeld && vk == VK_OEM_4) ch = 0x1B;
      else if (ctrl && !altHeld && vk == VK_OEM_5) ch = 0x1C;
      else if (ctrl && !altHeld && vk == VK_OEM_6) ch = 0x1D;
      if (ch != 0 && !(ctrl && altHeld)) Char(hwnd, ch, out);
      return;
    }
    case SDL_TEXTINPUT: {
      HWND hwnd = mWindows.find(e.text.windowID);
      if (!hwnd) return;
      for (wchar_t unit : FromUtf8(e.text.text)) {
        if (unit < 0x20 || unit == 0x7F) continue;  // sent with the key already
        Char(hwnd, static_cast<uint32_t>(unit), out);
      }
      return;
    }
    case SDL_MOUSEMOTION: {
      HWND hwnd = mWindows.find(e.motion.windowID);
      mButtons = e.motion.state;
      if (!hwnd) return;
      out.push_back(Make(hwnd, WM_SETCURSOR, 0, static_cast<LPARAM>(MAKELONG(HTCLIENT, WM_MOUSEMOVE))));
      out.push_back(Make(hwnd, WM_MOUSEMOVE, MouseKeyState(), MakePointLParam(e.motion.x, e.motion.y)));
      return;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      HWND hwnd = mWindows.find(e.button.windowID);
      const bool down = e.type == SDL_MOUSEBUTTONDOWN;
      const uint32_t mask = SDL_BUTTON(e.button.button);
      mButtons = down ? (mButtons | mask) : (mButtons & ~mask);
      if (!hwnd) return;
      UINT base;
      switch (e.button.button) {
        case SDL_BUTTON_LEFT: base = WM_LBUTTONDOWN; break;
        case SDL_BUTTON_RIGHT: base = WM_RBUTTONDOWN; break;
        case SDL_BUTTON_MIDDLE: base = WM_MBUTTONDOWN; break;
        default: return;
      }
      // The second click of a pair is a double click; a third starts anew.
      const UINT message = !down ? base + 1 : (e.button.clicks >= 2 && e.button.clicks % 2 == 0) ? base + 2 : base;
      out.push_back(Make(hwnd, message, MouseKeyState(), MakePointLParam(e.button.x, e.button.y)));
      return;
    }
    case SDL_MOUSEWHEEL: {
      HWND hwnd = mWindows.find(e.wheel.windowID);
      if (!hwnd || e.wheel.y == 0) return;
      const int notches = e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
      const POINT origin = mWindows.clientOrigin ? mWindows.clientOrigin(hwnd) : POINT{};
      const WPARAM w = MouseKeyState() | (static_cast<WPARAM>(static_cast<WORD>(notches * WHEEL_DELTA)) << 16);
      out.push_back(Make(hwnd, WM_MOUSEWHEEL, w, MakePointLParam(origin.x + e.wheel.mouseX, origin.y + e.wheel.mouseY)));
      return;
    }
    case SDL_WINDOWEVENT: {
      HWND hwnd = mWindows.find(e.window.windowID);
      if (!hwnd) return;
      switch (e.window.event) {
        case SDL_WINDOWEVENT_EXPOSED: out.push_back(Make(hwnd, WM_PAINT, 0, 0)); break;
        case SDL_WINDOWEVENT_MOVED:
          out.push_back(Make(hwnd, WM_MOVE, 0, MakePointLParam(e.window.data1, e.window.data2)));
          break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          out.push_back(Make(hwnd, WM_SIZE, SIZE_RESTORED, MakePointLParam(e.window.data1, e.window.data2)));
          break;
        case SDL_WINDOWEVENT_MINIMIZED: out.push_back(Make(hwnd, WM_SIZE, SIZE_MINIMIZED, 0)); break;
        case SDL_WINDOWEVENT_MAXIMIZED: out.push_back(Make(hwnd, WM_SIZE, SIZE_MAXIMIZED, 0)); break;
        case SDL_WINDOWEVENT_RESTORED: out.push_back(Make(hwnd, WM_SIZE, SIZE_RESTORED, 0)); break;
        case SDL_WINDOWEVENT_CLOSE: out.push_back(Make(hwnd, WM_CLOSE, 0, 0)); break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          mLostPending = false;
          if (!mAppActive) out.push_back(Make(HWND_BROADCAST, WM_ACTIVATEAPP, 1, 0));
          mAppActive = true;
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          // Focus moving to another of our windows is not a deactivation.
          if (mAppActive) mLostPending = true;
          break;
        default: break;
      }
      return;
    }
    case SDL_DISPLAYEVENT: out.push_back(Make(HWND_BROADCAST, WM_DISPLAYCHANGE, 32, 0)); return;
    case SDL_QUIT: out.push_back(Make(HWND_BROADCAST, WM_ENDSESSION, 1, 0)); return;
    default: return;
  }
}

void SdlEventTranslator::EndBatch(std::vector<MSG>& out) {
  if (!mLostPending) return;
  mLostPending = false;
  mAppActive = false;
  out.push_back(Make(HWND_BROADCAST, WM_ACTIVATEAPP, 0, 0));
}

}  // namespace Plix
