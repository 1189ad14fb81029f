// AddPort, ConfigurePort and DeletePort.
#include "converter_launch.h"
#include "converter_protocol.h"
#include "entry_boundary.h"
#include "monitor_state.h"
#include "port_entries.h"

namespace {

constexpr int kIconError = MB_ICONERROR;
constexpr int kIconExclamation = MB_ICONEXCLAMATION;
constexpr int kIconInformation = MB_ICONINFORMATION;
static_assert(kIconError == converter_protocol::kIconErrorCode &&
              kIconExclamation == converter_protocol::kIconExclamationCode);

constexpr wchar_t kCannotRemove[] = L"An unknown error has occurred\n\nCouldn't remove the port.";

}  // namespace

BOOL WINAPI MonAddPort(LPWSTR, HWND, LPWSTR) {
  return RunEntry([] {
    GUIMessage(L"You cannot add a new port of this type. Please use the existing one.",
               kIconExclamation, 0);
    return Succeeded();
  });
}

BOOL WINAPI MonConfigurePort(LPWSTR, HWND, LPWSTR) {
  return RunEntry([] {
    GUIMessage(L"This port cannot be configured.", kIconInformation, 0);
    return Succeeded();
  });
}

BOOL WINAPI MonDeletePort(LPWSTR, HWND, LPWSTR pPortName) {
  return RunEntry([&] {
    enum class Outcome { kRemoved, kUnknown, kBusy } outcome;
    {
      MonitorLock lock;
      MonitorState& state = Monitor();
      const PortRecord* record = state.ports->Find(pPortName);
      if (!record) {
        outcome = Outcome::kUnknown;
      } else if (record->stateFlags & (kPortOpen | kDocumentInProgress)) {
        outcome = Outcome::kBusy;  // the spooler still holds the record as a handle
      } else {
        state.ports->Remove(pPortName);
        state.ports->Save(state.registryRoot.c_str());
        outcome = Outcome::kRemoved;
      }
    }
    if (outcome == Outcome::kRemoved) {
      GUIMessage(L"Port removed", kIconInformation, 0);
      return Succeeded();
    }
    GUIMessage(kCannotRemove, kIconError, 0);
    return outcome == Outcome::kBusy ? Failed(ERROR_BUSY) : Succeeded();
  });
}
