#include "framework/platform/ReportWindow.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <tuple>
#include <unordered_map>

#include "framework/platform/FontEngine.h"
#include "framework/platform/Utf8.h"

namespace Plix {

namespace {

constexpr uint32_t kFace = 0xFFF0F0F0;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kText = 0xFF000000;
constexpr uint32_t kGreyText = 0xFFA0A0A0;
constexpr uint32_t kBorder = 0xFF7A7A7A;
constexpr uint32_t kButtonFace = 0xFFE1E1E1;
constexpr uint32_t kButtonBorder = 0xFFADADAD;
constexpr uint32_t kButtonPressed = 0xFFCCE4F7;
constexpr uint32_t kFocus = 0xFF0078D7;
constexpr uint32_t kTrack = 0xFFE8E8E8;
constexpr uint32_t kThumb = 0xFFC0C0C0;
constexpr int kScrollBarWidth = 16;
constexpr int kPadding = 3;

// A face with the advances of the characters met so far.
class ReportFont {
public:
  explicit ReportFont(std::unique_ptr<FontFace> face) : mFace(std::move(face)) {}
  int Width(wchar_t c) {
    auto it = mWidths.find(c);
    if (it != mWidths.end()) return it->second;
    int w = mFace->StringWidth(std::wstring(1, c));
    mWidths.emplace(c, w);
    return w;
  }
  int Width(const std::wstring& text, size_t start, size_t count) {
    int w = 0;
    for (size_t i = start; i < start + count; ++i) w += Width(text[i]);
    return w;
  }
  int Height() const { return mFace->Height(); }
  const FontFace& Face() const { return *mFace; }

private:
  std::unique_ptr<FontFace> mFace;
  std::unordered_map<wchar_t, int> mWidths;
};

// A wrapped line: a span of the text without its line end.
struct Span {
  size_t start = 0;
  size_t length = 0;
};

// Breaks the text at its line ends ("\n", "\r\n") and, within a line, at
// the last blank that keeps it inside the width (or anywhere, for a word
// wider than the field).
std::vector<Span> Wrap(const std::wstring& text, ReportFont& font, int width) {
  std::vector<Span> lines;
  size_t p = 0;
  for (;;) {
    size_t q = text.find(L'\n', p);
    size_t end = q == std::wstring::npos ? text.size() : q;
    size_t lineEnd = end > p && text[end - 1] == L'\r' ? end - 1 : end;
    size_t pos = p;
    if (pos == lineEnd) lines.push_back(Span{pos, 0});
    while (pos < lineEnd) {
      int w = 0;
      size_t i = pos;
      size_t lastBlank = std::wstring::npos;
      for (; i < lineEnd; ++i) {
        w += font.Width(text[i]);
        if (w > width && i > pos) break;
        if (text[i] == L' ') lastBlank = i;
      }
      if (i == lineEnd) {
        lines.push_back(Span{pos, lineEnd - pos});
        break;
      }
      if (lastBlank != std::wstring::npos && lastBlank > pos) {
        lines.push_back(Span{pos, lastBlank - pos});
        pos = lastBlank + 1;
      } else {
        lines.push_back(Span{pos, i - pos});
        pos = i;
      }
    }
    if (q == std::wstring::npos) break;
    p = q + 1;
  }
  return lines;
}

struct Rect {
  int x, y, w, h;
  bool Contains(int px, int py) const { return px >= x && py >= y && px < x + w && py < y + h; }
};

class Canvas {
public:
  void Resize(int w, int h) {
    mWidth = w;
    mHeight = h;
    mPixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h), kFace);
  }
  void Fill(const Rect& r, uint32_t color) {
    int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    int x1 = std::min(r.x + r.w, mWidth), y1 = std::min(r.y + r.h, mHeight);
    if (x1 <= x0) return;
    for (int y = y0; y < y1; ++y) std::fill_n(mPixels.begin() + static_cast<long>(y) * mWidth + x0, x1 - x0, color);
  }
  void Frame(const Rect& r, uint32_t color) {
    Fill({r.x, r.y, r.w, 1}, color);
    Fill({r.x, r.y + r.h - 1, r.w, 1}, color);
    Fill({r.x, r.y, 1, r.h}, color);
    Fill({r.x + r.w - 1, r.y, 1, r.h}, color);
  }
  // One line of text with its cell's top at y, clipped to the rectangle.
  void Text(ReportFont& font, const std::wstring& text, int x, int y, const Rect& clip, uint32_t color) {
    Rect c{std::max(clip.x, 0), std::max(clip.y, y), 0, 0};
    c.w = std::min(clip.x + clip.w, mWidth) - c.x;
    c.h = std::min({clip.y + clip.h, mHeight, y + font.Height()}) - c.y;
    if (c.w <= 0 || c.h <= 0 || text.empty()) return;
    std::vector<uint8_t> coverage(static_cast<size_t>(c.w) * static_cast<size_t>(c.h), 0);
    font.Face().Render(text, x - c.x, y - c.y + font.Face().Ascent(), coverage.data(), c.w, c.h);
    for (int row = 0; row < c.h; ++row) {
      for (int col = 0; col < c.w; ++col) {
        uint32_t a = coverage[static_cast<size_t>(row) * c.w + col];
        if (a == 0) continue;
        uint32_t& d = mPixels[static_cast<size_t>(c.y + row) * mWidth + c.x + col];
        uint32_t out = 0xFF000000;
        for (int shift = 0; shift < 24; shift += 8) {
          uint32_t s = (color >> shift) & 0xFF, t = (d >> shift) & 0xFF;
          out |= ((s * a + t * (255 - a)) / 255) << shift;
        }
        d = out;
      }
    }
  }
  const uint32_t* Pixels() const { return mPixels.data(); }

private:
  int mWidth = 0;
  int mHeight = 0;
  std::vector<uint32_t> mPixels;
};

