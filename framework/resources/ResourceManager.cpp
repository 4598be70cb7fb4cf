#include "framework/resources/ResourceManager.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "framework/graphics/DDImage.h"
#include "framework/graphics/Font.h"
#include "framework/graphics/FontData.h"
#include "framework/graphics/GraphicsHost.h"
#include "framework/graphics/ImageFont.h"
#include "framework/graphics/MemoryImage.h"
#include "framework/graphics/SysFont.h"
#include "framework/resources/DecodeAhead.h"
#include "framework/resources/ImageLib.h"
#include "framework/resources/ResourceHost.h"
#include "framework/sound/SoundManager.h"
#include "framework/util/Utilities.h"

namespace Plix {

namespace {

bool Has(const XMLToken& token, const wchar_t* name) { return token.mAttributes.count(name) != 0; }

std::string Attr(const XMLToken& token, const wchar_t* name) {
  auto it = token.mAttributes.find(name);
  return it == token.mAttributes.end() ? std::string() : WStringToString(it->second);
}

// A leading decimal number, as "%d" reads it; `value` stays when none.
void ReadInt(const XMLToken& token, const wchar_t* name, int& value) {
  if (Has(token, name)) std::sscanf(Attr(token, name).c_str(), "%d", &value);
}

std::vector<int32_t> ReadIntList(const std::string& text) {
  std::vector<int32_t> out;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    out.push_back(std::atoi(text.substr(start, comma - start).c_str()));
    if (comma == std::string::npos) return out;
    start = comma + 1;
  }
}

std::string WithoutTrailingSlash(std::string s) {
  if (!s.empty() && (s.back() == '/' || s.back() == '\\')) s.pop_back();
  return s;
}

}  // namespace

void ResourceManager::ImageRes::DeleteResource() { mImage.Release(); }

void ResourceManager::SoundRes::DeleteResource() {
  if (mSoundId >= 0 && mSoundManager) mSoundManager->FreeSound(mSoundId);
  mSoundId = -1;
}

ResourceManager::FontRes::FontRes() : BaseRes(ResType_Font) {}
ResourceManager::FontRes::~FontRes() = default;

void ResourceManager::FontRes::DeleteResource() {
  mFont.reset();
  mImage.reset();
}

ResourceManager::ResourceManager(ResourceHost* app)
    : mDecodeAheadWorkers(ImageLib::DecodeAhead::WorkersForThisMachine()), mApp(app) {}

ResourceManager::~ResourceManager() {
  StopDecodeAhead();
  for (ResMap* map : {&mImageMap, &mSoundMap, &mFontMap})
    for (auto& [id, res] : *map) res->DeleteResource();
  if (mGroupFreed) mGroupFreed("");
}

bool ResourceManager::Fail(const std::string& text) {
  if (mHasFailed) return false;
  mHasFailed = true;
  mError = text;
  if (mXMLParser) {
    int line = mXMLParser->GetCurrentLineNum();
    if (line >= 1) mError += " on Line " + std::to_string(line);
    if (!mXMLParser->GetFileName().empty()) mError += " in File '" + mXMLParser->GetFileName() + "'";
  }
  return false;
}

bool ResourceManager::ReadManifestFile(const std::string& fileName) {
  mXMLParser = std::make_unique<XMLParser>();
  if (!mXMLParser->OpenFile(fileName)) {
    Fail("Resource file not found: " + fileName);
  } else {
    // Instructions and text before the root are passed over.
    XMLToken token;
    while (!mXMLParser->HasFailed()) {
      if (!mXMLParser->NextToken(token)) {
        Fail(mXMLParser->HasFailed() ? WStringToString(mXMLParser->GetErrorText())
                                     : "Expecting ResourceManifest tag");
        break;
      }
      if (token.mKind == XMLTokenKind::Start) {
        if (token.mValue != L"ResourceManifest") Fail("Expecting ResourceManifest tag");
        break;
      }
    }
  }
  if (mHasFailed) {
    mXMLParser.reset();
    return false;
  }
  return ReadResourcesSection();
}

