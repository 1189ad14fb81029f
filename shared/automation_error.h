// The automation error: the one error type of the settings component and the
// configuration tool. It carries the five fields of an automation error and is
// rethrown unchanged by every handler that passes it on.
#pragma once

#include <cstdint>
#include <exception>
#include <string>

class AutomationError : public std::exception {
 public:
  AutomationError(std::int32_t number, std::wstring source, std::wstring description,
                  std::wstring helpFile = {}, std::int32_t helpContext = 0);

  std::int32_t Number() const noexcept { return number_; }
  const std::wstring& Source() const noexcept { return source_; }
  const std::wstring& Description() const noexcept { return description_; }
  const std::wstring& HelpFile() const noexcept { return helpFile_; }
  std::int32_t HelpContext() const noexcept { return helpContext_; }

  const char* what() const noexcept override { return "automation error"; }

 private:
  std::int32_t number_;
  std::wstring source_;
  std::wstring description_;
  std::wstring helpFile_;
  std::int32_t helpContext_;
};

// The source that an error raised inside this binary carries by default: the
// name of the raising component. Each deliverable (and test program) defines it.
const wchar_t* DefaultErrorSource() noexcept;

// Raises an automation error with the default source.
[[noreturn]] void RaiseError(std::int32_t number, const std::wstring& description);