using FontCache = std::map<std::tuple<std::string, int, bool>, std::unique_ptr<ReportFont>>;

// A font by face, points at 96 dots per inch and weight; null when no face
// can be had.
ReportFont* FindFont(FontCache& fonts, const ReportFontSpec& spec) {
  int pixels = (spec.points * 96 + 36) / 72;  // rounded, as MulDiv
  auto& font = fonts[std::make_tuple(spec.face, pixels, spec.bold)];
  if (!font) {
    std::unique_ptr<FontFace> face = FontFace::Create(spec.face, pixels, spec.bold, false, false);
    if (!face) face = FontFace::Create("Tahoma", pixels, false, false, false);
    if (face) font = std::make_unique<ReportFont>(std::move(face));
  }
  return font.get();
}

class SdlReportWindow : public ReportWindow {
public:
  SdlReportWindow(const ReportWindowDesc& desc, FontCache& fonts) : mDesc(desc) {
    int x = desc.x < 0 ? SDL_WINDOWPOS_CENTERED : desc.x;
    int y = desc.y < 0 ? SDL_WINDOWPOS_CENTERED : desc.y;
    mWindow = SDL_CreateWindow(desc.title.c_str(), x, y, desc.width, desc.height, SDL_WINDOW_HIDDEN);
    if (mWindow != nullptr) mRenderer = SDL_CreateRenderer(mWindow, -1, SDL_RENDERER_SOFTWARE);
    if (mRenderer != nullptr) {
      mTexture =
          SDL_CreateTexture(mRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING, desc.width, desc.height);
    }
    mCanvas.Resize(desc.width, desc.height);
    for (const ReportControl& c : desc.controls) {
      Item item;
      item.c = c;
      item.caret = c.text.size();
      item.font = FindFont(fonts, c.font);
      mItems.push_back(std::move(item));
    }
    for (size_t i = 0; i < mItems.size(); ++i) {
      if (mItems[i].c.focused) mFocus = static_cast<int>(i);
    }
    if (mFocus < 0) {
      for (size_t i = 0; i < mItems.size() && mFocus < 0; ++i) {
        if (Focusable(mItems[i]) && mItems[i].c.kind == ReportControl::Kind::Button) mFocus = static_cast<int>(i);
      }
    }
  }

  ~SdlReportWindow() override {
    if (mTexture != nullptr) SDL_DestroyTexture(mTexture);
    if (mRenderer != nullptr) SDL_DestroyRenderer(mRenderer);
    if (mWindow != nullptr) SDL_DestroyWindow(mWindow);
  }

