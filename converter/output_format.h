// The output formats, one row each: everything the converter knows about a
// format, from the word that picks it to Ghostscript's device. A new format is
// one row in output_format.cpp, plus its row in the test of the table.
#pragma once

#include <span>
#include <string_view>
#include <vector>

struct OutputFormat {
  std::wstring_view word;       // the value of the setting that picks it
  std::wstring_view extension;  // of its files, with the dot
  // The Save As dialog's filter: description and pattern pairs, each ended by
  // a null (the literal's own end gives the closing second null).
  const wchar_t* saveAsFilter;
  bool onePerPage;  // a file for each page ("name-1.png", ...) instead of one file
  // A PDF: Ghostscript's PDF preset and the document information apply, and
  // new pages can be added after those of an existing file. The other formats
  // are images rendered at the job's resolution.
  bool isPdf;
  // PDF/A: no encryption, and embedded files make it PDF/A-3 with each one an
  // associated file of the document.
  bool isArchival = false;
  std::wstring_view device;                        // Ghostscript's output device
  std::vector<std::wstring_view> deviceArguments;  // the device's own settings
  std::wstring_view prologue;  // PostScript run before the job's, empty for none
};

// Every format, in the order in which they are offered; the first is the default.
std::span<const OutputFormat> OutputFormats();

// True when the last component of `path` ends in an extension of the format's
// own files: one of the first pattern of its Save As filter ("*.jpg;*.jpeg"),
// without regard to case. Only such files are opened after a job, so that no
// `output` name makes the user's shell start a program or a script.
bool HasFormatExtension(std::wstring_view path, const OutputFormat& format);
