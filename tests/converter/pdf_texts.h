// The texts of the jobs of a burst, found in PDFs by the host's pdftotext.
#pragma once

#include <string>
#include <vector>

// How often each text "<prefix> k." (k from 1 to `jobs`) is found in the PDFs
// of the folders (partial files left out).
std::vector<int> TextCounts(const std::vector<std::wstring>& folders, const std::string& prefix,
                            int jobs);
