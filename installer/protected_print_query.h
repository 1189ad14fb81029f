// Asks Windows whether protected print mode is on, through the Windows Runtime
// class that reports it; see protected_print_rule.h for what the answer means.
#pragma once

#include "protected_print_rule.h"

// Never throws: a Windows without the class (before Windows 11 24H2, Wine)
// answers kRuntimeMissing or kActivation with the class-missing status.
ProtectedPrintAnswer AskProtectedPrint() noexcept;
