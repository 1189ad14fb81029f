// Whether the process and thread that wrote a file of the store still run.
#pragma once

#include "save_file_names.h"

// True while `writer` runs: a live thread of this process (the calling thread
// itself excepted), or a live process, one that cannot be inspected included.
bool IsRunning(const SaveWriter& writer);
