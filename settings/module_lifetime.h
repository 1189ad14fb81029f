// What keeps the library loaded: live objects and class factory locks.
#pragma once

void ObjectCreated() noexcept;
void ObjectDestroyed() noexcept;
void ServerLocked() noexcept;
void ServerUnlocked() noexcept;

// True when no object is alive and no lock is held.
bool CanUnloadNow() noexcept;
