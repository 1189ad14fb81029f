// The owner of a printer handle (OpenPrinter, AddPrinter): closed by ClosePrinter.
#pragma once

#include <windows.h>
#include <winspool.h>

#include "unique_resource.h"

struct PrinterHandleTraits {
  using Type = HANDLE;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ClosePrinter(h); }
};
using UniquePrinter = UniqueResource<PrinterHandleTraits>;
