// The Ghostscript arguments of one conversion and the text rules around them.
#pragma once

#include <string>
#include <vector>

#include "command_line_quoting.h"
#include "job_options.h"

// A PDF text string in UTF-16 (big-endian, with byte-order mark), written in
// hexadecimal so that any script and any character survive and no text can
// end the string early.
std::wstring PdfTextString(const std::wstring& text);

// One run of Ghostscript, with every path as the program is to read it.
struct GhostscriptJob {
  std::vector<std::wstring> inputs;  // read in turn (an existing PDF to append to, the PostScript)
  std::wstring outputFile;           // literal "%" doubled; "%d" numbers the pages
  OutputFormat format = OutputFormat::kPdf;
  int resolution = 150;
  std::wstring quality;  // the PDF preset, empty for the default
  DocumentInfo info;
};

// The arguments (without the program).
std::vector<std::wstring> GhostscriptArguments(const GhostscriptJob& job);
