// The one mapping of an exception that an entry point did not expect: exhausted
// memory is told apart, anything else is an internal error. Each boundary
// calls one of these inside its catch-all handler and answers in its own terms
// (a system error code, an HRESULT, an automation error number).
#pragma once

#include <windows.h>

#include <cstdint>
#include <new>

enum class UnexpectedException { kOutOfMemory, kInternalError };

// The kind of the exception being handled; call only inside a catch handler.
inline UnexpectedException CurrentUnexpectedException() noexcept {
  try {
    throw;
  } catch (const std::bad_alloc&) {
    return UnexpectedException::kOutOfMemory;
  } catch (...) {
    return UnexpectedException::kInternalError;
  }
}

// ERROR_NOT_ENOUGH_MEMORY or ERROR_INTERNAL_ERROR.
inline DWORD UnexpectedExceptionError() noexcept {
  return CurrentUnexpectedException() == UnexpectedException::kOutOfMemory ? ERROR_NOT_ENOUGH_MEMORY
                                                                           : ERROR_INTERNAL_ERROR;
}

// E_OUTOFMEMORY or the HRESULT of ERROR_INTERNAL_ERROR.
inline HRESULT UnexpectedExceptionResult() noexcept {
  return CurrentUnexpectedException() == UnexpectedException::kOutOfMemory
             ? E_OUTOFMEMORY
             : HRESULT_FROM_WIN32(ERROR_INTERNAL_ERROR);
}

// The automation error numbers "Out of memory" (7) and "Internal error" (51), with their texts.
struct UnexpectedAutomationError {
  std::int32_t number;
  const wchar_t* description;
};
inline UnexpectedAutomationError UnexpectedExceptionAutomationError() noexcept {
  return CurrentUnexpectedException() == UnexpectedException::kOutOfMemory
             ? UnexpectedAutomationError{7, L"Out of memory"}
             : UnexpectedAutomationError{51, L"Internal error"};
}
