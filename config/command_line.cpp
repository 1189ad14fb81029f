#include "command_line.h"

#include <cwctype>

namespace {

constexpr wchar_t kBlank = L' ';
constexpr wchar_t kQuote = L'"';

bool IsNameTerminator(wchar_t c) noexcept { return c == L'=' || c == L',' || c == kBlank; }
bool IsValueTerminator(wchar_t c) noexcept { return c == L',' || c == kBlank; }

std::wstring_view Trimmed(std::wstring_view text) noexcept {
  const size_t first = text.find_first_not_of(kBlank);
  if (first == std::wstring_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlank) - first + 1);
}

void Trim(std::wstring& text) {
  const std::wstring_view kept = Trimmed(text);
  text = std::wstring(kept);
}

// Reads from `text` at `pos` past an opening quote up to and including the
// closing one (or to the end), appending the quoted characters to `target`.
void ReadQuotedPart(std::wstring_view text, size_t& pos, std::wstring& target) {
  while (pos < text.size()) {
    const size_t quote = text.find(kQuote, pos);
    if (quote == std::wstring_view::npos) {
      target.append(text.substr(pos));
      pos = text.size();
      return;
    }
    target.append(text.substr(pos, quote - pos));
    if (quote + 1 < text.size() && text[quote + 1] == kQuote) {
      target.push_back(kQuote);
      pos = quote + 2;
    } else {
      pos = quote + 1;
      return;
    }
  }
}

// Reads a name or value at `pos`: a quoted part, or the characters up to the
// first one for which `isTerminator` holds (which stays unread).
template <typename Terminator>
void ReadPart(std::wstring_view text, size_t& pos, std::wstring& target, Terminator isTerminator) {
  if (pos < text.size() && text[pos] == kQuote) {
    ReadQuotedPart(text, ++pos, target);
    return;
  }
  const size_t start = pos;
  while (pos < text.size() && !isTerminator(text[pos])) ++pos;
  target.assign(text.substr(start, pos - start));
}

}  // namespace

std::vector<CommandLineToken> SplitCommandLine(std::wstring_view text) {
  // Blanks at the very end never belong to a token, so they are cut once here.
  const std::wstring_view rest = Trimmed(text);
  std::vector<CommandLineToken> tokens;
  size_t pos = 0;
  while (pos < rest.size()) {
    CommandLineToken token;
    ReadPart(rest, pos, token.name, IsNameTerminator);
    Trim(token.name);
    if (pos < rest.size() && rest[pos] == L'=') {
      ++pos;
      token.hasValue = true;
      ReadPart(rest, pos, token.value, IsValueTerminator);
      Trim(token.value);
    }
    if (pos < rest.size() && IsValueTerminator(rest[pos])) ++pos;
    tokens.push_back(std::move(token));
    while (pos < rest.size() && rest[pos] == kBlank) ++pos;
  }
  return tokens;
}

std::wstring SwitchKey(std::wstring_view name) {
  if (!name.empty() && (name.front() == L'/' || name.front() == L'-')) name.remove_prefix(1);
  std::wstring key(name);
  for (wchar_t& c : key) c = static_cast<wchar_t>(std::towlower(c));
  return key;
}

std::wstring TypedText(const CommandLineToken& token) {
  return token.hasValue ? token.name + L'=' + token.value : token.name;
}

DictionaryPtr BuildSwitchTable(std::span<const CommandLineToken> tokens) {
  // The table is built here rather than by the object factory, which would
  // bring the platform's headers into this pure code; both make the same table.
  auto table = std::make_shared<Dictionary>();
  for (const CommandLineToken& token : tokens) table->Add(SwitchKey(token.name), token.value);
  return table;
}

DictionaryPtr ParseCommandLine(std::wstring_view text) {
  return BuildSwitchTable(SplitCommandLine(text));
}
