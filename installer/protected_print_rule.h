// Whether Windows protected print mode is on, decided from what asking Windows
// gave, and what the setup says about it. Pure code: protected_print_query.cpp
// does the asking.
//
// The mode (Windows 11 24H2 and Windows Server 2025 on) removes printers that
// use third-party printing components and loads only the system's own modules
// in the spooler: a printer on our port monitor cannot work while it is on.
#pragma once

#include <cstdint>
#include <string>

// What asking the Windows Runtime class that reports the mode gave.
struct ProtectedPrintAnswer {
  enum class Kind {
    kAnswered,        // the class answered: `enabled`
    kRuntimeMissing,  // no Windows Runtime (combase.dll or its functions missing)
    kActivation,      // activating the class failed with `status`
    kQuery,           // the class was there, reading the property failed with `status`
  };
  Kind kind = Kind::kRuntimeMissing;
  bool enabled = false;
  std::int32_t status = 0;  // an HRESULT
};

enum class ProtectedPrintVerdict {
  kOff,      // the class says off, or Windows has no such class (before 24H2, Wine)
  kOn,       // the class says on: nothing is installed
  kUnknown,  // the class is there but could not tell: installing goes on
};

ProtectedPrintVerdict JudgeProtectedPrint(const ProtectedPrintAnswer& answer);

// One line for the setup's output: the verdict and, when it is not a plain
// answer, why.
std::wstring ProtectedPrintStatusText(const ProtectedPrintAnswer& answer);

// Why nothing is installed while the mode is on, in plain words.
std::wstring ProtectedPrintRefusalText();
