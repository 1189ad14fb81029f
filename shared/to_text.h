// Any value to text; never raises.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "dictionary.h"

// The value as text: text unchanged, integers in decimal, other values by the
// standard automation conversion; the empty text for empty, null, objects
// without a default value and every failed conversion.
std::wstring ToText(const VARIANT& value) noexcept;
