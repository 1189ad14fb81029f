// Splitting a program's argument text into tokens, and the switch table built
// from them. Pure text functions: no operating-system call.
//
// Tokens are separated by blanks and commas. A token is a name, optionally
// followed by "=" and a value; a name or value that starts with a double quote
// runs to the next single double quote, and two double quotes in a row inside
// it stand for one. The switch table keys each token by its name with one
// leading "/" or "-" removed, in lower case.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary.h"

struct CommandLineToken {
  std::wstring name;   // quotes resolved, blanks trimmed; case and prefix as typed
  std::wstring value;  // the text after "=", quotes resolved, blanks trimmed
  bool hasValue = false;
};

// The tokens of `text` in order. Linear in the length of the text; never fails.
std::vector<CommandLineToken> SplitCommandLine(std::wstring_view text);

// The switch key of a token name: one leading "/" or "-" removed, lower-cased.
std::wstring SwitchKey(std::wstring_view name);

// The token as the user wrote it, quotes resolved: the name, or name=value.
std::wstring TypedText(const CommandLineToken& token);

// A table with one entry per token (switch key to value) in token order.
// Raises the table's duplicate-key error when two tokens give the same key.
DictionaryPtr BuildSwitchTable(std::span<const CommandLineToken> tokens);

// The switch table of `text`; raises the duplicate-key error.
DictionaryPtr ParseCommandLine(std::wstring_view text);
