// The printing user's environment and the work area in that user's temporary
// folder.
#pragma once

#include <optional>
#include <string>

// A variable of the printing user's environment (built from the thread's token);
// an empty value counts as absent. Failing steps show their message and give nothing.
std::optional<std::wstring> GetUserEnvironmentVariable(const wchar_t* name);

// The user's temporary folder (TEMP, else TMP, else "AppData\Local\Temp" in the
// user's profile; never the spooler's own) followed by "Quillmar\PDF Writer\",
// created if missing. Nothing when no folder can be found or created (after a
// message).
std::optional<std::wstring> GetWorkArea();

// The work area for the steps of one spooler call that each need it (the log
// and the spool file): looked up once (the user's environment block takes
// some 10 ms under Wine) and reused. A failure is not kept, so that each step
// still looks again and reports it as before.
class WorkAreaOfCall {
 public:
  std::optional<std::wstring> Get();

 private:
  std::optional<std::wstring> found_;
};
