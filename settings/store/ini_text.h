// The text rules of a settings file: INI text to a two-level tree of keyed
// tables and back. Pure functions of the text; the file I/O and the code-page
// conversion live in IniFile.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary.h"

// Creates the nested table of one section.
using TableFactory = std::function<DictionaryPtr()>;

// Reads `text` into `root`: entries before the first header land in the root,
// each "[name]" header starts a new, empty section table (replacing whatever the
// root held under that name). Lines end at a carriage return (a line feed right
// after it belongs to the same line end); a line feed on its own does not end a
// line. Only spaces are trimmed. Lines of two characters or fewer, lines without
// "=" and lines with an empty key are ignored; the key ends at the first "=".
void ParseIniText(std::wstring_view text, Dictionary& root, const TableFactory& newSection);

// The same, for a text that arrives in pieces: each piece holds whole lines
// (it ends at a line end, or is the text's last piece), so a file can be read
// and decoded a piece at a time. The texts are copied into the tables before
// Feed returns.
class IniTextReader {
 public:
  IniTextReader(Dictionary& root, TableFactory newSection);
  void Feed(std::wstring_view lines);
  // About how many lines the whole text has: the first table to grow large is
  // given room for them at once rather than growing step by step.
  void ExpectLines(std::size_t lines) noexcept;

 private:
  void AddLine(std::wstring_view rawLine);
  void SetPending();

  Dictionary& root_;
  TableFactory newSection_;
  Dictionary* current_;
  // Entries of `current_` not yet set: handed over many at a time, which is faster.
  std::vector<Dictionary::TextEntry> pending_;
  std::size_t expectedLines_ = 0;
};

// The text of `root`: its plain entries first as "key=value", then each section
// as "[name]" followed by "  key=value" lines. Every line ends with CR LF; an
// empty root gives the empty text. Nothing is escaped.
std::wstring FormatIniText(const Dictionary& root);
