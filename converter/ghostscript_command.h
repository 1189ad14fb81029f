// The Ghostscript arguments of one conversion and the text rules around them.
#pragma once

#include <string>
#include <vector>

#include "command_line_quoting.h"

// The PDF title as a PostScript string in UTF-16 (big-endian, with byte-order
// mark), written in hexadecimal so that any script and any character survive.
std::wstring PdfTitleString(const std::wstring& title);

// Arguments (without the program) that turn `postscript` into `pdf`, with the
// document title set.
std::vector<std::wstring> GhostscriptArguments(const std::wstring& postscript,
                                               const std::wstring& pdf, const std::wstring& title);
