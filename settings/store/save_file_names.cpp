#include "save_file_names.h"

#include <cwchar>
#include <cwctype>

namespace {

constexpr std::wstring_view kSuffix = L".tmp";
constexpr std::wstring_view kClaimedPrefix = L"~runonce-";
constexpr std::wstring_view kClaimedSuffix = L".claimed";

// FNV-1a of the name, without regard to case (file names compare so).
std::uint32_t NameHash(std::wstring_view name) {
  std::uint32_t hash = 2166136261u;
  for (const wchar_t c : name) {
    hash = (hash ^ static_cast<std::uint32_t>(std::towlower(c))) * 16777619u;
  }
  return hash;
}

std::wstring Hex(std::uint32_t value) {
  wchar_t digits[9];
  std::swprintf(digits, 9, L"%x", value);
  return digits;
}

// "~" and the hash of the target name, eight digits.
std::wstring Prefix(std::wstring_view targetName) {
  wchar_t digits[10];
  std::swprintf(digits, 10, L"~%08x", NameHash(targetName));
  return digits;
}

// Reads lower-case hexadecimal digits up to `end` from the front of `text`.
std::optional<std::uint32_t> TakeHex(std::wstring_view& text, wchar_t end) {
  std::uint64_t value = 0;
  std::size_t i = 0;
  for (; i < text.size() && text[i] != end; ++i) {
    const wchar_t c = text[i];
    const int digit = c >= L'0' && c <= L'9'   ? c - L'0'
                      : c >= L'a' && c <= L'f' ? c - L'a' + 10
                                               : -1;
    if (digit < 0 || i == 8) return std::nullopt;
    value = value * 16 + static_cast<std::uint64_t>(digit);
  }
  if (i == 0 || i == text.size()) return std::nullopt;
  text.remove_prefix(i + 1);
  return static_cast<std::uint32_t>(value);
}

// "<process>-<thread>" in hexadecimal.
std::wstring WriterPart(const SaveWriter& writer) {
  return Hex(writer.processId) + L"-" + Hex(writer.threadId);
}

// The writer of `fileName` when it is `prefix`, a writer part and `suffix`.
std::optional<SaveWriter> WriterBetween(std::wstring_view fileName, std::wstring_view prefix,
                                        std::wstring_view suffix) {
  if (!fileName.starts_with(prefix) || !fileName.ends_with(suffix)) return std::nullopt;
  fileName.remove_prefix(prefix.size());
  fileName.remove_suffix(suffix.size() - 1);  // keeps the "." that ends the thread id
  const auto process = TakeHex(fileName, L'-');
  const auto thread = process ? TakeHex(fileName, L'.') : std::nullopt;
  if (!thread || !fileName.empty()) return std::nullopt;
  return SaveWriter{*process, *thread};
}

}  // namespace

std::wstring TemporaryFileName(std::wstring_view targetName, const SaveWriter& writer) {
  return Prefix(targetName) + L"-" + WriterPart(writer) + std::wstring(kSuffix);
}

std::wstring TemporaryFilePattern(std::wstring_view targetName) {
  return Prefix(targetName) + L"-*" + std::wstring(kSuffix);
}

std::optional<SaveWriter> TemporaryFileWriter(std::wstring_view targetName,
                                              std::wstring_view fileName) {
  return WriterBetween(fileName, Prefix(targetName) + L"-", kSuffix);
}

std::wstring ClaimedFileName(const SaveWriter& claimer) {
  return std::wstring(kClaimedPrefix) + WriterPart(claimer) + std::wstring(kClaimedSuffix);
}

std::optional<SaveWriter> ClaimedFileWriter(std::wstring_view fileName) {
  return WriterBetween(fileName, kClaimedPrefix, kClaimedSuffix);
}

std::wstring LongPathForm(std::wstring_view fullPath) {
  if (fullPath.starts_with(L"\\\\?\\")) return std::wstring(fullPath);
  if (fullPath.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + std::wstring(fullPath.substr(2));
  return L"\\\\?\\" + std::wstring(fullPath);
}
