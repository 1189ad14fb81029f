// Building a command line that the platform's splitting (CommandLineToArgvW,
// the C runtime) gives back argument for argument.
#pragma once

#include <string>
#include <vector>

// One argument, quoted where needed: blanks, tabs, quotes or the empty text.
std::wstring QuoteArgument(const std::wstring& argument);
// A whole command line: the program and the arguments, each quoted where needed.
std::wstring BuildCommandLine(const std::wstring& program,
                              const std::vector<std::wstring>& arguments);