bool ResourceManager::ReadResourcesSection() {
  XMLToken token;
  bool rootClosed = false;
  while (mXMLParser && !mXMLParser->HasFailed() && mXMLParser->NextToken(token)) {
    if (token.mKind == XMLTokenKind::End && token.mSection == L"ResourceManifest") rootClosed = true;
    if (token.mKind == XMLTokenKind::Start) {
      if (token.mValue != L"Resources") {
        Fail("Invalid Section '" + WStringToString(token.mValue) + "'");
        break;
      }
      mCurResGroup = Attr(token, L"id");
      mCurResGroupList = &mResGroupMap[mCurResGroup];
      if (mCurResGroup.empty()) {
        Fail("No id specified.");
        break;
      }
      if (!ReadGroupElement(token)) break;
    } else if (token.mKind == XMLTokenKind::Text) {
      Fail("Element Not Expected '" + WStringToString(token.mValue) + "'");
      break;
    }
  }
  if (mXMLParser && mXMLParser->HasFailed()) Fail(WStringToString(mXMLParser->GetErrorText()));
  // A manifest cut off between two tags must not pass for a whole one.
  if (!rootClosed) Fail("Unexpected End of File");
  mXMLParser.reset();
  return !mHasFailed;
}

bool ResourceManager::ReadGroupElement(XMLToken& group) {
  XMLToken token;
  while (mXMLParser->NextToken(token)) {
    if (token.mKind == XMLTokenKind::Start) {
      bool ok;
      if (token.mValue == L"Image")
        ok = ReadImageElement(token);
      else if (token.mValue == L"Sound")
        ok = ReadSoundElement(token);
      else if (token.mValue == L"Font")
        ok = ReadFontElement(token);
      else if (token.mValue == L"SetDefaults")
        ok = ReadDefaultsElement(token);
      else
        return Fail("Invalid Section '" + WStringToString(token.mValue) + "'");
      if (!ok) return false;
      // Each element is closed right away. A failed read leaves the
      // parser's own error to be reported.
      if (!mXMLParser->NextToken(token)) return false;
      if (token.mKind != XMLTokenKind::End) return Fail("Unexpected element found.");
    } else if (token.mKind == XMLTokenKind::Text) {
      return Fail("Element Not Expected '" + WStringToString(token.mValue) + "'");
    } else if (token.mKind == XMLTokenKind::End) {
      return true;
    }
  }
  return false;  // the caller reports why the tokens ran out
}

bool ResourceManager::ReadCommonAttributes(XMLToken& token, BaseRes* res, ResMap& map) {
  mHadAlreadyDefinedError = false;
  std::string path = Attr(token, L"path");
  if (path.empty()) return Fail("No path specified.");
  res->mXMLAttributes = token.mAttributes;
  res->mFromProgram = false;
  if (path[0] != '!') {
    res->mPath = mDefaultPath + path;
  } else {
    res->mPath = path;
    res->mFromProgram = path == "!program";
  }
  res->mId = mDefaultIdPrefix + (Has(token, L"id") ? Attr(token, L"id") : GetFileNameNoExt(res->mPath));
  res->mResGroup = mCurResGroup;
  auto [it, isNew] = map.try_emplace(res->mId);
  if (!isNew) {
    mHadAlreadyDefinedError = true;
    return Fail("Resource already defined.");
  }
  it->second.reset(res);
  mCurResGroupList->push_back(res);
  return true;
}

ResourceManager::BaseRes* ResourceManager::TakeOverDefinedResource(BaseRes* res, ResMap& map) {
  std::unique_ptr<BaseRes> discard(res);
  if (!mHadAlreadyDefinedError || !mAllowAlreadyDefinedResources) return nullptr;
  mError.clear();
  mHasFailed = false;
  BaseRes* existing = map[res->mId].get();
  existing->mPath = res->mPath;
  existing->mXMLAttributes = res->mXMLAttributes;
  return existing;
}

