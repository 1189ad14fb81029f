// Putting a job's finished files in place, under the target's lock
// (target_lock.h). Each file goes in with one rename, so a reader sees the
// earlier file or the whole new one, never a part.
#pragma once

#include <string>
#include <vector>

// Renames `files` (one, or one per page) to the first free name of the
// target's series: its own name, then " (2)", " (3)", ... A rename here never
// replaces: when anyone (another process, user or machine) has taken a name
// meanwhile it fails, and the next number is tried. The pages of a job take
// one number together, or none. Returns the names. Raises JobFailure.
std::vector<std::wstring> PlaceUnderFreeName(const std::vector<std::wstring>& files,
                                             const std::wstring& target, bool onePerPage);

// Renames `files` over the target's names, waiting while another program
// keeps one open (see WaitWhileHeld, until `deadline`). With one file per
// page, the pages of an earlier result that were not replaced are removed, so
// that the names hold one job's pages. A file that replaces another takes that
// one's rights (its DACL) first; one that replaces none has its folder's.
// Returns the names. Raises JobFailure.
std::vector<std::wstring> PlaceReplacing(const std::vector<std::wstring>& files,
                                         const std::wstring& target, bool onePerPage,
                                         unsigned long long deadline);
