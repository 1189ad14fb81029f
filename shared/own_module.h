// Where this library's own file lies.
#pragma once

#include <string>

// The full path of the binary that this code is linked into; empty on failure.
std::wstring OwnModulePath();

// The folder of that binary, without a trailing backslash.
std::wstring OwnModuleFolder();
