#include "module_lifetime.h"

#include <atomic>

namespace {
std::atomic<long> liveObjects{0};
std::atomic<long> serverLocks{0};
}  // namespace

void ObjectCreated() noexcept { ++liveObjects; }
void ObjectDestroyed() noexcept { --liveObjects; }
void ServerLocked() noexcept { ++serverLocks; }
void ServerUnlocked() noexcept { --serverLocks; }
bool CanUnloadNow() noexcept { return liveObjects == 0 && serverLocks == 0; }
