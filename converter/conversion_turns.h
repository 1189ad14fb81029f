// Conversions take turns: for one user in one session at most ConversionSlotCount
// (conversion_slots.h) Ghostscript runs at once, from the machine setting
// "MaxConversions", else one per processor; the other converters wait, with
// no Ghostscript started, in the order in which they came for their turn.
//
// The kernel objects, all in the session's namespace ("Local\"), each user's
// under names of their own (in session 0, services and print server jobs of
// every user share that namespace). Each is made with the user as owner and
// only the user and SYSTEM let in, and one that is there already is used only
// when the user owns it: another user can make a name first, but gets no
// converter to wait on it. (A private namespace bound to the user's SID would
// say the same; Wine 8 has none, see converter/README.md.)
// - a mutex per slot, "... conversion slot <SID> <n>", owned while Ghostscript runs.
//   A mutex, not a semaphore: the system gives up the mutex of an owner that
//   dies (the next waiter gets it "abandoned", which counts as taken here),
//   whereas a semaphore count taken by a process that dies is never given
//   back, and the bound would shrink for good;
// - the queue: a shared record, "... conversion queue <SID>", with the last ticket
//   handed out and the ticket of the converter that joined last, and a mutex
//   per waiting converter, "... conversion waiter <SID> <ticket>", that it owns
//   until it has its slot.
//
// Every wait has a time limit: a converter waits no longer for its place in
// the queue and its slot together than the longest that one Ghostscript run
// may take, then converts without a turn (its log says so).
//
// The order. Neither system promises that the waiters of one object get it
// in the order in which they began to wait: Windows says not to assume it
// (a kernel-mode APC takes a waiting thread out of the queue, and it goes
// back in at the end); Wine's server happens to wake them in that order. So
// the queue keeps the order itself: a converter takes a ticket, makes its
// waiter mutex (owned), and swaps its ticket into the record's tail in one
// atomic exchange, which hands it the ticket of the converter before it. It
// waits until that one's mutex is released (it has its slot), abandoned (it
// died) or gone (it has finished); only then does it wait for a slot. At any
// time only the head of the queue waits for the slots and every other
// converter waits for the one before it, so slots go in the order of the
// exchanges, however the system orders its waiters.
//
// The queue's record lasts while any converter has it open; when the last
// one closes it, the next converter starts a new one.
#pragma once

#include <optional>
#include <string>

#include "ghostscript.h"
#include "unique_resource.h"

// How long a converter waits for its turn at most: longer than one
// Ghostscript run may hold a slot.
inline constexpr unsigned long kLongestTurnWaitMs = kConversionTimeoutMs + 60 * 1000;

class ConversionTurn {
 public:
  // Waits for this converter's turn, at most `waitLimitMs`; the turn lasts as
  // long as the object. When the user's objects cannot be made or waited on
  // (names taken by another user's objects, no resources, the time limit
  // passed), Problem() says why: without a slot, the conversion runs rather
  // than the job being lost; without its place in the queue, it still waits
  // for a slot, in no particular order.
  explicit ConversionTurn(unsigned long waitLimitMs = kLongestTurnWaitMs);
  ~ConversionTurn();
  ConversionTurn(const ConversionTurn&) = delete;
  ConversionTurn& operator=(const ConversionTurn&) = delete;

  bool Held() const { return static_cast<bool>(slot_); }
  const std::wstring& Problem() const { return problem_; }

 private:
  UniqueHandle slot_;
  std::wstring problem_;
};

// The name of the user's turn object `what` ("queue", "slot" or "waiter"),
// with the number of a slot or waiter.
std::wstring ConversionObjectName(const wchar_t* what,
                                  std::optional<unsigned long long> number = {});

// The ticket of the converter that joined the user's queue last (tickets
// count from 1 in each new record); 0 when no converter has the queue open.
unsigned long long LastConverterQueued();
