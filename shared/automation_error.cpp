#include "automation_error.h"

#include <utility>

AutomationError::AutomationError(std::int32_t number, std::wstring source, std::wstring description,
                                 std::wstring helpFile, std::int32_t helpContext)
    : number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      helpFile_(std::move(helpFile)),
      helpContext_(helpContext) {}

void RaiseError(std::int32_t number, const std::wstring& description) {
  throw AutomationError(number, DefaultErrorSource(), description);
}
