// Replaces, for the lifetime of the object, one entry of a loaded module's import
// table, so that a test sees (and decides) the module's calls of a system
// function. Only the module's own calls are affected.
#pragma once

#include <windows.h>

class ImportPatch {
 public:
  // `dll` as the module's import table names it (case-insensitive), e.g. "winspool.drv".
  ImportPatch(HMODULE module, const char* dll, const char* function, const void* replacement);
  ~ImportPatch();
  ImportPatch(const ImportPatch&) = delete;
  ImportPatch& operator=(const ImportPatch&) = delete;

  // False when the module does not import the function by name.
  bool Applied() const { return slot_ != nullptr; }

 private:
  void** slot_ = nullptr;
  void* original_ = nullptr;
};
