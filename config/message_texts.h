// The texts of the program's two message boxes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The usage text, lines ended by CR LF, for the product `productName`.
std::wstring UsageText(std::wstring_view productName);

// The report of an error that ended the run.
std::wstring ErrorReportText(std::int32_t number, std::wstring_view description);
