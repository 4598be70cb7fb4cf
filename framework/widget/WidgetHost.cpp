#include "framework/widget/WidgetHost.h"

#include <atomic>

namespace Plix {

namespace {

WidgetHost* DefaultHost() {
  static WidgetHost* host = new WidgetHost();
  return host;
}

std::atomic<WidgetHost*> gWidgetHost{nullptr};

}  // namespace

WidgetHost::~WidgetHost() = default;

WidgetHost* GetWidgetHost() {
  WidgetHost* host = gWidgetHost.load(std::memory_order_acquire);
  return host != nullptr ? host : DefaultHost();
}

void SetWidgetHost(WidgetHost* host) { gWidgetHost.store(host, std::memory_order_release); }

bool FakeWidgetHost::MainLoopStep(bool) {
  ++mSteps;
  return mStep ? mStep() : false;
}

void FakeWidgetHost::ShowCaret(int x, int y) {
  mCaretCalls.push_back("show " + std::to_string(x) + " " + std::to_string(y));
}

void FakeWidgetHost::SetCaretPos(int x, int y) {
  mCaretCalls.push_back("move " + std::to_string(x) + " " + std::to_string(y));
}

ScopedWidgetHost::ScopedWidgetHost(WidgetHost* host) : mPrevious(GetWidgetHost()) { SetWidgetHost(host); }

ScopedWidgetHost::~ScopedWidgetHost() { SetWidgetHost(mPrevious); }

}  // namespace Plix
