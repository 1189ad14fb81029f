// Replacing a file's content whole: readers see the old content or the new,
// never a part, and a failed save leaves the old content as it was. Where the
// folder allows no more than writing the existing file, the file is rewritten
// in place.
#pragma once

#include <string>
#include <string_view>

// Writes `bytes` to a temporary file beside `filename` (a short name, reached
// under the long-path form, so the save works wherever the target's own name
// does), then puts it in the target's place: ReplaceFileW for an existing
// target, which keeps its security, attributes and streams (no backup file), a
// rename for a new one. Once that succeeded, temporary files of earlier saves
// of the same target whose writer no longer runs are removed. A read-only
// target or a folder is not replaced (ERROR_ACCESS_DENIED). When the temporary
// file cannot be created or the target cannot be opened for deletion (access
// denied), an existing target that opens for writing is rewritten in place
// instead (a failure midway then leaves it partly written). Throws SystemError
// on failure; the old file is then as it was and the temporary file removed.
void ReplaceFileContent(const std::wstring& filename, std::string_view bytes);
