#pragma once
// Archives for the resource tests, written by the pak writer.
#include <string>
#include <utility>
#include <vector>

#include "framework/resources/PakInterface.h"

namespace Plix::Testing {

using PakContents = std::vector<std::pair<std::string, std::string>>;

// The bytes of an archive holding these (name, content) pairs in order.
std::string PakBytes(const PakContents& files);

// Publishes a fresh interface for the scope of the object, so that the
// archives a test adds do not outlive it.
class ScopedPak {
public:
  ScopedPak();
  ~ScopedPak();
  PakInterface& operator*() { return mPak; }
  PakInterface* operator->() { return &mPak; }

private:
  PakInterface mPak;
  PakInterface* mOld;
};

}  // namespace Plix::Testing
