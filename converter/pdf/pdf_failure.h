// What a PDF step could not do, as the user and the log are told it. It names
// the setting and its value (a path or a word, never a password) and what is
// wrong with it.
#pragma once

#include <string>

struct PdfFailure {
  std::wstring setting;  // the setting concerned; empty for the files of the job itself
  std::wstring value;    // its value, or the file concerned
  std::wstring reason;
  std::wstring Text() const;
};
