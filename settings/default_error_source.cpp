#include "automation_error.h"
#include "product_names.h"

// Errors raised by the settings component name its class, as clients see it.
const wchar_t* DefaultErrorSource() noexcept { return product_names::kSettingsProgId; }
