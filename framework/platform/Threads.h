#pragma once
// Threads and locks. A critical section is a recursive mutex, as the
// framework's code enters its locks again from nested calls.
#include <functional>
#include <mutex>
#include <thread>

namespace Plix {

class CriticalSection {
public:
  CriticalSection() = default;
  CriticalSection(const CriticalSection&) = delete;
  CriticalSection& operator=(const CriticalSection&) = delete;

  void Enter() { mMutex.lock(); }
  void Leave() { mMutex.unlock(); }
  bool TryEnter() { return mMutex.try_lock(); }

  // Lockable, so std::scoped_lock and friends work too.
  void lock() { Enter(); }
  void unlock() { Leave(); }
  bool try_lock() { return TryEnter(); }

private:
  std::recursive_mutex mMutex;
};

// Holds a critical section for the guard's scope.
class AutoCrit {
public:
  explicit AutoCrit(CriticalSection& cs) : mCs(cs) { mCs.Enter(); }
  ~AutoCrit() { mCs.Leave(); }
  AutoCrit(const AutoCrit&) = delete;
  AutoCrit& operator=(const AutoCrit&) = delete;

private:
  CriticalSection& mCs;
};

// Starts a detached worker thread (the original's _beginthread); false when
// the thread could not be created.
bool StartDetachedThread(std::function<void()> body);

// An id of the calling thread that fits the recorded 32-bit fields.
unsigned long CurrentThreadId();

}  // namespace Plix