bool ResourceManager::ReadImageElement(XMLToken& token) {
  auto* res = new ImageRes;
  if (!ReadCommonAttributes(token, res, mImageMap)) {
    res = static_cast<ImageRes*>(TakeOverDefinedResource(res, mImageMap));
    if (!res) return false;
  }
  res->mPalletize = !Has(token, L"nopal");
  res->mA4R4G4B4 = Has(token, L"a4r4g4b4");
  res->mA8R8G8B8 = Has(token, L"a8r8g8b8");
  res->mDDSurface = Has(token, L"ddsurface");
  bool hardware = mApp && mApp->IsHardwareDrawing();
  res->mPurgeBits = Has(token, L"nobits") || (hardware && Has(token, L"nobits3d")) ||
                    (!hardware && Has(token, L"nobits2d"));
  res->mMinimizeSubdivisions = Has(token, L"minsubdivide");
  res->mAutoFindAlpha = !Has(token, L"noalpha");
  if (Has(token, L"alphaimage")) res->mAlphaImage = mDefaultPath + Attr(token, L"alphaimage");
  if (Has(token, L"alphacolor")) std::sscanf(Attr(token, L"alphacolor").c_str(), "%x", &res->mAlphaColor);
  if (Has(token, L"variant")) res->mVariant = Attr(token, L"variant");
  if (Has(token, L"alphagrid")) res->mAlphaGridImage = mDefaultPath + Attr(token, L"alphagrid");
  ReadInt(token, L"rows", res->mRows);
  ReadInt(token, L"cols", res->mCols);
  // The grid divides the image's size.
  if (res->mRows < 1 || res->mCols < 1) return Fail("Invalid rows or cols.");
  if (res->mRows > CellAnimInfo::kMaxCels || res->mCols > CellAnimInfo::kMaxCels)
    return Fail("Too many rows or cols in image '" + res->mId + "'.");

  std::string anim = Attr(token, L"anim");
  int32_t type = ANIM_NONE;
  if (anim == "once")
    type = ANIM_ONCE;
  else if (anim == "loop")
    type = ANIM_LOOP;
  else if (anim == "pingpong")
    type = ANIM_PINGPONG;
  else if (!anim.empty() && anim != "none")
    return Fail("Invalid animation type.");
  res->mAnimInfo.mAnimType = type;
  if (type != ANIM_NONE) {
    int frameDelay = res->mAnimInfo.mFrameDelay, beginDelay = 0, endDelay = 0;
    ReadInt(token, L"framedelay", frameDelay);
    ReadInt(token, L"begindelay", beginDelay);
    ReadInt(token, L"enddelay", endDelay);
    res->mAnimInfo.mFrameDelay = frameDelay;
    if (Has(token, L"perframedelay")) res->mAnimInfo.mPerFrameDelays = ReadIntList(Attr(token, L"perframedelay"));
    if (Has(token, L"framemap")) res->mAnimInfo.mFrameMap = ReadIntList(Attr(token, L"framemap"));
    if (!res->mAnimInfo.Compute(std::max(res->mRows, res->mCols), beginDelay, endDelay))
      return Fail("Too many frames in image '" + res->mId + "'.");
  }
  return true;
}

bool ResourceManager::ReadSoundElement(XMLToken& token) {
  auto* res = new SoundRes;
  if (!ReadCommonAttributes(token, res, mSoundMap)) {
    res = static_cast<SoundRes*>(TakeOverDefinedResource(res, mSoundMap));
    if (!res) return false;
  }
  if (Has(token, L"volume")) std::sscanf(Attr(token, L"volume").c_str(), "%lf", &res->mVolume);
  ReadInt(token, L"pan", res->mPanning);
  return true;
}

bool ResourceManager::ReadFontElement(XMLToken& token) {
  auto* res = new FontRes;
  if (!ReadCommonAttributes(token, res, mFontMap)) {
    res = static_cast<FontRes*>(TakeOverDefinedResource(res, mFontMap));
    if (!res) return false;
  }
  if (Has(token, L"image")) res->mImagePath = Attr(token, L"image");
  if (Has(token, L"tags")) res->mTags = Attr(token, L"tags");
  if (res->mPath.compare(0, 5, "!sys:") == 0) {
    res->mSysFont = true;
    res->mPath = res->mPath.substr(5);
    ReadInt(token, L"size", res->mSize);
    if (res->mSize <= 0) return Fail("SysFont needs point size");
    res->mBold = Has(token, L"bold");
    res->mItalic = Has(token, L"italic");
    res->mShadow = Has(token, L"shadow");
    res->mUnderline = Has(token, L"underline");
  }
  return true;
}

