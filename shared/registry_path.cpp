#include "registry_path.h"

namespace {

std::wstring AsciiUpper(std::wstring text) {
  for (wchar_t& c : text) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return text;
}

}  // namespace

std::optional<RegistryRoot> ParseRegistryRoot(const std::wstring& name) {
  const std::wstring upper = AsciiUpper(name);
  if (upper == L"HKEY_CLASSES_ROOT" || upper == L"HKCR") return RegistryRoot::ClassesRoot;
  if (upper == L"HKEY_CURRENT_USER" || upper == L"HKCU") return RegistryRoot::CurrentUser;
  if (upper == L"HKEY_LOCAL_MACHINE" || upper == L"HKLM") return RegistryRoot::LocalMachine;
  if (upper == L"HKEY_USERS" || upper == L"HKUR") return RegistryRoot::Users;
  return std::nullopt;
}

std::optional<RegistryPath> SplitRegistryPath(const std::wstring& path) {
  // A NUL would cut the names short at the registry call and select another key.
  if (path.find(L'\0') != std::wstring::npos) return std::nullopt;
  const std::size_t rootEnd = path.find(L'\\');
  if (rootEnd == std::wstring::npos) return std::nullopt;
  const std::optional<RegistryRoot> root = ParseRegistryRoot(path.substr(0, rootEnd));
  if (!root) return std::nullopt;

  const std::wstring rest = path.substr(rootEnd + 1);
  const std::size_t valueStart = rest.rfind(L'\\');
  // No backslash after the root, or only the one right after it: a value name
  // without a key path.
  if (valueStart == std::wstring::npos || valueStart == 0) return std::nullopt;
  return RegistryPath{*root, rest.substr(0, valueStart), rest.substr(valueStart + 1)};
}
