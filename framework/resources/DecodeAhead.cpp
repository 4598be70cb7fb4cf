#include "framework/resources/DecodeAhead.h"

#include <algorithm>

namespace Plix::ImageLib {

namespace {

std::mutex gInstalledLock;
std::vector<std::shared_ptr<DecodeAhead>> gInstalled;

}  // namespace

DecodeAhead::DecodeAhead(std::vector<Request> requests, int workers) {
  mJobs.reserve(requests.size());
  for (Request& r : requests) {
    // A file listed twice is decoded once, for the first request.
    if (!mIndex.emplace(r.mPath, mJobs.size()).second) continue;
    mJobs.push_back(Job{std::move(r), State::Waiting, nullptr});
  }
  workers = std::clamp(workers, 0, static_cast<int>(mJobs.size()));
  for (int i = 0; i < workers; ++i) mWorkers.emplace_back([this] { Work(); });
}

DecodeAhead::~DecodeAhead() {
  {
    std::lock_guard<std::mutex> lock(mLock);
    mStop = true;
  }
  for (std::thread& t : mWorkers) t.join();
}

int DecodeAhead::WorkersForThisMachine() {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(cores - 1, 0, 4);
}

void DecodeAhead::Work() {
  std::unique_lock<std::mutex> lock(mLock);
  while (!mStop) {
    while (mNext < mJobs.size() && mJobs[mNext].mState != State::Waiting) ++mNext;
    if (mNext == mJobs.size()) return;
    Job& job = mJobs[mNext++];
    job.mState = State::Decoding;
    lock.unlock();
    std::unique_ptr<Image> image = DecodeImageFile(job.mRequest.mPath, true, job.mRequest.mComposeColor);
    lock.lock();
    job.mImage = std::move(image);
    job.mState = State::Ready;
    mReady.notify_all();
  }
}

bool DecodeAhead::Take(const std::string& path, uint32_t composeColor, std::unique_ptr<Image>& image) {
  std::unique_lock<std::mutex> lock(mLock);
  auto found = mIndex.find(path);
  if (found == mIndex.end()) return false;
  Job& job = mJobs[found->second];
  if (job.mRequest.mComposeColor != composeColor) return false;
  if (job.mState == State::Waiting) {
    // No worker has come to it yet: the asking thread decodes it rather
    // than wait behind the files before it.
    job.mState = State::Taken;
    lock.unlock();
    image = DecodeImageFile(path, true, composeColor);
    return true;
  }
  mReady.wait(lock, [&job] { return job.mState != State::Decoding; });
  if (job.mState != State::Ready) return false;
  job.mState = State::Taken;
  image = std::move(job.mImage);
  return true;
}

void InstallDecodeAhead(const std::shared_ptr<DecodeAhead>& ahead) {
  if (!ahead) return;
  std::lock_guard<std::mutex> lock(gInstalledLock);
  gInstalled.push_back(ahead);
}

void RemoveDecodeAhead(const std::shared_ptr<DecodeAhead>& ahead) {
  std::lock_guard<std::mutex> lock(gInstalledLock);
  gInstalled.erase(std::remove(gInstalled.begin(), gInstalled.end(), ahead), gInstalled.end());
}

bool TakeDecodedAhead(const std::string& path, uint32_t composeColor, std::unique_ptr<Image>& image) {
  std::vector<std::shared_ptr<DecodeAhead>> installed;
  {
    std::lock_guard<std::mutex> lock(gInstalledLock);
    if (gInstalled.empty()) return false;
    installed = gInstalled;
  }
  // Held here, an object removed meanwhile lives until this request is done.
  for (const auto& ahead : installed)
    if (ahead->Take(path, composeColor, image)) return true;
  return false;
}

}  // namespace Plix::ImageLib
