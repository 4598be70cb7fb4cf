#pragma once
// The bitmap font: glyphs cut from images as a description script says
// (FontData). A font may be drawn at another point size or scale than its
// layers were made for: it then builds scaled glyph images once. Tags pick
// which layers of a description take part.
#include <cstdint>
#include <list>
#include <string>
#include <vector>

#include "framework/graphics/Font.h"
#include "framework/graphics/Rect.h"

namespace Plix {

class FontData;
class FontLayer;
class GraphicsHost;
class Image;
class MemoryImage;

// A layer chosen for the current point size and tags, with the glyph image
// it draws from: the layer's own image, or a scaled copy that it owns.
class ActiveFontLayer {
public:
  FontLayer* mBaseFontLayer = nullptr;
  Image* mScaledImage = nullptr;
  bool mOwnsImage = false;
  Rect mScaledCharImageRects[256];

  ActiveFontLayer() = default;
  ActiveFontLayer(const ActiveFontLayer& other);
  ActiveFontLayer& operator=(const ActiveFontLayer&) = delete;
  virtual ~ActiveFontLayer();
};

class ImageFont : public Font {
public:
  FontData* mFontData;
  int32_t mPointSize = 0;
  std::vector<std::string> mTagVector;  // upper case
  bool mActiveListValid = false;        // the layers are prepared
  std::list<ActiveFontLayer> mActiveLayerList;
  double mScale = 1.0;
  bool mForceScaledImagesWhite = false;

  // A font from a description script; check mFontData->mInitialized.
  ImageFont(GraphicsHost* app, const std::string& path);
  // A font from an image and a widths file.
  ImageFont(MemoryImage* image, const std::string& widthsPath);
  ImageFont(const ImageFont& other);
  ImageFont& operator=(const ImageFont&) = delete;
  ~ImageFont() override;

  int StringWidth(const std::wstring& text) override;
  void DrawString(Graphics* g, int x, int y, const std::wstring& text, const Color& color,
                  const Rect& clip) override;
  Font* Duplicate() override;

  virtual void PrepareLayers();
  // `rects` (when given) receives where each glyph went, `width` the width
  // covered. The clip is not used: the Graphics clips.
  virtual void DrawStringEx(Graphics* g, int x, int y, const std::wstring& text, const Color& color,
                            const Rect& clip, std::list<Rect>* rects, int* width);
  virtual int ByteCharWidth(uint8_t ch);
  // previous is 0 for none.
  virtual int ByteCharWidthKern(uint8_t ch, uint8_t previous);
  virtual void SetPointSize(int pointSize);
  virtual int GetPointSize();
  virtual void SetScale(double scale);
  virtual int GetDefaultPointSize();
  virtual bool AddTag(const std::string& tag);
  virtual bool RemoveTag(const std::string& tag);
  virtual bool HasTag(const std::string& tag);
  // The text of a name defined in the description, or "".
  virtual std::string LookUpDefine(const std::string& name);
  virtual void Prepare();

  // Glyphs queued by one DrawStringEx call at most.
  static constexpr int kMaxRenderCommands = 4096;

private:
  void StartAtDefaultSize();
  double LayerScale(const FontLayer& layer, double value) const;
};

}  // namespace Plix
