// The printers of this machine, as the spooler lists them.
#pragma once

#include <vector>

#include "printer_choices.h"

// Every local printer with its ports; empty when the spooler lists none or
// cannot be asked.
std::vector<ListedPrinter> ListedPrinters();
