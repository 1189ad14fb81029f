#include "conversion_turns.h"

#include <windows.h>

#include <vector>

#include "conversion_slots.h"
#include "machine_settings.h"
#include "product_names.h"

namespace {

struct QueueRecord {
  volatile LONG64 lastTicket;  // tickets handed out since the record was made
  volatile LONG64 tail;        // the ticket of the converter that joined last; 0: none
};

std::wstring ObjectName(const wchar_t* what) {
  return std::wstring(L"Local\\") + product_names::kProductTitle + L" conversion " + what;
}
std::wstring ObjectName(const wchar_t* what, unsigned long long number) {
  return ObjectName(what) + L" " + std::to_wstring(number);
}

std::wstring Failure(const wchar_t* what) {
  return std::wstring(what) + L" (error " + std::to_wstring(GetLastError()) + L")";
}

unsigned Processors() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  return system.dwNumberOfProcessors;
}

// A converter's place in the queue, from joining it until the converter
// before it has its slot or is gone; the successor waits while it lasts.
class QueuePlace {
 public:
  explicit QueuePlace(std::wstring& problem) {
    queue_.reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    sizeof(QueueRecord), ObjectName(L"queue").c_str()));
    if (queue_) view_.reset(MapViewOfFile(queue_.get(), FILE_MAP_WRITE, 0, 0, sizeof(QueueRecord)));
    if (!view_) {
      problem = Failure(L"no place in the queue of conversions");
      return;
    }
    auto* record = static_cast<QueueRecord*>(view_.get());
    const LONG64 ticket = InterlockedIncrement64(&record->lastTicket);
    SetLastError(ERROR_SUCCESS);
    own_.reset(CreateMutexW(nullptr, TRUE, ObjectName(L"waiter", ticket).c_str()));
    if (!own_ || GetLastError() == ERROR_ALREADY_EXISTS) {
      own_.reset();  // not ours to hold: a stranger's object of that name
      problem = Failure(L"no place in the queue of conversions");
      return;
    }
    // The mutex is there before the ticket is seen, so a successor that does
    // not find it knows that this converter has gone.
    const LONG64 before = InterlockedExchange64(&record->tail, ticket);
    if (before == 0) return;
    const UniqueHandle predecessor(
        OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, ObjectName(L"waiter", before).c_str()));
    if (!predecessor) return;
    const DWORD result = WaitForSingleObject(predecessor.get(), INFINITE);
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) ReleaseMutex(predecessor.get());
  }
  ~QueuePlace() {
    if (own_) ReleaseMutex(own_.get());
  }
  QueuePlace(const QueuePlace&) = delete;
  QueuePlace& operator=(const QueuePlace&) = delete;

 private:
  UniqueHandle queue_;
  UniqueMappedView view_;
  UniqueHandle own_;
};

// Waits for one of the session's `count` slots and returns its mutex, owned.
UniqueHandle TakeSlot(unsigned count, std::wstring& problem) {
  std::vector<UniqueHandle> slots;
  std::vector<HANDLE> handles;
  for (unsigned slot = 0; slot < count; ++slot) {
    slots.emplace_back(CreateMutexW(nullptr, FALSE, ObjectName(L"slot", slot).c_str()));
    if (!slots.back()) {
      problem = Failure(L"no conversion slot can be made");
      return {};
    }
    handles.push_back(slots.back().get());
  }
  const DWORD result = WaitForMultipleObjects(count, handles.data(), FALSE, INFINITE);
  // An abandoned slot's owner died: the slot is free, and now ours.
  const DWORD slot =
      result >= WAIT_ABANDONED_0 ? result - WAIT_ABANDONED_0 : result - WAIT_OBJECT_0;
  if (slot >= count) {
    problem = Failure(L"the wait for a conversion slot failed");
    return {};
  }
  return std::move(slots[slot]);
}

}  // namespace

ConversionTurn::ConversionTurn() {
  const unsigned count =
      ConversionSlotCount(ReadMachineSetting(machine_settings::kMaxConversions), Processors());
  const QueuePlace place(problem_);
  slot_ = TakeSlot(count, problem_);
}

ConversionTurn::~ConversionTurn() {
  if (slot_) ReleaseMutex(slot_.get());
}

unsigned long long LastConverterQueued() {
  const UniqueHandle queue(OpenFileMappingW(FILE_MAP_READ, FALSE, ObjectName(L"queue").c_str()));
  const UniqueMappedView view(
      queue ? MapViewOfFile(queue.get(), FILE_MAP_READ, 0, 0, sizeof(QueueRecord)) : nullptr);
  return view ? static_cast<unsigned long long>(static_cast<const QueueRecord*>(view.get())->tail)
              : 0;
}
