// The error boundary of every COM method: runs the body and turns what it
// throws into an HRESULT. An automation error becomes 0x800A0000 + its number
// with an error-information record; exhausted memory E_OUTOFMEMORY; anything
// else automation error 51, "Internal error", with its record.
#pragma once

#include <windows.h>

#include "automation_error.h"
#include "unexpected_exception.h"

// The HRESULT that carries automation error `number` (0x800A0000 + number; a
// number that already is a failing HRESULT is passed on as it is).
HRESULT AutomationErrorResult(std::int32_t number) noexcept;

// Publishes the error-information record of `error` for interface `iid` and
// returns its HRESULT.
HRESULT ReportAutomationError(const AutomationError& error, REFIID iid) noexcept;

// The HRESULT (and record) of the exception being handled that is no automation
// error; call only inside a catch handler.
HRESULT ReportUnexpectedException(REFIID iid) noexcept;

template <typename Body>
HRESULT RunComMethod(REFIID iid, Body&& body) noexcept {
  try {
    body();
    return S_OK;
  } catch (const AutomationError& error) {
    return ReportAutomationError(error, iid);
  } catch (...) {
    return ReportUnexpectedException(iid);
  }
}
