// AddPort, ConfigurePort and DeletePort.
#include <memory>

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
    EntryResult result = Succeeded();
    bool removed = false;
    {
      MonitorLock lock;
      MonitorState& state = Monitor();
      const PortRecord* record = state.ports->Find(pPortName);
      if (record && (record->stateFlags & (kPortOpen | kDocumentInProgress))) {
        result = Failed(ERROR_BUSY);  // the spooler still holds the record as a handle
      } else if (record) {
        size_t position = 0;
        std::unique_ptr<PortRecord> detached = state.ports->Detach(pPortName, &position);
        if (const LONG error = state.ports->Save(state.registryRoot.c_str());
            error != ERROR_SUCCESS) {
          // Not saved: the port stays, in the list and (as far as it can be
          // written back) in the registry.
          state.ports->Reattach(std::move(detached), position);
          state.ports->Save(state.registryRoot.c_str());
          result = Failed(static_cast<DWORD>(error));
        } else {
          removed = true;
        }
      }
    }
    if (removed) {
      GUIMessage(L"Port removed", kIconInformation, 0);
    } else {
      GUIMessage(kCannotRemove, kIconError, 0);
    }
    return result;
  });
}
