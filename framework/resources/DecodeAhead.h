#pragma once
// Image files decoded on worker threads ahead of their use, so that loading
// a group of images takes what the machine's cores give rather than one
// core's time. While a DecodeAhead is installed, ImageLib::LoadImageFile
// asked for one of its files (with the alpha search, in the same compose
// colour) takes the decoded image instead of reading the file again: at
// once when it is ready, after waiting when a worker is on it, or decoding
// it on the asking thread when no worker has begun it. Each file's image is
// handed out once; a later request reads the file as usual.
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

#include "framework/resources/ImageLib.h"

namespace Plix::ImageLib {

class DecodeAhead {
public:
  struct Request {
    std::string mPath;
    uint32_t mComposeColor = 0xFFFFFF;  // for an image made from its alpha alone
  };

  // Workers take the files in the order given. With no workers nothing is
  // decoded ahead, and every request decodes on the asking thread.
  DecodeAhead(std::vector<Request> requests, int workers);
  // Stops the workers after the file each is on; what no one took is freed.
  ~DecodeAhead();
  DecodeAhead(const DecodeAhead&) = delete;
  DecodeAhead& operator=(const DecodeAhead&) = delete;

  // The image of a file of the list not handed out yet, decoded with the
  // alpha search: true, with the image (null when the file did not load).
  // False for any other file, or another compose colour.
  bool Take(const std::string& path, uint32_t composeColor, std::unique_ptr<Image>& image);

  // Worker threads for a machine's cores: one core is left to the thread
  // that takes the images, and a few workers are enough to keep it fed.
  static int WorkersForThisMachine();

private:
  enum class State { Waiting, Decoding, Ready, Taken };
  struct Job {
    Request mRequest;
    State mState = State::Waiting;
    std::unique_ptr<Image> mImage;
  };

  void Work();

  std::mutex mLock;
  std::condition_variable mReady;
  std::vector<Job> mJobs;
  std::unordered_map<std::string, size_t> mIndex;
  size_t mNext = 0;  // the first job a worker may still find waiting
  bool mStop = false;
  std::vector<std::thread> mWorkers;
};

// LoadImageFile consults the installed ones; several may be installed at a
// time (each loader installs its own). Removing one that is not installed
// does nothing.
void InstallDecodeAhead(const std::shared_ptr<DecodeAhead>& ahead);
void RemoveDecodeAhead(const std::shared_ptr<DecodeAhead>& ahead);
// Takes the image from an installed DecodeAhead, as Take does.
bool TakeDecodedAhead(const std::string& path, uint32_t composeColor, std::unique_ptr<Image>& image);

// LoadImageFile without consulting the installed DecodeAhead objects, with
// an explicit compose colour (the workers' decode).
std::unique_ptr<Image> DecodeImageFile(const std::string& path, bool lookForAlpha, uint32_t composeColor);

}  // namespace Plix::ImageLib
