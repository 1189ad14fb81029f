#include "port_list.h"

#include <winspool.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "registry_text.h"
#include "text_rules.h"
#include "unique_resource.h"

namespace {

constexpr DWORD kMaxPortNameBytes = 520;  // 260 code units with the terminator

DWORD StringBytes(const std::wstring& text) {
  return static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t));
}

// The buffer layout is pure code with records of its own: they must be the spooler's.
static_assert(sizeof(PortInfo1) == sizeof(PORT_INFO_1W) &&
              offsetof(PortInfo1, pName) == offsetof(PORT_INFO_1W, pName));
static_assert(sizeof(PortInfo2) == sizeof(PORT_INFO_2W) &&
              offsetof(PortInfo2, pPortName) == offsetof(PORT_INFO_2W, pPortName) &&
              offsetof(PortInfo2, pMonitorName) == offsetof(PORT_INFO_2W, pMonitorName) &&
              offsetof(PortInfo2, pDescription) == offsetof(PORT_INFO_2W, pDescription) &&
              offsetof(PortInfo2, fPortType) == offsetof(PORT_INFO_2W, fPortType) &&
              offsetof(PortInfo2, Reserved) == offsetof(PORT_INFO_2W, Reserved));

}  // namespace

PortList::PortList(const wchar_t* monitorName, const wchar_t* portDescription)
    : head_(new PortRecord),
      portDescription_(portDescription ? portDescription : L""),
      monitorName_(monitorName ? monitorName : L"") {}

PortList::~PortList() {
  while (head_) delete std::exchange(head_, head_->next);
}

void PortList::Load(const wchar_t* root) {
  UniqueRegKey key;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, root ? root : L"", 0, KEY_QUERY_VALUE, key.put()) !=
      ERROR_SUCCESS) {
    return;
  }
  for (unsigned number = 1;; ++number) {
    wchar_t data[kMaxPortNameBytes / sizeof(wchar_t)];
    DWORD size = sizeof(data);
    if (RegQueryValueExW(key.get(), std::to_wstring(number).c_str(), nullptr, nullptr,
                         reinterpret_cast<LPBYTE>(data), &size) != ERROR_SUCCESS) {
      break;
    }
    Add(TextFromData(data, size / sizeof(wchar_t)).c_str(), 0);
  }
}

LONG PortList::Save(const wchar_t* root) const {
  UniqueRegKey key;
  if (const LONG status = RegOpenKeyExW(HKEY_LOCAL_MACHINE, root ? root : L"", 0,
                                        KEY_READ | KEY_SET_VALUE, key.put());
      status != ERROR_SUCCESS) {
    return status;
  }
  for (unsigned number = 1;; ++number) {
    if (RegDeleteValueW(key.get(), std::to_wstring(number).c_str()) != ERROR_SUCCESS) break;
  }
  LONG firstError = ERROR_SUCCESS;
  DWORD number = Count();
  for (const PortRecord* record = head_; record->next; record = record->next, --number) {
    const LONG status = RegSetValueExW(key.get(), std::to_wstring(number).c_str(), 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(record->portName.c_str()),
                                       StringBytes(record->portName));
    if (firstError == ERROR_SUCCESS) firstError = status;
  }
  return firstError;
}

bool PortList::Add(const wchar_t* name, DWORD flags) {
  auto* record = new PortRecord;
  record->portName = name ? name : L"";
  record->stateFlags = flags;
  record->next = head_;
  head_ = record;
  return true;
}

PortRecord* PortList::Find(const wchar_t* name) const {
  if (!name) return nullptr;
  for (PortRecord* record = head_; record->next; record = record->next) {
    if (PortNamesEqual(record->portName, name)) return record;
  }
  return nullptr;
}

bool PortList::Remove(const wchar_t* name) {
  size_t position = 0;
  return Detach(name, &position) != nullptr;
}

std::unique_ptr<PortRecord> PortList::Detach(const wchar_t* name, size_t* position) {
  if (!name) return nullptr;
  *position = 0;
  for (PortRecord** link = &head_; (*link)->next; link = &(*link)->next, ++*position) {
    if (PortNamesEqual((*link)->portName, name)) {
      std::unique_ptr<PortRecord> removed(*link);
      *link = removed->next;
      removed->next = nullptr;
      return removed;
    }
  }
  return nullptr;
}

void PortList::Reattach(std::unique_ptr<PortRecord> record, size_t position) {
  PortRecord** link = &head_;
  for (; position > 0 && (*link)->next; --position) link = &(*link)->next;
  record->next = *link;
  *link = record.release();
}

DWORD PortList::Count() const {
  DWORD count = 0;
  for (const PortRecord* record = head_; record->next; record = record->next) ++count;
  return count;
}

BOOL PortList::Enum(DWORD level, LPBYTE ports, DWORD bufferSize, LPDWORD needed,
                    LPDWORD returned) const {
  std::vector<std::wstring_view> names;
  for (const PortRecord* record = head_; record->next; record = record->next) {
    names.push_back(record->portName);
  }
  const PortBufferFill fill =
      FillPortBuffer(level, names, monitorName_, portDescription_, ports, bufferSize);
  *needed = fill.needed;
  if (fill.result == PortBufferResult::kTooSmall) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  *returned = fill.returned;
  if (fill.result == PortBufferResult::kUnknownLevel) {
    SetLastError(ERROR_INVALID_LEVEL);
    return FALSE;
  }
  return TRUE;
}