  bool Ready() const {
    if (mTexture == nullptr) return false;
    return std::all_of(mItems.begin(), mItems.end(), [](const Item& i) { return i.font != nullptr; });
  }

  uint32_t NativeWindowId() const override { return SDL_GetWindowID(mWindow); }

  void Run(const std::function<bool(const ReportEvent&)>& handler) override {
    SDL_ShowWindow(mWindow);
    SDL_RaiseWindow(mWindow);
    SDL_StartTextInput();
    uint32_t now = SDL_GetTicks();
    std::vector<uint32_t> due;
    for (const auto& t : mDesc.timers) due.push_back(now + static_cast<uint32_t>(std::max(t.intervalMs, 1)));
    mDirty = true;
    for (;;) {
      if (mDirty) Draw();
      now = SDL_GetTicks();
      int wait = 100;
      for (uint32_t d : due) wait = std::min(wait, static_cast<int>(d - now) < 0 ? 0 : static_cast<int>(d - now));
      SDL_Event e;
      if (SDL_WaitEventTimeout(&e, wait)) {
        do {
          if (!Dispatch(e, handler)) return Stop();
        } while (SDL_PollEvent(&e));
      }
      now = SDL_GetTicks();
      for (size_t i = 0; i < due.size(); ++i) {
        if (static_cast<int32_t>(now - due[i]) < 0) continue;
        due[i] = now + static_cast<uint32_t>(std::max(mDesc.timers[i].intervalMs, 1));
        if (!handler(ReportEvent{ReportEvent::Kind::Timer, mDesc.timers[i].id})) return Stop();
      }
    }
  }

  void SetText(int id, const std::wstring& text) override {
    for (Item& item : mItems) {
      if (item.c.id != id) continue;
      item.c.text = text;
      item.caret = std::min(item.caret, text.size());
      mDirty = true;
    }
  }

  std::wstring GetText(int id) const override {
    for (const Item& item : mItems) {
      if (item.c.id == id) return item.c.text;
    }
    return std::wstring();
  }

  void Hide() override { SDL_HideWindow(mWindow); }

private:
  struct Item {
    ReportControl c;
    ReportFont* font = nullptr;
    int scroll = 0;  // first line shown
    size_t caret = 0;
  };

  static bool Focusable(const Item& item) { return item.c.enabled && item.c.kind != ReportControl::Kind::Label; }
  static bool Scrolls(const Item& item) {
    return item.c.kind == ReportControl::Kind::TextBox || item.c.kind == ReportControl::Kind::EditBox;
  }
  static Rect Bounds(const Item& item) { return {item.c.x, item.c.y, item.c.width, item.c.height}; }
  // Where the text of a field goes.
  static Rect TextArea(const Item& item) {
    if (!Scrolls(item)) return Bounds(item);
    return {item.c.x + 1 + kPadding, item.c.y + 1 + kPadding, item.c.width - 2 - 2 * kPadding - kScrollBarWidth,
            item.c.height - 2 - 2 * kPadding};
  }
  static int VisibleLines(const Item& item) { return std::max(1, TextArea(item).h / item.font->Height()); }

  void Stop() {
    SDL_StopTextInput();
    mPressed = -1;
    // A request to end the program (SIGTERM, the session ending) closed
    // this window; the program's own loop must still see it.
    if (mQuitSeen) {
      mQuitSeen = false;
      SDL_Event quit{};
      quit.type = SDL_QUIT;
      SDL_PushEvent(&quit);
    }
  }

  int ItemAt(int x, int y) const {
    for (size_t i = 0; i < mItems.size(); ++i) {
      if (Bounds(mItems[i]).Contains(x, y)) return static_cast<int>(i);
    }
    return -1;
  }

  void ScrollBy(Item& item, int lines) {
    int count = static_cast<int>(Wrap(item.c.text, *item.font, TextArea(item).w).size());
    item.scroll = std::clamp(item.scroll + lines, 0, std::max(0, count - VisibleLines(item)));
    mDirty = true;
  }

