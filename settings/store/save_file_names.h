// Names of the files that the store keeps beside the settings files for a
// while: the temporary file that is written beside a target before it replaces
// it, the run-once file that a job has claimed, and the long-path form under
// which they are reached. Pure text rules.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Who wrote a temporary file: the process and thread of the save.
struct SaveWriter {
  std::uint32_t processId = 0;
  std::uint32_t threadId = 0;
  bool operator==(const SaveWriter&) const = default;
};

// The temporary file's name (no folder) for a save of the file named
// `targetName` by `writer`: "~", a hash of the target name, the writer, ".tmp".
// It is at most 31 characters, whatever the target's length, so the folder of
// a target that fits the platform's limits holds it under the long-path form.
std::wstring TemporaryFileName(std::wstring_view targetName, const SaveWriter& writer);

// The search pattern of every temporary file of saves of `targetName`.
std::wstring TemporaryFilePattern(std::wstring_view targetName);

// The writer of `fileName` when it is a temporary file of a save of `targetName`.
std::optional<SaveWriter> TemporaryFileWriter(std::wstring_view targetName,
                                              std::wstring_view fileName);

// The name (no folder) under which `claimer` holds a run-once file it took for
// its job: "~runonce-", the claimer, ".claimed". It is never the name of an
// instance's settings file, so no load reads it as settings.
std::wstring ClaimedFileName(const SaveWriter& claimer);

// The search pattern of every claimed run-once file.
inline constexpr wchar_t kClaimedFilePattern[] = L"~runonce-*.claimed";

// The claimer of `fileName` when it is a claimed run-once file.
std::optional<SaveWriter> ClaimedFileWriter(std::wstring_view fileName);

// `fullPath` (absolute, backslashes) in the form "\\?\C:\..." or "\\?\UNC\server\...",
// which the platform takes beyond MAX_PATH; a path already in that form is kept.
std::wstring LongPathForm(std::wstring_view fullPath);
