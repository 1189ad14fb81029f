#include "version_resource.h"

#include "own_module.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

std::wstring QueryString(const std::vector<BYTE>& record, const std::wstring& block,
                         const wchar_t* name) {
  const std::wstring query = L"\\StringFileInfo\\" + block + L"\\" + name;
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(record.data(), query.c_str(), &value, &length) || !value) return {};
  const auto* text = static_cast<const wchar_t*>(value);
  return std::wstring(text, wcsnlen(text, length));
}

}  // namespace

std::wstring ReadOwnVersionString(const wchar_t* name) noexcept {
  try {
    const std::wstring path = OwnModulePath();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0) return {};
    std::vector<BYTE> record(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, record.data())) return {};

    // The block of the record's first translation, else US English / Unicode.
    struct Translation {
      WORD language;
      WORD codePage;
    };
    void* translations = nullptr;
    UINT length = 0;
    if (VerQueryValueW(record.data(), L"\\VarFileInfo\\Translation", &translations, &length) &&
        translations && length >= sizeof(Translation)) {
      const auto* first = static_cast<const Translation*>(translations);
      wchar_t block[16];
      swprintf(block, 16, L"%04X%04X", first->language, first->codePage);
      if (std::wstring text = QueryString(record, block, name); !text.empty()) return text;
    }
    return QueryString(record, L"040904B0", name);
  } catch (...) {
    return {};
  }
}

std::wstring GetCompanyName() noexcept { return ReadOwnVersionString(L"CompanyName"); }
