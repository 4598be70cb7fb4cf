#pragma once
// Shared pieces of the game tests: a host that records what the game pieces
// ask of the application, and images of a given size and cel grid put in
// place of the bound resource variables for the length of a test.
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "framework/graphics/Image.h"
#include "framework/graphics/MemoryImage.h"
#include "game/app/GameHost.h"
#include "game/app/Particle.h"

namespace Plix::Testing {

class RecordingGameHost : public GameHost {
public:
  RecordingGameHost() { SetGameHost(this); }
  ~RecordingGameHost() override { SetGameHost(nullptr); }

  void PlaySound(int soundId) override { mSounds.push_back(soundId); }
  void SetCursor(int cursorNum) override { mCursors.push_back(cursorNum); }
  void AddParticle(Particle* particle) override { mParticles.AddParticle(particle); }

  std::vector<int> mSounds;
  std::vector<int> mCursors;
  ParticleList mParticles;
};

// An image that is only a size and a cel grid.
inline std::unique_ptr<Image> GridImage(int width, int height, int columns = 1, int rows = 1) {
  auto image = std::make_unique<Image>();
  image->mWidth = width;
  image->mHeight = height;
  image->mCelColumns = columns;
  image->mCelRows = rows;
  return image;
}

// A font of fixed metrics (ascent 18, height 20, 8 pixels a character)
// that records what it is asked to draw.
class RecordingFont : public Font {
public:
  struct Call {
    int x;
    int y;
    std::wstring text;
    Color color;
  };

  RecordingFont() {
    mAscent = 18;
    mHeight = 20;
  }
  int StringWidth(const std::wstring& text) override { return 8 * static_cast<int>(text.size()); }
  int CharWidth(wchar_t) override { return 8; }
  void DrawString(Graphics*, int x, int y, const std::wstring& text, const Color& color, const Rect&) override {
    mCalls.push_back({x, y, text, color});
  }
  Font* Duplicate() override { return new RecordingFont(*this); }

  std::wstring AllText() const {
    std::wstring all;
    for (const Call& c : mCalls) all += c.text;
    return all;
  }

  std::vector<Call> mCalls;
};

// A memory image filled with one colour, cut into a cel grid.
inline std::unique_ptr<MemoryImage> FilledImage(int width, int height, uint32_t argb, int columns = 1, int rows = 1) {
  auto image = std::make_unique<MemoryImage>();
  image->Create(width, height);
  image->mCelColumns = columns;
  image->mCelRows = rows;
  uint32_t* bits = image->GetBits();
  for (int i = 0; i < width * height; ++i) bits[i] = argb;
  image->OnBitsChanged();
  return image;
}

// Channels of a pixel, for comparisons with some slack for blending.
inline bool NearColor(uint32_t pixel, int r, int g, int b, int slack = 3) {
  auto near = [slack](int a, int want) { return a >= want - slack && a <= want + slack; };
  return near((pixel >> 16) & 0xFF, r) && near((pixel >> 8) & 0xFF, g) && near(pixel & 0xFF, b);
}

// Sets a resource variable for the scope of the object.
template <class T>
class ScopedResource {
public:
  ScopedResource(T& variable, T value) : mVariable(variable), mOld(variable) { variable = value; }
  ~ScopedResource() { mVariable = mOld; }
  ScopedResource(const ScopedResource&) = delete;
  ScopedResource& operator=(const ScopedResource&) = delete;

private:
  T& mVariable;
  T mOld;
};

}  // namespace Plix::Testing
