#include "conversion_turns.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <vector>

#include "conversion_slots.h"
#include "machine_settings.h"
#include "product_names.h"
#include "user_log_file.h"

namespace {

struct QueueRecord {
  volatile LONG64 lastTicket;  // tickets handed out since the record was made
  volatile LONG64 tail;        // the ticket of the converter that joined last; 0: none
};

std::wstring Failure(const wchar_t* what) {
  return std::wstring(what) + L" (error " + std::to_wstring(GetLastError()) + L")";
}

unsigned Processors() {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  return system.dwNumberOfProcessors;
}

// Milliseconds left until `deadline` (a GetTickCount64 time), 0 when past.
DWORD Remaining(ULONGLONG deadline) {
  const ULONGLONG now = GetTickCount64();
  return now >= deadline ? 0 : static_cast<DWORD>(deadline - now);
}

// The user's own turn objects: named after the user, made with the user as
// their owner and only the user and SYSTEM let in. One that is there already
// is used only when the user owns it: another user, who can make these names
// first (in session 0 every service and print server job shares "Local\"),
// could hold it for ever or write the queue.
class UserObjects {
 public:
  UserObjects() : sid_(CallerSidText().value_or(L"")) {
    if (sid_.empty()) return;
    const std::wstring rights = L"O:" + sid_ + L"D:P(A;;GA;;;" + sid_ + L")(A;;GA;;;SY)";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(rights.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr)) {
      return;
    }
    descriptor_.reset(descriptor);
    BOOL defaulted = FALSE;
    GetSecurityDescriptorOwner(descriptor, &owner_, &defaulted);
    attributes_ = {sizeof attributes_, descriptor, FALSE};
  }

  bool Ready() const { return static_cast<bool>(descriptor_); }
  SECURITY_ATTRIBUTES* Attributes() { return &attributes_; }

  std::wstring Name(const wchar_t* what) const {
    return std::wstring(L"Local\\") + product_names::kProductTitle + L" conversion " + what + L" " +
           sid_;
  }
  std::wstring Name(const wchar_t* what, unsigned long long number) const {
    return Name(what) + L" " + std::to_wstring(number);
  }

  // Whether `object` is the user's own, and not another's of the same name.
  bool Owns(HANDLE object) const {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR raw = nullptr;
    if (GetSecurityInfo(object, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                        nullptr, nullptr, &raw) != ERROR_SUCCESS) {
      return false;
    }
    const UniqueLocalMemory descriptor(raw);
    return owner && EqualSid(owner, owner_);
  }

 private:
  std::wstring sid_;
  UniqueLocalMemory descriptor_;
  PSID owner_ = nullptr;
  SECURITY_ATTRIBUTES attributes_{};
};

// The result of a create call of a named object: the object when it is new or
// the user's own; else empty, with `problem` saying why.
UniqueHandle OwnObject(HANDLE made, const UserObjects& objects, const wchar_t* what,
                       std::wstring& problem) {
  const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
  UniqueHandle object(made);
  if (!object) {
    problem = Failure(what);
  } else if (existed && !objects.Owns(object.get())) {
    object.reset();
    problem = std::wstring(what) + L": another user made its object";
  }
  return object;
}

