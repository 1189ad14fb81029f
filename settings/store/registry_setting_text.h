// A value read from the product's machine-wide settings, as text.
#pragma once

#include <string>

#include "registry_value.h"

// Text as it is, an integer in decimal, bytes taken as the code units of a
// UTF-16 text (two bytes each, low byte first; an odd last byte is dropped),
// and the empty text for a missing or empty value.
std::wstring RegistrySettingText(const RegistryValue& value);
