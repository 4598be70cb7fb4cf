#pragma once
// System fonts over FreeType and fontconfig. A face is opened by the
// original platform's face name and an em height in pixels; the face names
// the game asks for map to free faces ("Arial", "Arial Unicode MS" and
// "Tahoma" to DejaVu Sans, "Courier New" to DejaVu Sans Mono).
#include <cstdint>
#include <memory>
#include <string>

namespace Plix {

class FontFace {
public:
  // Null when no face could be found or opened.
  static std::unique_ptr<FontFace> Create(const std::string& faceName, int pixelHeight, bool bold, bool italic,
                                          bool underline);
  ~FontFace();
  FontFace(const FontFace&) = delete;
  FontFace& operator=(const FontFace&) = delete;

  std::unique_ptr<FontFace> Clone() const;

  // Rows above the baseline, and the whole cell height.
  int Ascent() const { return mAscent; }
  int Height() const { return mHeight; }
  const std::string& FilePath() const { return mPath; }

  // Sum of the hinted advances.
  int StringWidth(const std::wstring& text) const;

  // Adds the string's glyph coverage into an 8-bit bitmap (rows of `width`
  // bytes, saturating), the pen starting at column x on the baseline row
  // `baseline`. Whatever falls outside the bitmap is dropped.
  void Render(const std::wstring& text, int x, int baseline, uint8_t* coverage, int width, int height) const;

  // The family a face name stands for.
  static std::string MapFaceName(const std::string& faceName);

private:
  struct Impl;
  FontFace(std::unique_ptr<Impl> impl, std::string path, int pixelHeight, bool bold, bool italic, bool underline,
           bool synthBold, bool synthItalic);

  std::unique_ptr<Impl> mImpl;
  std::string mPath;
  int mPixelHeight;
  bool mBold, mItalic, mUnderline;
  bool mSynthBold, mSynthItalic;  // the file lacks the style, so it is made up
  int mAscent = 0;
  int mHeight = 0;
  int mUnderlinePos = 0;  // rows below the baseline
  int mUnderlineThickness = 1;
};

// Makes every face come from one file (tests use it so that metrics are the
// same on every machine); bold and italic are then synthesised. An empty
// path lets fontconfig choose again.
void PinFontFile(const std::string& path);

}  // namespace Plix
