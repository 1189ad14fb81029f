#include "automation_error.h"

const wchar_t* DefaultErrorSource() noexcept { return L"tests"; }
