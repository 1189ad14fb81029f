// The files a job's Ghostscript run writes in the user's own work area (the
// spool file's folder), never beside the target: "~pdfjob-<token>.part<ext>",
// pages "-1", "-2", ... before the extension. An unencrypted result thus
// never lies in a shared output folder. While the job runs, its marker
// "~pdfjob-<token>.live" is held open without sharing and deleted on close,
// so the system removes it however the converter ends; the next job of the
// user removes the files whose marker is gone (SweepWorkArea).
#pragma once

#include <string>
#include <vector>

#include "output_name.h"
#include "unique_resource.h"

class WorkFiles {
 public:
  // Raises JobFailure when the marker cannot be made in `folder`.
  WorkFiles(const std::wstring& folder, const std::wstring& extension, bool onePerPage);
  // Removes the files: they have been copied beside the target, or the job failed.
  ~WorkFiles();
  WorkFiles(const WorkFiles&) = delete;
  WorkFiles& operator=(const WorkFiles&) = delete;

  // The single file, or the first page's file.
  std::wstring First() const;
  const std::wstring& Extension() const { return names_.extension; }
  // The files there now, in page order.
  std::vector<std::wstring> Present() const;

 private:
  UniqueFileHandle marker_;
  PathParts names_;
  bool onePerPage_;
};

// Removes from `folder` the files of the naming pattern above whose job's
// marker is gone or held by nobody; the files of running jobs stay.
void SweepWorkArea(const std::wstring& folder);
