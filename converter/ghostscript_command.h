// The Ghostscript arguments of one conversion and the text rules around them.
#pragma once

#include <string>
#include <vector>

// The PDF title as a PostScript string in UTF-16 (big-endian, with byte-order
// mark), written in hexadecimal so that any script and any character survive.
std::wstring PdfTitleString(const std::wstring& title);

// Arguments (without the program) that turn `postscript` into `pdf`, with the
// document title set.
std::vector<std::wstring> GhostscriptArguments(const std::wstring& postscript,
                                               const std::wstring& pdf, const std::wstring& title);

// One argument quoted so that the platform's command-line splitting gives it back.
std::wstring QuoteArgument(const std::wstring& argument);
// A whole command line: program and arguments, each quoted where needed.
std::wstring BuildCommandLine(const std::wstring& program,
                              const std::vector<std::wstring>& arguments);
