// Texts with references to the process environment.
#pragma once

#include <optional>
#include <string>

// `text` with its %NAME% references replaced by the process environment's
// values (unknown names stay as written); nullopt when the expansion fails.
std::optional<std::wstring> ExpandEnvironmentReferences(const std::wstring& text);
