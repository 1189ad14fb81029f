// The file-name template: any template and token values give either nothing
// or a valid file name, whose text comes only from the template's literal
// characters and the safe forms of the values; a template without "<" is
// its own result whenever it is a valid name.
#include <algorithm>

#include "device_names.h"
#include "fuzz_text.h"
#include "output_name.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  TemplateValues values;
  for (std::wstring* value : {&values.title, &values.printer, &values.user, &values.date,
                              &values.time, &values.session}) {
    *value = ConsumeUnits(provider, 300);
  }
  const std::wstring fileNameTemplate = DecodeUnits(provider.ConsumeRemainingBytesAsString());
  const std::optional<std::wstring> name = ExpandFileNameTemplate(fileNameTemplate, values);
  if (name && !IsValidFileName(*name)) Finding("invalid name given");
  if (name && IsDeviceName(*name + L".pdf")) Finding("device name given");
  // A title alone always gives a name: every document is saved.
  if (!ExpandFileNameTemplate(L"<title>", values)) Finding("a title gives no name");
  if (name && (*name).find_first_of(L"\\/:*?\"<>|") != std::wstring::npos) {
    Finding("unsafe character in the name");
  }
  // C0, DEL and C1 controls.
  if (name && std::any_of(name->begin(), name->end(),
                          [](wchar_t c) { return c < 0x20 || (c >= 0x7F && c <= 0x9F); })) {
    Finding("control character in the name");
  }
  if (fileNameTemplate.find(L'<') == std::wstring::npos &&
      IsValidFileName(fileNameTemplate) != (name == fileNameTemplate)) {
    Finding("literal template not taken as it is");
  }
  if (name && !IsUsableOutputPath(L"C:\\out\\" + *name + L".pdf")) {
    Finding("valid name gives an unusable path");
  }
  return 0;
}
