// The program's fixed names.
#pragma once

#include <string>

// The product name of the program's own version record ("Quillmar Printer").
std::wstring GetProductName();

// The ProgID of the settings class that every action creates.
std::wstring GetSettingsProgID();
