#include "fake_converter_calls.h"

#include <windows.h>

#include "scratch_folder.h"

std::optional<std::wstring> ConverterCall::Variable(const std::wstring& name) const {
  for (const std::wstring& entry : environment) {
    if (entry.size() > name.size() && entry.compare(0, name.size(), name) == 0 &&
        entry[name.size()] == L'=') {
      return entry.substr(name.size() + 1);
    }
  }
  return std::nullopt;
}

bool InstallFakeConverter(const std::wstring& folder) {
  return CopyFileW(WindowsPathOf(FAKE_CONVERTER_EXE).c_str(), (folder + L"\\gui.exe").c_str(),
                   FALSE) != 0;
}

std::vector<ConverterCall> ReadConverterCalls(const std::wstring& folder) {
  std::vector<ConverterCall> calls;
  for (const std::wstring& name : ListFiles(folder, L"call-*.rec")) {
    const std::string bytes = ReadFileBytes(folder + L"\\" + name);
    const std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()),
                            bytes.size() / sizeof(wchar_t));
    ConverterCall call;
    size_t start = 0;
    bool first = true;
    for (size_t end = text.find(L'\0'); end != std::wstring::npos;
         start = end + 1, end = text.find(L'\0', start)) {
      std::wstring piece = text.substr(start, end - start);
      if (first) {
        call.commandLine = std::move(piece);
        first = false;
      } else {
        call.environment.push_back(std::move(piece));
      }
    }
    calls.push_back(std::move(call));
  }
  return calls;
}

std::vector<ConverterCall> WaitForConverterCalls(const std::wstring& folder, size_t count,
                                                 unsigned timeoutMs) {
  WaitUntil([&] { return ListFiles(folder, L"call-*.rec").size() >= count; }, timeoutMs);
  return ReadConverterCalls(folder);
}
