// Feeds arbitrary bytes to the description reader as a bitmap font's
// description, then prepares, measures and draws the font at its own and
// at a scaled size. Images named by the script are small test images.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/DataFiles.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SharedImageRef.h"

namespace {

using namespace Plix;

class FuzzHost : public DefaultGraphicsHost {
public:
  FuzzHost() {
    mGlyphs.mImage = std::make_unique<MemoryImage>(this);
    std::vector<uint32_t> pixels(24 * 12);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = (i % 3) ? 0xFFFFFFFFu : 0x80FF0000u;
    mGlyphs.mImage->SetBits(pixels.data(), 24, 12);
  }
  void ShowFatalError(const std::string&) override {}
  SharedImageRef GetCachedImage(const std::string& fileName, const std::string&, bool* isNew) override {
    SharedImageRef ref;
    if (fileName.find("missing") != std::string::npos) return ref;
    if (isNew) *isNew = false;
    ref.AssignShared(&mGlyphs);
    return ref;
  }

private:
  SharedImage mGlyphs;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static FuzzHost* host = new FuzzHost();  // lives for the whole run, like the application
  SetDataFileReader([data, size](const std::string&, std::vector<uint8_t>& out) {
    out.assign(data, data + size);
    return true;
  });
  {
    ImageFont font(host, "fonts/fuzz.txt");
    MemoryImage canvas(host);
    canvas.Create(64, 32);
    Graphics g(&canvas);
    g.SetFont(&font);
    const std::wstring text = L"Ab ^^ yo\xE9!";
    font.StringWidth(text);
    font.DrawString(&g, 2, 20, text, Color(200, 100, 50, 255), Rect(0, 0, 64, 32));
    font.AddTag("bold");
    font.SetPointSize(font.GetPointSize() + 3);
    font.SetScale(1.5);
    std::unique_ptr<Font> copy(font.Duplicate());
    copy->StringWidth(text);
    g.DrawWordWrapped(Rect(0, 0, 30, 32), text, -1, 0, -1);
    font.LookUpDefine("A");
  }
  SetDataFileReader(nullptr);
  return 0;
}
