// What a job's file-name template's tokens stand for.
#pragma once

#include <string>

#include "output_name.h"

// The name of the user this program runs as (the converter runs as the
// printing user); empty when it cannot be read.
std::wstring UserName();

// The tokens' values for a job printed now by this user: the document name,
// the printer, the date and time of the local clock, the session id.
TemplateValues JobNamesNow(const std::wstring& documentName, const std::wstring& printerName,
                           const std::wstring& sessionId);