bool ResourceManager::ReadDefaultsElement(XMLToken& token) {
  if (Has(token, L"path")) mDefaultPath = WithoutTrailingSlash(Attr(token, L"path")) + "/";
  if (Has(token, L"idprefix")) mDefaultIdPrefix = WithoutTrailingSlash(Attr(token, L"idprefix"));
  return true;
}

void ResourceManager::BeginGroupLoad(const std::string& group) {
  mError.clear();
  mHasFailed = false;
  mCurResGroup = group;
  mCurResGroupList = &mResGroupMap[group];
  mCurResGroupListItr = mCurResGroupList->begin();
  StartDecodeAhead();
}

void ResourceManager::StartDecodeAhead() {
  StopDecodeAhead();
  if (!mApp || mDecodeAheadWorkers <= 0) return;
  std::vector<ImageLib::DecodeAhead::Request> files;
  for (BaseRes* res : *mCurResGroupList) {
    if (res->mType != ResType_Image || res->mFromProgram || res->mPath.empty() || res->mPath[0] == '!') continue;
    auto* image = static_cast<ImageRes*>(res);
    if (!image->mImage.GetImage()) files.push_back({image->mPath, image->mAlphaColor});
  }
  if (files.size() < 2) return;
  mDecodeAhead = std::make_shared<ImageLib::DecodeAhead>(std::move(files), mDecodeAheadWorkers);
  ImageLib::InstallDecodeAhead(mDecodeAhead);
}

void ResourceManager::StopDecodeAhead() {
  if (!mDecodeAhead) return;
  ImageLib::RemoveDecodeAhead(mDecodeAhead);
  mDecodeAhead.reset();
}

bool ResourceManager::LoadOneMoreResource() {
  const bool loaded = LoadNextOfGroup();
  // The group is done, or given up after a failure.
  if (!loaded) StopDecodeAhead();
  return loaded;
}

bool ResourceManager::LoadNextOfGroup() {
  if (mHasFailed || !mCurResGroupList) return false;
  while (mCurResGroupListItr != mCurResGroupList->end()) {
    BaseRes* res = *mCurResGroupListItr++;
    if (res->mFromProgram) continue;
    switch (res->mType) {
      case ResType_Image: {
        auto* image = static_cast<ImageRes*>(res);
        if (image->mImage.GetImage()) continue;
        return LoadImageResource(image);
      }
      case ResType_Sound: {
        auto* sound = static_cast<SoundRes*>(res);
        if (sound->mSoundId != -1) continue;
        return LoadSoundResource(sound);
      }
      case ResType_Font: {
        auto* font = static_cast<FontRes*>(res);
        if (font->mFont) continue;
        return LoadFontResource(font);
      }
    }
  }
  return false;
}

bool ResourceManager::LoadResources(const std::string& group) {
  mError.clear();
  mHasFailed = false;
  BeginGroupLoad(group);
  while (LoadOneMoreResource()) {
  }
  if (mHasFailed) return false;
  mLoadedGroups.insert(group);
  return true;
}

bool ResourceManager::IsGroupReady(const std::string& group) const { return mLoadedGroups.count(group) != 0; }

int ResourceManager::CountGroupResources(const std::string& group) const {
  int count = 0;
  for (const ResMap* map : {&mImageMap, &mSoundMap, &mFontMap}) {
    if (group.empty()) {
      count += static_cast<int>(map->size());
      continue;
    }
    for (const auto& [id, res] : *map)
      if (res->mResGroup == group && !res->mFromProgram) ++count;
  }
  return count;
}

void ResourceManager::FreeGroup(const std::string& group) {
  FreeResourcesInMap(mImageMap, group);
  FreeResourcesInMap(mSoundMap, group);
  FreeResourcesInMap(mFontMap, group);
  mLoadedGroups.erase(group);
  if (mGroupFreed) mGroupFreed(group);
}

void ResourceManager::FreeResourcesInMap(ResMap& map, const std::string& group) {
  for (auto& [id, res] : map)
    if (group.empty() || res->mResGroup == group) res->DeleteResource();
}

