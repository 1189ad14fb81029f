// The files that a Ghostscript run writes beside the target before they are
// placed: "<stem>.<session id>.<process id>.part<extension>", pages numbered
// "-1", "-2", ... before the extension. The name is the job's own (the monitor
// gives every job a new session id, and the process id tells apart two
// converters started with the same one), so no other job writes it.
#pragma once

#include <string>
#include <vector>

#include "output_name.h"

class PartialFiles {
 public:
  PartialFiles(const std::wstring& target, const std::wstring& sessionId, bool onePerPage);
  // Removes the files still there: a failed or unplaced run leaves nothing.
  ~PartialFiles();
  PartialFiles(const PartialFiles&) = delete;
  PartialFiles& operator=(const PartialFiles&) = delete;

  // The single file, or the first page's file.
  std::wstring First() const;
  const std::wstring& Extension() const { return names_.extension; }
  // The files there now, in page order.
  std::vector<std::wstring> Present() const;

 private:
  PathParts names_;
  bool onePerPage_;
};
