#include "framework/app/DemoHost.h"

#include <atomic>

namespace Plix {

namespace {
std::atomic<DemoHost*> gDemoHost{nullptr};
}

DemoHost* GetDemoHost() { return gDemoHost.load(std::memory_order_acquire); }

void SetDemoHost(DemoHost* host) { gDemoHost.store(host, std::memory_order_release); }

}  // namespace Plix