bool ResourceManager::LoadImageResource(ImageRes* res) {
  ImageLib::gAlphaComposeColor = res->mAlphaColor;
  bool isNew = false;
  SharedImageRef ref = mApp ? mApp->GetCachedImage(res->mPath, res->mVariant, &isNew) : SharedImageRef();
  ImageLib::gAlphaComposeColor = 0xFFFFFF;
  MemoryImage* image = ref.GetImage();
  if (!image) return Fail(StrFormat("Failed to load image: %s", res->mPath.c_str()));
  if (isNew) {
    if (!res->mAlphaImage.empty() && !ApplyAlphaImage(res, image)) return false;
    if (!res->mAlphaGridImage.empty() && !ApplyAlphaGridImage(res, image)) return false;
  }
  image->UpdateAlphaFlags();
  res->mImage = ref;
  image->mPurgeBits = res->mPurgeBits;
  auto* ddImage = dynamic_cast<DDImage*>(image);
  if (res->mDDSurface && ddImage) {
    // An opaque image lives on as a display surface alone.
    ddImage->UpdateAlphaFlags();
    if (!ddImage->mHasAlpha) {
      ddImage->mWantSurface = true;
      ddImage->mPurgeBits = true;
    }
  }
  if (res->mPalletize) {
    if (ddImage && ddImage->mSurface)
      ddImage->mWantPal = true;
    else
      image->Palettize();
  }
  if (res->mA4R4G4B4) image->mD3DFlags |= 4;
  if (res->mA8R8G8B8) image->mD3DFlags |= 8;
  if (res->mMinimizeSubdivisions) image->mD3DFlags |= 1;
  if (res->mAnimInfo.mAnimType != ANIM_NONE) image->mAnimInfo = std::make_unique<CellAnimInfo>(res->mAnimInfo);
  image->mCelRows = res->mRows;
  image->mCelColumns = res->mCols;
  if (image->mPurgeBits) image->PurgeBits();
  OnResourceLoaded(res);
  return true;
}

bool ResourceManager::ApplyAlphaImage(ImageRes* res, MemoryImage* image) {
  std::unique_ptr<ImageLib::Image> alpha = ImageLib::LoadImageFile(res->mAlphaImage, true);
  if (!alpha) return Fail(StrFormat("Failed to load image: %s", res->mAlphaImage.c_str()));
  if (alpha->mWidth != image->mWidth || alpha->mHeight != image->mHeight)
    return Fail(StrFormat("AlphaImage size mismatch between %s and %s", res->mPath.c_str(),
                          res->mAlphaImage.c_str()));
  uint32_t* bits = image->GetBits();
  for (size_t i = 0, n = size_t(image->mWidth) * image->mHeight; i < n; ++i)
    bits[i] = (bits[i] & 0xFFFFFF) | alpha->mBits[i] << 24;
  image->OnBitsChanged();
  return true;
}

bool ResourceManager::ApplyAlphaGridImage(ImageRes* res, MemoryImage* image) {
  std::unique_ptr<ImageLib::Image> grid = ImageLib::LoadImageFile(res->mAlphaGridImage, true);
  if (!grid) return Fail(StrFormat("Failed to load image: %s", res->mAlphaGridImage.c_str()));
  int celWidth = image->mWidth / res->mCols, celHeight = image->mHeight / res->mRows;
  if (grid->mWidth != celWidth || grid->mHeight != celHeight)
    return Fail(StrFormat("GridAlphaImage size mismatch between %s and %s", res->mPath.c_str(),
                          res->mAlphaGridImage.c_str()));
  uint32_t* bits = image->GetBits();
  for (int row = 0; row < res->mRows; ++row)
    for (int col = 0; col < res->mCols; ++col)
      for (int y = 0; y < celHeight; ++y) {
        uint32_t* out = bits + size_t(row * celHeight + y) * image->mWidth + col * celWidth;
        const uint32_t* in = grid->mBits + size_t(y) * celWidth;
        for (int x = 0; x < celWidth; ++x) out[x] = (out[x] & 0xFFFFFF) | in[x] << 24;
      }
  image->OnBitsChanged();
  return true;
}

