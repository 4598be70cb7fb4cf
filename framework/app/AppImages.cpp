#include "framework/app/AppImages.h"

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

#include "framework/graphics/D3DInterface.h"
#include "framework/graphics/DDImage.h"
#include "framework/graphics/DDInterface.h"
#include "framework/graphics/Graphics.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/TextureData.h"
#include "framework/platform/Clock.h"
#include "framework/platform/Files.h"
#include "framework/resources/ImageLib.h"
#include "framework/util/Utilities.h"

namespace Plix {

AppImages::~AppImages() {
  // Cached images unregister themselves as they go.
  AutoCrit lock(Lock());
  mSharedImageMap.clear();
}

CriticalSection& AppImages::Lock() { return mDDInterface ? mDDInterface->mCritSect : mOwnLock; }

DDImage* AppImages::LoadImage(const std::string& fileName, bool commitBits) {
  if (!mDDInterface) return nullptr;
  std::unique_ptr<ImageLib::Image> decoded = ImageLib::LoadImageFile(fileName, true);
  if (!decoded) return nullptr;
  auto* image = new DDImage(mDDInterface);
  image->mName = fileName;
  image->AdoptBits(decoded->TakeBits(), decoded->mWidth, decoded->mHeight, commitBits);
  return image;
}

DDImage* AppImages::CopyImageRect(Image* image, const Rect& rect) {
  auto* copy = new DDImage(mDDInterface);
  copy->Create(rect.mWidth, rect.mHeight);
  Graphics g(copy);
  g.DrawImage(image, -rect.mX, -rect.mY);
  copy->CopyAttributes(*image);
  return copy;
}

DDImage* AppImages::CopyImage(Image* image) {
  return CopyImageRect(image, Rect(0, 0, image->GetWidth(), image->GetHeight()));
}

void AppImages::RegisterImage(MemoryImage* image) {
  AutoCrit lock(Lock());
  mMemoryImageSet.insert(image);
}

void AppImages::UnregisterImage(MemoryImage* image) {
  {
    AutoCrit lock(Lock());
    mMemoryImageSet.erase(image);
  }
  DropTextureData(image);
}

void AppImages::DropTextureData(MemoryImage* image) {
  if (mDDInterface) mDDInterface->ReleaseImageTexture(image);
}

bool AppImages::IsHardwareDrawing() { return mDDInterface && mDDInterface->mIs3D; }

NativeDisplay* AppImages::GetNativeDisplay() {
  // Before the first initialisation the display has no pixel layout yet.
  return mDDInterface && mDDInterface->mBitCount != 0 ? mDDInterface : nullptr;
}

bool AppImages::ReadTextureIntoBits(MemoryImage* image) {
  return mDDInterface && mDDInterface->mD3DInterface && mDDInterface->mD3DInterface->ReadTextureIntoBits(image);
}

SharedImageRef AppImages::GetCachedImage(const std::string& fileName, const std::string& variant, bool* isNew) {
  SharedImageRef ref;
  SharedImageEntry* entry;
  bool created;
  {
    AutoCrit lock(Lock());
    auto [it, inserted] = mSharedImageMap.try_emplace(SharedImageKey(StringToUpper(fileName), StringToUpper(variant)));
    entry = &it->second;
    created = inserted;
    if (inserted) entry->mLoading = true;
    ref.AssignShared(&entry->mRecord);
  }
  if (isNew) *isNew = created;
  if (created) {
    MemoryImage* image = nullptr;
    if (!fileName.empty() && fileName[0] == '!') {
      if (mDDInterface) image = new DDImage(mDDInterface);
      else image = new MemoryImage(this);
    } else {
      image = LoadImage(fileName, false);
    }
    {
      AutoCrit lock(Lock());
      entry->mRecord.mImage.reset(image);
    }
    {
      std::lock_guard<std::mutex> done(mLoadMutex);
      entry->mLoading = false;
    }
    mLoadDone.notify_all();
  } else {
    // The record may still be filled by the thread that made it.
    std::unique_lock<std::mutex> done(mLoadMutex);
    mLoadDone.wait(done, [entry] { return !entry->mLoading; });
  }
  return ref;
}

void AppImages::SweepSharedImages() {
  AutoCrit lock(Lock());
  if (!mSharedImagesChanged) return;
  for (auto it = mSharedImageMap.begin(); it != mSharedImageMap.end();) {
    if (it->second.mRecord.mRefCount == 0 && !it->second.mLoading) it = mSharedImageMap.erase(it);
    else ++it;
  }
  mSharedImagesChanged = false;
}

namespace {

// Pixels handed to the writers without copying; the caller keeps them.
bool WritePixels(const std::string& path, uint32_t* bits, int width, int height, bool jpeg) {
  ImageLib::Image wrapper;
  wrapper.mWidth = width;
  wrapper.mHeight = height;
  wrapper.mBits = bits;
  const bool ok = jpeg ? ImageLib::WriteJPEGImage(path, &wrapper) : ImageLib::WritePNGImage(path, &wrapper);
  wrapper.mBits = nullptr;
  return ok;
}

}  // namespace

void AppImages::TakeScreenshot() {
  if (!mDDInterface || !mDDInterface->mPrimarySurface) return;
  std::string folder = GetAppDataFolder() + "_screenshots";
  MkDir(folder);
  folder += "/";
  int largest = 0;
  for (const Fs::DirEntry& e : Fs::FindFiles(folder + "*.png")) {
    int number = 0;
    if (std::sscanf(e.name.c_str(), "image%d.png", &number) == 1) largest = std::max(largest, number);
  }
  const std::string path = folder + "image" + std::to_string(largest + 1) + ".png";

  DDImage screen(mDDInterface);
  screen.SetSurface(mDDInterface->mPrimarySurface);
  uint32_t* bits = screen.GetBits();
  screen.DeleteSurface();
  if (bits) WritePixels(path, bits, screen.GetWidth(), screen.GetHeight(), false);
  ResetFrameTiming();
}

namespace {

struct DumpRow {
  MemoryImage* image;
  int64_t bits = 0, palette = 0, surface = 0, texture = 0, nativeAlpha = 0, rlAlpha = 0, rlAdditive = 0;
  int64_t Total() const { return bits + palette + surface + texture + nativeAlpha + rlAlpha + rlAdditive; }
};

std::string Bytes(int64_t n) {
  return WStringToString(CommaSeparate(static_cast<int>(std::min<int64_t>(n, 0x7FFFFFFF))));
}

std::string Cell(const char* label, int64_t bytes, const std::string& extra = "") {
  if (bytes == 0) return "<TD>&nbsp;</TD>";
  return std::string("<TD>") + label + "<BR>" + Bytes(bytes) + extra + "</TD>";
}

// The texture's format and its grid of pieces.
std::string TextureText(const MemoryImage* image) {
  const TextureData* data = image->mD3DData;
  if (!data) return "";
  return StrFormat(" %s %dx%d", TextureFormatName(data->mFormatCode), data->mColumns, data->mRows);
}

std::string FormatName(IDirectDrawSurface* surface) {
  const DDPIXELFORMAT& f = surface->Format();
  if (f.dwFlags & DDPF_PALETTEINDEXED8) return "Palette8";
  if (f.dwRGBBitCount == 32) return "A8R8G8B8";
  if (f.dwRGBAlphaBitMask == 0xF000) return "A4R4G4B4";
  if (f.dwRGBBitCount == 16 && f.dwGBitMask == 0x07E0) return "R5G6B5";
  return "";
}

}  // namespace

void AppImages::DumpImages() {
  const std::string folder = GetAppDataFolder() + "_dump";
  DeleteTree(folder);
  MkDir(folder);
  if (Fs::IsDirectory(folder)) Sleep(100);
  FILE* page = Fs::OpenFile(GetAppDataFolder() + "_dump\\imagelist.html", "w");
  if (!page) return;

  std::vector<DumpRow> rows;
  {
    AutoCrit lock(Lock());
    for (MemoryImage* image : mMemoryImageSet) {
      DumpRow row{image};
      const int64_t n = int64_t(image->GetWidth()) * image->GetHeight();
      if (image->mBits) row.bits = 4 * n;
      auto* dd = dynamic_cast<DDImage*>(image);
      if (dd && dd->mSurface) row.surface = 4 * n;
      if (image->mColorTable) row.palette = n + 1024;
      if (image->mNativeAlphaData) row.nativeAlpha = image->mColorTable ? 1024 : 4 * n;
      if (image->mRLAlphaData) row.rlAlpha = n;
      if (image->mRLAdditiveData) row.rlAdditive = n;
      if (image->mD3DData) row.texture = image->mD3DData->mMemoryUsed;
      rows.push_back(row);
    }
  }
  std::stable_sort(rows.begin(), rows.end(), [](const DumpRow& a, const DumpRow& b) { return a.Total() < b.Total(); });
  DumpRow totals{nullptr};
  for (const DumpRow& r : rows) {
    totals.bits += r.bits;
    totals.palette += r.palette;
    totals.surface += r.surface;
    totals.texture += r.texture;
    totals.nativeAlpha += r.nativeAlpha;
    totals.rlAlpha += r.rlAlpha;
    totals.rlAdditive += r.rlAdditive;
  }

  std::time_t now = std::time(nullptr);
  std::string when = std::asctime(std::localtime(&now));
  if (!when.empty() && when.back() == '\n') when.pop_back();
  std::fprintf(page, "<HTML><BODY BGCOLOR=EEEEFF><CENTER><FONT SIZE=+2><B>%s</B></FONT><BR>", when.c_str());
  std::fprintf(page, "Total Image Allocation: %s bytes<BR>", Bytes(totals.Total()).c_str());
  std::fprintf(page, "<TABLE BORDER=1 CELLSPACING=0 CELLPADDING=4>");

  for (size_t i = 0; i < rows.size(); ++i) {
    MemoryImage* image = rows[i].image;
    const int w = image->GetWidth(), h = image->GetHeight();
    // The thumbnail keeps the aspect within 64 x 64.
    const int tw = w >= h ? 64 : std::max(1, 64 * w / std::max(h, 1));
    const int th = h >= w ? 64 : std::max(1, 64 * h / std::max(w, 1));
    char thumbName[32], imageName[32];
    std::snprintf(thumbName, sizeof thumbName, "thumb%04d.jpg", static_cast<int>(i));
    std::snprintf(imageName, sizeof imageName, "img%04d.png", static_cast<int>(i));
    uint32_t* bits = w > 0 && h > 0 ? image->GetBits() : nullptr;
    if (bits) {
      std::vector<uint32_t> thumb(static_cast<size_t>(tw) * th);
      for (int y = 0; y < th; ++y)
        for (int x = 0; x < tw; ++x) thumb[static_cast<size_t>(y) * tw + x] = bits[static_cast<size_t>(y * h / th) * w + x * w / tw];
      WritePixels(folder + "/" + thumbName, thumb.data(), tw, th, true);
      WritePixels(folder + "/" + imageName, bits, w, h, false);
    }
    const DumpRow& r = rows[i];
    auto* dd = dynamic_cast<DDImage*>(image);
    std::string format = dd && dd->mSurface ? " " + FormatName(dd->mSurface) : "";
    std::fprintf(page, "<TR><TD><A HREF=%s><IMG SRC=%s WIDTH=%d HEIGHT=%d></A></TD>", imageName, thumbName, tw, th);
    std::fprintf(page, "<TD ALIGN=RIGHT>%d x %d<BR>%s bytes</TD>", w, h, Bytes(r.Total()).c_str());
    std::fprintf(page, "%s%s%s%s", Cell("mBits", r.bits).c_str(), Cell("Palletized", r.palette).c_str(),
                 Cell("DDSurface", r.surface, format).c_str(), Cell("Texture", r.texture, TextureText(image)).c_str());
    std::fprintf(page, "<TD>%s</TD><TD>%s</TD><TD>%s</TD><TD>%s</TD>", image->mIsVolatile ? "Volatile" : "&nbsp;",
                 image->mForcedMode ? "Forced" : "&nbsp;", image->mHasAlpha ? "HasAlpha" : "&nbsp;",
                 image->mHasTrans ? "HasTrans" : "&nbsp;");
    std::fprintf(page, "%s%s%s<TD>&nbsp;</TD></TR>", Cell("NativeAlpha", r.nativeAlpha).c_str(),
                 Cell("RLAlpha", r.rlAlpha).c_str(), Cell("RLAdditive", r.rlAdditive).c_str());
  }
  std::fprintf(page, "<TR><TD>Totals</TD><TD>%s</TD><TD>%s</TD><TD>%s</TD><TD>%s</TD><TD>%s</TD>",
               Bytes(totals.Total()).c_str(), Bytes(totals.bits).c_str(), Bytes(totals.palette).c_str(),
               Bytes(totals.surface).c_str(), Bytes(totals.texture).c_str());
  std::fprintf(page, "<TD>&nbsp;</TD><TD>&nbsp;</TD><TD>&nbsp;</TD><TD>&nbsp;</TD>");
  std::fprintf(page, "<TD>%s</TD><TD>%s</TD><TD>%s</TD><TD>&nbsp;</TD></TR>", Bytes(totals.nativeAlpha).c_str(),
               Bytes(totals.rlAlpha).c_str(), Bytes(totals.rlAdditive).c_str());
  std::fprintf(page, "</TABLE></CENTER></BODY></HTML>");
  std::fclose(page);
}

}  // namespace Plix
