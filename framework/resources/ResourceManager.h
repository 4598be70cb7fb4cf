#pragma once
// The resources of the game, declared in an XML manifest and sorted into
// groups. Reading the manifest files one record per resource; a group is
// loaded all at once or one resource per call (for a loading screen), freed,
// and loaded again. The game takes loaded resources by id through getters
// that throw. Errors are recorded as one text, the first one winning.
#include <exception>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <string>

#include "framework/graphics/Image.h"
#include "framework/graphics/SharedImageRef.h"
#include "framework/resources/XMLParser.h"

namespace Plix {

class Font;
class MemoryImage;
namespace ImageLib {
class DecodeAhead;
}
class ResourceHost;
class SoundManager;

class ResourceManagerException : public std::exception {
public:
  explicit ResourceManagerException(std::string what) : mWhat(std::move(what)) {}
  const char* what() const noexcept override { return mWhat.c_str(); }

  std::string mWhat;
};

class ResourceManager {
public:
  enum ResType { ResType_Image = 0, ResType_Sound = 1, ResType_Font = 2 };

  struct BaseRes {
    ResType mType;
    std::string mId;  // the id prefix, then the element's id
    std::string mResGroup;
    std::string mPath;
    XMLParamMap mXMLAttributes;
    bool mFromProgram = false;  // "!program": made by the program, never loaded

    explicit BaseRes(ResType type) : mType(type) {}
    virtual ~BaseRes() = default;
    // Frees the loaded object; the record stays and can load again.
    virtual void DeleteResource() {}
  };

  struct ImageRes : BaseRes {
    SharedImageRef mImage;
    std::string mAlphaImage;
    std::string mAlphaGridImage;
    std::string mVariant;
    bool mAutoFindAlpha = true;
    bool mPalletize = true;
    bool mA4R4G4B4 = false;
    bool mA8R8G8B8 = false;
    bool mDDSurface = false;
    bool mPurgeBits = false;
    bool mMinimizeSubdivisions = false;
    int mRows = 1;
    int mCols = 1;
    uint32_t mAlphaColor = 0xFFFFFF;
    CellAnimInfo mAnimInfo;

    ImageRes() : BaseRes(ResType_Image) {}
    void DeleteResource() override;
  };

  struct SoundRes : BaseRes {
    int mSoundId = -1;
    double mVolume = -1;  // none given
    int mPanning = 0;
    SoundManager* mSoundManager = nullptr;  // that holds the sound

    SoundRes() : BaseRes(ResType_Sound) {}
    void DeleteResource() override;
  };

  struct FontRes : BaseRes {
    std::unique_ptr<MemoryImage> mImage;  // the font draws from it: goes last
    std::unique_ptr<Font> mFont;
    std::string mImagePath;
    std::string mTags;
    bool mSysFont = false;
    bool mBold = false;
    bool mItalic = false;
    bool mUnderline = false;
    bool mShadow = false;
    int mSize = 0;

    FontRes();
    ~FontRes() override;
    void DeleteResource() override;
  };

  using ResMap = std::map<std::string, std::unique_ptr<BaseRes>>;
  using ResList = std::list<BaseRes*>;

  explicit ResourceManager(ResourceHost* app);
  virtual ~ResourceManager();
  ResourceManager(const ResourceManager&) = delete;
  ResourceManager& operator=(const ResourceManager&) = delete;

  // Reading the manifest.
  bool ReadManifestFile(const std::string& fileName);
  bool ReadResourcesSection();
  virtual bool ReadGroupElement(XMLToken& token);
  virtual bool ReadCommonAttributes(XMLToken& token, BaseRes* res, ResMap& map);
  virtual bool ReadImageElement(XMLToken& token);
  virtual bool ReadSoundElement(XMLToken& token);
  virtual bool ReadFontElement(XMLToken& token);
  virtual bool ReadDefaultsElement(XMLToken& token);

  // Records the first error (with the manifest's line and file while it is
  // being read); always false.
  bool Fail(const std::string& text);
  bool HasError() const { return mHasFailed; }
  std::string GetErrorText() const { return mError; }

  // Loading by group.
  virtual void BeginGroupLoad(const std::string& group);
  virtual bool LoadOneMoreResource();
  virtual bool LoadResources(const std::string& group);
  bool IsGroupReady(const std::string& group) const;
  int CountGroupResources(const std::string& group) const;
  virtual void FreeGroup(const std::string& group);
  // Told the name of every group freed (an empty name: all of them, as the
  // manager goes), once its resources are gone: whoever keeps handles into
  // a group clears them there, in one place.
  void SetGroupFreedHandler(std::function<void(const std::string&)> handler) { mGroupFreed = std::move(handler); }
  virtual void FreeResourcesInMap(ResMap& map, const std::string& group);
  virtual bool LoadImageResource(ImageRes* res);
  virtual bool LoadSoundResource(SoundRes* res);
  virtual bool LoadFontResource(FontRes* res);
  virtual void OnResourceLoaded(BaseRes* res) {}

  // Getters: throw ResourceManagerException with the error text when the
  // id is unknown or its resource not loaded.
  virtual SharedImageRef RequireImage(const std::string& id);
  virtual int RequireSound(const std::string& id);
  virtual Font* RequireFont(const std::string& id);
  Font* FindFont(const std::string& id) const;

  bool mAllowMissingProgramResources = false;
  bool mAllowAlreadyDefinedResources = false;
  // Threads that decode a group's image files ahead while it loads (none:
  // each image is decoded when its turn comes).
  int mDecodeAheadWorkers;

protected:
  // After ReadCommonAttributes failed: the record the element goes on
  // with (an earlier one of the same id, when redefining is allowed), or
  // null. The new record is deleted.
  BaseRes* TakeOverDefinedResource(BaseRes* res, ResMap& map);
  bool ApplyAlphaImage(ImageRes* res, MemoryImage* image);
  bool ApplyAlphaGridImage(ImageRes* res, MemoryImage* image);
  // Starts decoding the current group's image files on worker threads, and
  // stops it (when the group is loaded, or given up).
  void StartDecodeAhead();
  void StopDecodeAhead();
  bool LoadNextOfGroup();

  std::set<std::string> mLoadedGroups;
  ResMap mImageMap;
  ResMap mSoundMap;
  ResMap mFontMap;
  std::unique_ptr<XMLParser> mXMLParser;
  std::string mError;
  bool mHasFailed = false;
  ResourceHost* mApp;
  std::string mCurResGroup;
  std::string mDefaultPath;
  std::string mDefaultIdPrefix;
  bool mHadAlreadyDefinedError = false;
  std::map<std::string, ResList> mResGroupMap;
  ResList* mCurResGroupList = nullptr;
  ResList::iterator mCurResGroupListItr;
  std::shared_ptr<ImageLib::DecodeAhead> mDecodeAhead;
  std::function<void(const std::string&)> mGroupFreed;
};

}  // namespace Plix