// A converter's place in the queue, from joining it until the converter
// before it has its slot or is gone, or `deadline` passes; the successor
// waits while it lasts.
class QueuePlace {
 public:
  QueuePlace(UserObjects& objects, ULONGLONG deadline, std::wstring& problem) {
    constexpr wchar_t kNoPlace[] = L"no place in the queue of conversions";
    SetLastError(ERROR_SUCCESS);
    queue_ =
        OwnObject(CreateFileMappingW(INVALID_HANDLE_VALUE, objects.Attributes(), PAGE_READWRITE, 0,
                                     sizeof(QueueRecord), objects.Name(L"queue").c_str()),
                  objects, kNoPlace, problem);
    if (!queue_) return;
    view_.reset(MapViewOfFile(queue_.get(), FILE_MAP_WRITE, 0, 0, sizeof(QueueRecord)));
    if (!view_) {
      problem = Failure(kNoPlace);
      return;
    }
    auto* record = static_cast<QueueRecord*>(view_.get());
    const LONG64 ticket = InterlockedIncrement64(&record->lastTicket);
    SetLastError(ERROR_SUCCESS);
    own_.reset(CreateMutexW(objects.Attributes(), TRUE, objects.Name(L"waiter", ticket).c_str()));
    if (!own_ || GetLastError() == ERROR_ALREADY_EXISTS) {
      own_.reset();  // not ours to hold: a stranger's object of that name
      problem = Failure(kNoPlace);
      return;
    }
    // The mutex is there before the ticket is seen, so a successor that does
    // not find it knows that this converter has gone.
    const LONG64 before = InterlockedExchange64(&record->tail, ticket);
    if (before == 0) return;
    const UniqueHandle predecessor(OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE | READ_CONTROL,
                                              FALSE, objects.Name(L"waiter", before).c_str()));
    if (!predecessor) return;
    if (!objects.Owns(predecessor.get())) {
      problem = L"the place before it in the queue of conversions: another user made its object";
      return;
    }
    const DWORD result = WaitForSingleObject(predecessor.get(), Remaining(deadline));
    if (result == WAIT_OBJECT_0 || result == WAIT_ABANDONED) {
      ReleaseMutex(predecessor.get());
    } else if (result == WAIT_TIMEOUT) {
      problem = L"the converter before it in the queue kept its place too long";
    }
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

// Waits until `deadline` for one of the user's `count` slots and returns its
// mutex, owned.
UniqueHandle TakeSlot(unsigned count, UserObjects& objects, ULONGLONG deadline,
                      std::wstring& problem) {
  std::vector<UniqueHandle> slots;
  std::vector<HANDLE> handles;
  for (unsigned slot = 0; slot < count; ++slot) {
    SetLastError(ERROR_SUCCESS);
    slots.push_back(
        OwnObject(CreateMutexW(objects.Attributes(), FALSE, objects.Name(L"slot", slot).c_str()),
                  objects, L"no conversion slot can be made", problem));
    if (!slots.back()) return {};
    handles.push_back(slots.back().get());
  }
  const DWORD result = WaitForMultipleObjects(count, handles.data(), FALSE, Remaining(deadline));
  if (result == WAIT_TIMEOUT) {
    problem = L"no conversion slot came free in time";
    return {};
  }
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

ConversionTurn::ConversionTurn(unsigned long waitLimitMs) {
  const ULONGLONG deadline = GetTickCount64() + waitLimitMs;
  const unsigned count =
      ConversionSlotCount(ReadMachineSetting(machine_settings::kMaxConversions), Processors());
  UserObjects objects;
  if (!objects.Ready()) {
    problem_ = Failure(L"the user's conversion objects cannot be made");
    return;
  }
  const QueuePlace place(objects, deadline, problem_);
  slot_ = TakeSlot(count, objects, deadline, problem_);
}

ConversionTurn::~ConversionTurn() {
  if (slot_) ReleaseMutex(slot_.get());
}

std::wstring ConversionObjectName(const wchar_t* what, std::optional<unsigned long long> number) {
  const UserObjects objects;
  return number ? objects.Name(what, *number) : objects.Name(what);
}

unsigned long long LastConverterQueued() {
  const UniqueHandle queue(
      OpenFileMappingW(FILE_MAP_READ, FALSE, UserObjects().Name(L"queue").c_str()));
  const UniqueMappedView view(
      queue ? MapViewOfFile(queue.get(), FILE_MAP_READ, 0, 0, sizeof(QueueRecord)) : nullptr);
  return view ? static_cast<unsigned long long>(static_cast<const QueueRecord*>(view.get())->tail)
              : 0;
}
