// The printers an administrator added, kept in a file across a new setup: the
// setup removes every printer on our port before it replaces the monitor and
// adds them again afterwards. One name a line, UTF-16.
#pragma once

#include <string>
#include <vector>

// Writes the names, "Quillmar Printer" left out (the setup makes it anyway).
void WriteKeptPrinters(const std::wstring& path, const std::vector<std::wstring>& names);

// The names in the file; none when the file is missing (nothing was kept).
std::vector<std::wstring> ReadKeptPrinters(const std::wstring& path);
