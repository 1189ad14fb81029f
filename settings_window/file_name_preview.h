// The "Preview:" of the settings window: the file name that the next job of
// an example document would get from a file-name template. Pure.
#pragma once

#include <string>
#include <string_view>

#include "output_name.h"

// The document the preview names.
inline constexpr wchar_t kPreviewDocument[] = L"Quarterly report";
// Shown when the template gives no valid file name.
inline constexpr wchar_t kNoValidFileName[] = L"(no valid file name)";

// The name with the extension of the format `formatWord` that a job gets
// from `fileNameTemplate` (empty: the default "<title>") with the tokens'
// values `names`; kNoValidFileName when the template gives no valid name.
std::wstring PreviewFileName(std::wstring_view fileNameTemplate, std::wstring_view formatWord,
                             const TemplateValues& names);
