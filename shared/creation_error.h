// The object-creation error: how a failed creation becomes an automation error.
#pragma once

#include <cstdint>
#include <string>

// The automation error number of a class that cannot be created.
inline constexpr std::int32_t kCannotCreateObject = 429;

// The automation error number that a failing HRESULT of an object creation
// carries: 429 for a class that is not registered or cannot be created, the
// number itself for control-facility codes (0x800Axxxx), the number of the
// matching automation error for common system codes, else the HRESULT itself.
std::int32_t CreationErrorNumber(std::int32_t hresult);

// The description of an object-creation error with number `number` whose own
// description is `description`.
std::wstring CreationErrorDescription(const std::wstring& progId, std::int32_t number,
                                      const std::wstring& description);
