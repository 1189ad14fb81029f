#include "automation_error.h"

// Errors raised by the settings component name its class, as clients see it.
const wchar_t* DefaultErrorSource() noexcept { return L"corvale.PDFPrinterSettings"; }
