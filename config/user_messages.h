// The program's message boxes: its only output.
#pragma once

#include <cstdint>
#include <string_view>

// Shows the usage text (information icon, OK) and returns when it is closed.
void ShowUsage();

// Shows the report of the error that ended the run (error icon, OK).
void ShowError(std::int32_t number, std::wstring_view description) noexcept;