  // The wrapped line and column of the caret.
  static size_t CaretLine(const std::vector<Span>& lines, size_t caret) {
    size_t line = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].start <= caret) line = i;
    }
    return line;
  }

  void KeepCaretVisible(Item& item) {
    std::vector<Span> lines = Wrap(item.c.text, *item.font, TextArea(item).w);
    int line = static_cast<int>(CaretLine(lines, item.caret));
    int visible = VisibleLines(item);
    if (line < item.scroll) item.scroll = line;
    if (line >= item.scroll + visible) item.scroll = line - visible + 1;
  }

  void EditKey(Item& item, SDL_Keycode key) {
    std::wstring& t = item.c.text;
    size_t& caret = item.caret;
    bool pairBefore = caret >= 2 && t[caret - 1] == L'\n' && t[caret - 2] == L'\r';
    bool pairAfter = caret + 1 < t.size() && t[caret] == L'\r' && t[caret + 1] == L'\n';
    switch (key) {
      case SDLK_BACKSPACE:
        if (caret > 0) {
          size_t n = pairBefore ? 2 : 1;
          t.erase(caret - n, n);
          caret -= n;
        }
        break;
      case SDLK_DELETE:
        if (caret < t.size()) t.erase(caret, pairAfter ? 2 : 1);
        break;
      case SDLK_LEFT:
        if (caret > 0) caret -= pairBefore ? 2 : 1;
        break;
      case SDLK_RIGHT:
        if (caret < t.size()) caret += pairAfter ? 2 : 1;
        break;
      case SDLK_HOME:
        caret = 0;
        break;
      case SDLK_END:
        caret = t.size();
        break;
      case SDLK_RETURN:
      case SDLK_KP_ENTER:
        t.insert(caret, L"\r\n");
        caret += 2;
        break;
      default:
        return;
    }
    KeepCaretVisible(item);
    mDirty = true;
  }

  void MoveFocus(int step) {
    int n = static_cast<int>(mItems.size());
    for (int k = 1; k <= n; ++k) {
      int i = ((mFocus < 0 ? 0 : mFocus) + step * k + n * k) % n;
      if (Focusable(mItems[i])) {
        mFocus = i;
        mDirty = true;
        return;
      }
    }
  }

  bool Command(int index, const std::function<bool(const ReportEvent&)>& handler) {
    return handler(ReportEvent{ReportEvent::Kind::Command, mItems[index].c.id});
  }

  bool Dispatch(const SDL_Event& e, const std::function<bool(const ReportEvent&)>& handler) {
    uint32_t id = SDL_GetWindowID(mWindow);
    switch (e.type) {
      case SDL_QUIT:
        if (mQuitSeen) break;
        mQuitSeen = true;
        return handler(ReportEvent{ReportEvent::Kind::Close, 0});
      case SDL_WINDOWEVENT:
        if (e.window.windowID != id) break;
        if (e.window.event == SDL_WINDOWEVENT_CLOSE) return handler(ReportEvent{ReportEvent::Kind::Close, 0});
        mDirty = true;
        break;
      case SDL_MOUSEBUTTONDOWN: {
        if (e.button.windowID != id || e.button.button != SDL_BUTTON_LEFT) break;
        int i = ItemAt(e.button.x, e.button.y);
        if (i < 0 || !Focusable(mItems[i])) break;
        mFocus = i;
        mDirty = true;
        Item& item = mItems[i];
        if (item.c.kind == ReportControl::Kind::Button) {
          mPressed = i;
        } else if (e.button.x >= item.c.x + item.c.width - 1 - kScrollBarWidth) {
          // A click on the scroll bar pages towards it.
          ScrollBy(item, (e.button.y < item.c.y + item.c.height / 2 ? -1 : 1) * VisibleLines(item));
        }
        break;
      }
      case SDL_MOUSEBUTTONUP: {
        if (e.button.windowID != id || e.button.button != SDL_BUTTON_LEFT || mPressed < 0) break;
        int pressed = mPressed;
        mPressed = -1;
        mDirty = true;
        if (ItemAt(e.button.x, e.button.y) == pressed) return Command(pressed, handler);
        break;
      }
      case SDL_MOUSEWHEEL: {
        if (e.wheel.windowID != id) break;
        int x = 0, y = 0;
        SDL_GetMouseState(&x, &y);
        int i = ItemAt(x, y);
        if (i >= 0 && Scrolls(mItems[i])) ScrollBy(mItems[i], -3 * e.wheel.y);
        break;
      }
      case SDL_TEXTINPUT: {
        if (e.text.windowID != id || mFocus < 0 || mItems[mFocus].c.kind != ReportControl::Kind::EditBox) break;
        Item& item = mItems[mFocus];
        std::wstring typed = FromUtf8(e.text.text);
        item.c.text.insert(item.caret, typed);
        item.caret += typed.size();
        KeepCaretVisible(item);
        mDirty = true;
        break;
      }
      case SDL_KEYDOWN: {
        if (e.key.windowID != id) break;
        SDL_Keycode key = e.key.keysym.sym;
        if (key == SDLK_TAB) {
          MoveFocus((e.key.keysym.mod & KMOD_SHIFT) ? -1 : 1);
          break;
        }
        if (key == SDLK_ESCAPE) return handler(ReportEvent{ReportEvent::Kind::Close, 0});
        if (mFocus < 0) break;
        Item& item = mItems[mFocus];
        if (item.c.kind == ReportControl::Kind::Button) {
          if (key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE) return Command(mFocus, handler);
        } else if (item.c.kind == ReportControl::Kind::EditBox) {
          EditKey(item, key);
        } else if (key == SDLK_UP || key == SDLK_DOWN) {
          ScrollBy(item, key == SDLK_UP ? -1 : 1);
        } else if (key == SDLK_PAGEUP || key == SDLK_PAGEDOWN) {
          ScrollBy(item, (key == SDLK_PAGEUP ? -1 : 1) * VisibleLines(item));
        }
        break;
      }
      default:
        break;
    }
    return true;
  }

  void DrawItem(size_t index) {
    Item& item = mItems[index];
    const ReportControl& c = item.c;
    Rect bounds = Bounds(item);
    ReportFont& font = *item.font;
    uint32_t textColor = c.enabled ? kText : kGreyText;
    bool focused = static_cast<int>(index) == mFocus;
    if (c.kind == ReportControl::Kind::Button) {
      bool pressed = static_cast<int>(index) == mPressed;
      mCanvas.Fill(bounds, pressed ? kButtonPressed : kButtonFace);
      mCanvas.Frame(bounds, focused && c.enabled ? kFocus : kButtonBorder);
      int w = font.Width(c.text, 0, c.text.size());
      mCanvas.Text(font, c.text, c.x + (c.width - w) / 2, c.y + (c.height - font.Height()) / 2, bounds, textColor);
      return;
    }
    Rect area = TextArea(item);
    if (Scrolls(item)) {
      mCanvas.Fill(bounds, kWhite);
      mCanvas.Frame(bounds, focused ? kFocus : kBorder);
    }
    std::vector<Span> lines = Wrap(c.text, font, area.w);
    int visible = VisibleLines(item);
    item.scroll = std::clamp(item.scroll, 0, std::max(0, static_cast<int>(lines.size()) - visible));
    for (int i = 0; i < visible && item.scroll + i < static_cast<int>(lines.size()); ++i) {
      const Span& s = lines[static_cast<size_t>(item.scroll + i)];
      mCanvas.Text(font, c.text.substr(s.start, s.length), area.x, area.y + i * font.Height(), area, textColor);
    }
    if (c.kind == ReportControl::Kind::EditBox && focused) {
      size_t line = CaretLine(lines, item.caret);
      int row = static_cast<int>(line) - item.scroll;
      if (row >= 0 && row < visible) {
        const Span& s = lines[line];
        int x = area.x + font.Width(c.text, s.start, std::min(item.caret, s.start + s.length) - s.start);
        mCanvas.Fill({x, area.y + row * font.Height(), 1, font.Height()}, kText);
      }
    }
    if (Scrolls(item)) {
      Rect track{c.x + c.width - 1 - kScrollBarWidth, c.y + 1, kScrollBarWidth, c.height - 2};
      mCanvas.Fill(track, kTrack);
      int count = static_cast<int>(lines.size());
      if (count > visible) {
        int thumb = std::max(8, track.h * visible / count);
        int top = track.y + (track.h - thumb) * item.scroll / (count - visible);
        mCanvas.Fill({track.x + 2, top, track.w - 4, thumb}, kThumb);
      }
    }
  }

  void Draw() {
    mDirty = false;
    mCanvas.Fill({0, 0, mDesc.width, mDesc.height}, kFace);
    for (size_t i = 0; i < mItems.size(); ++i) DrawItem(i);
    SDL_UpdateTexture(mTexture, nullptr, mCanvas.Pixels(), mDesc.width * 4);
    SDL_RenderClear(mRenderer);
    SDL_RenderCopy(mRenderer, mTexture, nullptr, nullptr);
    SDL_RenderPresent(mRenderer);
  }

  ReportWindowDesc mDesc;
  SDL_Window* mWindow = nullptr;
  SDL_Renderer* mRenderer = nullptr;
  SDL_Texture* mTexture = nullptr;
  Canvas mCanvas;
  std::vector<Item> mItems;
  int mFocus = -1;
  int mPressed = -1;
  bool mQuitSeen = false;
  bool mDirty = true;
};

