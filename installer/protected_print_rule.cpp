#include "protected_print_rule.h"

#include <cstdio>

namespace {

// The HRESULTs with which activation says that Windows has no such class:
// REGDB_E_CLASSNOTREG, CLASS_E_CLASSNOTAVAILABLE, and E_NOINTERFACE for a
// class without this statics interface.
constexpr std::int32_t kClassNotRegistered = static_cast<std::int32_t>(0x80040154);
constexpr std::int32_t kClassNotAvailable = static_cast<std::int32_t>(0x80040111);
constexpr std::int32_t kNoInterface = static_cast<std::int32_t>(0x80004002);

bool ClassMissing(std::int32_t status) {
  return status == kClassNotRegistered || status == kClassNotAvailable || status == kNoInterface;
}

std::wstring Hex(std::int32_t status) {
  wchar_t text[16];
  std::swprintf(text, 16, L"0x%08X", static_cast<unsigned>(status));
  return text;
}

}  // namespace

ProtectedPrintVerdict JudgeProtectedPrint(const ProtectedPrintAnswer& answer) {
  using Kind = ProtectedPrintAnswer::Kind;
  switch (answer.kind) {
    case Kind::kAnswered:
      return answer.enabled ? ProtectedPrintVerdict::kOn : ProtectedPrintVerdict::kOff;
    case Kind::kRuntimeMissing:
      return ProtectedPrintVerdict::kOff;
    case Kind::kActivation:
      return ClassMissing(answer.status) ? ProtectedPrintVerdict::kOff
                                         : ProtectedPrintVerdict::kUnknown;
    case Kind::kQuery:
      return ProtectedPrintVerdict::kUnknown;
  }
  return ProtectedPrintVerdict::kUnknown;
}

std::wstring ProtectedPrintStatusText(const ProtectedPrintAnswer& answer) {
  using Kind = ProtectedPrintAnswer::Kind;
  switch (JudgeProtectedPrint(answer)) {
    case ProtectedPrintVerdict::kOn:
      return L"Windows protected print mode: on";
    case ProtectedPrintVerdict::kOff:
      if (answer.kind == Kind::kAnswered) return L"Windows protected print mode: off";
      return L"Windows protected print mode: not on (this Windows does not have the mode)";
    case ProtectedPrintVerdict::kUnknown:
      break;
  }
  return std::wstring(L"Windows protected print mode: unknown, ") +
         (answer.kind == Kind::kQuery ? L"reading" : L"asking for") + L" it failed with " +
         Hex(answer.status) + L"; installing as if it were off";
}

std::wstring ProtectedPrintRefusalText() {
  return L"Windows protected print mode is on. In this mode Windows removes printers that use "
         L"third-party printing components, such as the port monitor of Quillmar PDF Writer, "
         L"and the printer cannot work while the mode is on. Nothing was installed. To use "
         L"Quillmar PDF Writer, an administrator must first turn the mode off (Settings > "
         L"Bluetooth & devices > Printers & scanners > Windows protected print mode).";
}
