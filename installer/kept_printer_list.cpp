#include "kept_printer_list.h"

#include <windows.h>

#include <algorithm>

#include "setup_error.h"
#include "setup_names.h"
#include "unique_resource.h"

namespace {
constexpr LONGLONG kMaxListBytes = 4 * 1024 * 1024;
}  // namespace

void WriteKeptPrinters(const std::wstring& path, const std::vector<std::wstring>& names) {
  std::wstring text;
  for (const std::wstring& name : names) {
    if (name != setup_names::kPrinterName) text += name + L"\n";
  }
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  const DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (!file || !WriteFile(file.get(), text.data(), size, &written, nullptr) || written != size) {
    ThrowLastError(L"Keeping the list of printers in " + path);
  }
}

std::vector<std::wstring> ReadKeptPrinters(const std::wstring& path) {
  UniqueFileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    if (GetLastError() == ERROR_FILE_NOT_FOUND) return {};
    ThrowLastError(L"Reading the list of printers in " + path);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) ThrowLastError(L"Reading the list of printers in " + path);
  // Far more than any spooler's printers: not a list this program wrote.
  if (size.QuadPart > kMaxListBytes) {
    ThrowError(L"Reading the list of printers in " + path, ERROR_FILE_TOO_LARGE);
  }
  std::wstring text(static_cast<std::size_t>(size.QuadPart) / sizeof(wchar_t), L'\0');
  DWORD read = 0;
  const DWORD bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (!ReadFile(file.get(), text.data(), bytes, &read, nullptr) || read != bytes) {
    ThrowLastError(L"Reading the list of printers in " + path);
  }
  std::vector<std::wstring> names;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find(L'\n', start), text.size());
    if (end > start) names.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return names;
}