bool ResourceManager::LoadSoundResource(SoundRes* res) {
  SoundManager* sounds = mApp ? mApp->GetSoundManager() : nullptr;
  int id = sounds ? sounds->FindFreeSoundId() : -1;
  if (id < 0) return Fail("Out of free sound ids");
  if (!sounds->LoadSound(static_cast<unsigned>(id), res->mPath))
    return Fail(StrFormat("Failed to load sound: %s", res->mPath.c_str()));
  if (res->mVolume >= 0) sounds->SetBaseVolume(static_cast<unsigned>(id), res->mVolume);
  if (res->mPanning != 0) sounds->SetBasePan(static_cast<unsigned>(id), res->mPanning);
  res->mSoundId = id;
  res->mSoundManager = sounds;
  OnResourceLoaded(res);
  return true;
}

bool ResourceManager::LoadFontResource(FontRes* res) {
  std::unique_ptr<Font> font;
  ImageFont* imageFont = nullptr;
  if (res->mSysFont) {
    // No 9x family here: bold always goes to the font engine.
    auto sysFont = std::make_unique<SysFont>(res->mPath, res->mSize, res->mBold, res->mItalic, res->mUnderline);
    sysFont->mDrawShadow = res->mShadow;
    font = std::move(sysFont);
  } else if (!res->mImagePath.empty()) {
    MemoryImage* image = mApp ? mApp->LoadImage(res->mImagePath, true) : nullptr;
    if (!image) return Fail(StrFormat("Failed to load image: %s", res->mImagePath.c_str()));
    res->mImage.reset(image);
    font.reset(imageFont = new ImageFont(image, res->mPath));
  } else if (res->mPath.compare(0, 5, "!ref:") == 0) {
    std::string refId = res->mPath.substr(5);
    Font* source = FindFont(refId);
    if (!source) return Fail("Ref font not found: " + refId);
    font.reset(source->Duplicate());
  } else {
    font.reset(imageFont = new ImageFont(GetGraphicsHost(), res->mPath));
  }
  if (imageFont) {
    if (!imageFont->mFontData || !imageFont->mFontData->mInitialized)
      return Fail(StrFormat("Failed to load font: %s", res->mPath.c_str()));
    if (!res->mTags.empty()) {
      size_t start = 0;
      while (start < res->mTags.size()) {
        size_t end = res->mTags.find_first_of(", \r\n\t", start);
        if (end == std::string::npos) end = res->mTags.size();
        if (end > start) imageFont->AddTag(res->mTags.substr(start, end - start));
        start = end + 1;
      }
      imageFont->Prepare();
    }
  }
  res->mFont = std::move(font);
  OnResourceLoaded(res);
  return true;
}

SharedImageRef ResourceManager::RequireImage(const std::string& id) {
  auto it = mImageMap.find(id);
  if (it != mImageMap.end()) {
    auto* res = static_cast<ImageRes*>(it->second.get());
    if (res->mImage.GetImage()) return res->mImage;
    if (res->mFromProgram && mAllowMissingProgramResources) return SharedImageRef();
  }
  Fail(StrFormat("Image resource not found: %s", id.c_str()));
  throw ResourceManagerException(GetErrorText());
}

int ResourceManager::RequireSound(const std::string& id) {
  auto it = mSoundMap.find(id);
  if (it != mSoundMap.end()) {
    auto* res = static_cast<SoundRes*>(it->second.get());
    if (res->mSoundId != -1) return res->mSoundId;
    if (res->mFromProgram && mAllowMissingProgramResources) return -1;
  }
  Fail(StrFormat("Sound resource not found: %s", id.c_str()));
  throw ResourceManagerException(GetErrorText());
}

Font* ResourceManager::RequireFont(const std::string& id) {
  auto it = mFontMap.find(id);
  if (it != mFontMap.end()) {
    auto* res = static_cast<FontRes*>(it->second.get());
    if (res->mFont) return res->mFont.get();
    if (res->mFromProgram && mAllowMissingProgramResources) return nullptr;
  }
  Fail(StrFormat("Font resource not found: %s", id.c_str()));
  throw ResourceManagerException(GetErrorText());
}

Font* ResourceManager::FindFont(const std::string& id) const {
  auto it = mFontMap.find(id);
  return it == mFontMap.end() ? nullptr : static_cast<FontRes*>(it->second.get())->mFont.get();
}

}  // namespace Plix
