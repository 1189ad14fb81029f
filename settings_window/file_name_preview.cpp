#include "file_name_preview.h"

#include <algorithm>

#include "output_format.h"

std::wstring PreviewFileName(std::wstring_view fileNameTemplate, std::wstring_view formatWord,
                             const TemplateValues& names) {
  const std::optional<std::wstring> name =
      ExpandFileNameTemplate(fileNameTemplate.empty() ? L"<title>" : fileNameTemplate, names);
  if (!name) return kNoValidFileName;
  const auto formats = OutputFormats();
  const auto format = std::find_if(formats.begin(), formats.end(),
                                   [&](const OutputFormat& f) { return f.word == formatWord; });
  return *name +
         std::wstring(format == formats.end() ? formats.front().extension : format->extension);
}
