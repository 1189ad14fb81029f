// The log entry: any source, message and detail (each possibly absent), one
// line in the layout "[source] message: detail" ended by CR LF, with no other
// line break of any kind, and single-byte text of the
// same length where only the units the log cannot hold become "?".
#include <cwchar>

#include "fuzz_text.h"
#include "log_entry.h"
#include "text_rules.h"

namespace {

// A text as the caller hands it: up to its first null, or no text at all.
std::optional<std::wstring> OptionalText(FuzzedDataProvider& provider) {
  const bool present = provider.ConsumeBool();
  std::wstring text = ConsumeUnits(provider, 1024);
  text.resize(std::wcslen(text.c_str()));
  if (!present) return std::nullopt;
  return text;
}

const wchar_t* Pointer(const std::optional<std::wstring>& text) {
  return text ? text->c_str() : nullptr;
}

// The text as the log holds it on one line: C0, DEL and C1 controls become "?".
std::wstring OneLine(std::wstring text) {
  for (wchar_t& c : text) {
    if (c < L' ' || (c >= 0x7F && c <= 0x9F)) c = L'?';
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  const auto source = OptionalText(provider);
  const auto detail = OptionalText(provider);
  const auto message = OptionalText(provider).value_or(L"");

  const std::wstring entry = FormatLogEntry(Pointer(source), message.c_str(), Pointer(detail));
  std::wstring expected;
  if (source) expected += L"[" + OneLine(*source) + L"] ";
  expected += OneLine(message);
  if (detail) expected += L": " + OneLine(*detail);
  expected += L"\r\n";
  if (entry != expected) Finding("entry layout differs");
  if (entry.find_first_of(L"\r\n\x0085") != entry.size() - 2) Finding("entry is not one line");

  const std::string bytes = NarrowForLog(entry);
  if (bytes.size() != entry.size()) Finding("single-byte entry changes length");
  for (std::size_t i = 0; i < entry.size(); ++i) {
    const auto unit = static_cast<unsigned long>(entry[i]);
    const char wanted = unit <= 0xFF ? static_cast<char>(unit) : '?';
    if (bytes[i] != wanted) Finding("single-byte unit differs");
  }
  if (bytes.back() != '\n') Finding("entry does not end its line");
  return 0;
}
