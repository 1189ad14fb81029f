#include "ini_text.h"

#include <vector>

namespace {

constexpr wchar_t kCarriageReturn = L'\r';
constexpr wchar_t kLineFeed = L'\n';

std::wstring_view TrimSpaces(std::wstring_view text) {
  const auto first = text.find_first_not_of(L' ');
  if (first == std::wstring_view::npos) return {};
  const auto last = text.find_last_not_of(L' ');
  return text.substr(first, last - first + 1);
}

bool IsSectionHeader(std::wstring_view line) { return line.front() == L'[' && line.back() == L']'; }

class LineReader {
 public:
  explicit LineReader(std::wstring_view text) : rest_(text) {}

  // The next line without its line end; false at the end of the text.
  bool Next(std::wstring_view& line) {
    if (rest_.empty()) return false;
    const auto end = rest_.find(kCarriageReturn);
    if (end == std::wstring_view::npos) {
      line = rest_;
      rest_ = {};
      return true;
    }
    line = rest_.substr(0, end);
    std::size_t next = end + 1;
    if (next < rest_.size() && rest_[next] == kLineFeed) ++next;
    rest_.remove_prefix(next);
    return true;
  }

 private:
  std::wstring_view rest_;
};

}  // namespace

void ParseIniText(std::wstring_view text, Dictionary& root, const TableFactory& newSection) {
  Dictionary* current = &root;
  // Entries of `current` not yet set: handed over many at a time, which is faster.
  constexpr std::size_t kBatch = 256;
  std::vector<Dictionary::TextEntry> pending;
  pending.reserve(kBatch);
  auto setPending = [&] {
    current->SetTexts(pending);
    pending.clear();
  };
  LineReader reader(text);
  std::wstring_view rawLine;
  while (reader.Next(rawLine)) {
    const std::wstring_view line = TrimSpaces(rawLine);
    if (line.size() <= 2) continue;
    if (IsSectionHeader(line)) {
      setPending();
      DictionaryPtr section = newSection();
      current = section.get();
      root.Set(TrimSpaces(line.substr(1, line.size() - 2)), section);
      continue;
    }
    const auto equals = line.find(L'=');
    if (equals == std::wstring_view::npos) continue;
    const std::wstring_view keyText = TrimSpaces(line.substr(0, equals));
    if (keyText.empty()) continue;
    pending.push_back({keyText, TrimSpaces(line.substr(equals + 1))});
    if (pending.size() == kBatch) setPending();
  }
  setPending();
}

std::wstring FormatIniText(const Dictionary& root) {
  std::wstring text;
  auto appendEntry = [&text](std::wstring_view indent, const Dictionary::Entry& entry) {
    text.append(indent).append(entry.key).append(1, L'=');
    if (const std::wstring_view* value = AsText(entry.value)) text.append(*value);
    text.append(L"\r\n");
  };
  for (const Dictionary::Entry& entry : root) {
    if (!AsDictionary(entry.value)) appendEntry({}, entry);
  }
  for (const Dictionary::Entry& entry : root) {
    const DictionaryPtr section = AsDictionary(entry.value);
    if (!section) continue;
    text.append(1, L'[').append(entry.key).append(L"]\r\n");
    for (const Dictionary::Entry& setting : *section) appendEntry(L"  ", setting);
  }
  return text;
}
