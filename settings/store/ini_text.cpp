#include "ini_text.h"

#include <utility>

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

namespace {
constexpr std::size_t kBatch = 256;
// A table that reaches this many entries gets room for the lines expected.
constexpr std::size_t kReserveAfter = 4 * kBatch;
}  // namespace

IniTextReader::IniTextReader(Dictionary& root, TableFactory newSection)
    : root_(root), newSection_(std::move(newSection)), current_(&root) {
  pending_.reserve(kBatch);
}

void IniTextReader::Feed(std::wstring_view lines) {
  LineReader reader(lines);
  std::wstring_view rawLine;
  while (reader.Next(rawLine)) AddLine(rawLine);
  SetPending();  // the pending views point into `lines`
}

void IniTextReader::AddLine(std::wstring_view rawLine) {
  const std::wstring_view line = TrimSpaces(rawLine);
  if (line.size() <= 2) return;
  if (IsSectionHeader(line)) {
    SetPending();
    DictionaryPtr section = newSection_();
    current_ = section.get();
    root_.Set(TrimSpaces(line.substr(1, line.size() - 2)), section);
    return;
  }
  const auto equals = line.find(L'=');
  if (equals == std::wstring_view::npos) return;
  const std::wstring_view keyText = TrimSpaces(line.substr(0, equals));
  if (keyText.empty()) return;
  pending_.push_back({keyText, TrimSpaces(line.substr(equals + 1))});
  if (pending_.size() == kBatch) SetPending();
}

void IniTextReader::ExpectLines(std::size_t lines) noexcept { expectedLines_ = lines; }

void IniTextReader::SetPending() {
  const std::size_t count = current_->Count() + pending_.size();
  if (expectedLines_ > count && count >= kReserveAfter) {
    current_->Reserve(expectedLines_);
    expectedLines_ = 0;  // one table gets it: the one that holds the bulk of the file
  }
  current_->SetTexts(pending_);
  pending_.clear();
}

void ParseIniText(std::wstring_view text, Dictionary& root, const TableFactory& newSection) {
  IniTextReader(root, newSection).Feed(text);
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