class SdlReportWindowSystem : public ReportWindowSystem {
public:
  // SDL's video stays up: its drivers would unload with allocations that
  // the leak checker could then no longer attribute, and the helper
  // process ends right after anyway.

  std::unique_ptr<ReportWindow> CreateReportWindow(const ReportWindowDesc& desc) override {
    auto window = std::make_unique<SdlReportWindow>(desc, mFonts);
    if (!window->Ready()) return nullptr;
    return window;
  }

  // Drawn like the other windows: SDL's own boxes need core X fonts or a
  // helper program that a system may well lack.
  int ShowMessageBox(const std::string& caption, const std::wstring& text,
                     const std::vector<std::string>& buttons) override {
    constexpr int kWidth = 320, kMargin = 16, kButtonWidth = 88, kButtonHeight = 24, kGap = 8;
    int last = static_cast<int>(buttons.size()) - 1;
    ReportControl label(ReportControl::Kind::Label, -1, kMargin, kMargin, kWidth - 2 * kMargin, 0, text);
    ReportFont* font = Font(label.font);
    if (font == nullptr) return last;
    label.height = static_cast<int>(Wrap(text, *font, label.width).size()) * font->Height();
    ReportWindowDesc desc(caption, -1, -1, kWidth, label.y + label.height + kMargin + kButtonHeight + kGap + 4);
    desc.controls.push_back(label);
    for (int i = 0; i <= last; ++i) {
      const std::string& name = buttons[static_cast<size_t>(i)];
      desc.controls.emplace_back(
          ReportControl::Kind::Button, i, kWidth - kMargin - (last + 1 - i) * (kButtonWidth + kGap) + kGap,
          desc.height - kGap - 4 - kButtonHeight, kButtonWidth, kButtonHeight, std::wstring(name.begin(), name.end()));
    }
    std::unique_ptr<ReportWindow> box = CreateReportWindow(desc);
    if (!box) return last;
    int pressed = last;
    box->Run([&pressed](const ReportEvent& e) {
      if (e.kind == ReportEvent::Kind::Command) pressed = e.id;
      return e.kind == ReportEvent::Kind::Timer;
    });
    return pressed;
  }

  void CopyToClipboard(const std::string& text) override {
    std::wstring wide(text.begin(), text.end());
    for (wchar_t& c : wide) c = static_cast<wchar_t>(static_cast<unsigned char>(c));
    SDL_SetClipboardText(Utf8(wide).c_str());
  }

private:
  ReportFont* Font(const ReportFontSpec& spec) { return FindFont(mFonts, spec); }

  FontCache mFonts;
};

}  // namespace

std::unique_ptr<ReportWindowSystem> OpenReportWindowSystem() {
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
  const char* driver = SDL_GetCurrentVideoDriver();
  bool display = driver != nullptr && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
  if (!display || !FontFace::Create("Tahoma", 11, false, false, false)) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  return std::make_unique<SdlReportWindowSystem>();
}

}  // namespace Plix
