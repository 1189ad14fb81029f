#include "output_target.h"

#include <windows.h>
#include <sddl.h>
#include <shlobj.h>

#include "automation_error.h"
#include "file_system.h"
#include "job_failure.h"
#include "system_library.h"
#include "system_message.h"
#include "unattended_job.h"
#include "unique_resource.h"

namespace {

// The user's own registry hive is loaded: without it (a user who printed
// through a print server and never logged on to it), the user's folders would
// be read from the default profile's.
bool UsersProfileLoaded() {
  UniqueHandle token;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put())) return false;
  alignas(TOKEN_USER) BYTE buffer[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
  DWORD size = 0;
  if (!GetTokenInformation(token.get(), TokenUser, buffer, sizeof buffer, &size)) return false;
  LPWSTR sidText = nullptr;
  if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &sidText))
    return false;
  const UniqueLocalMemory sidMemory(sidText);
  UniqueRegKey hive;
  return RegOpenKeyExW(HKEY_USERS, sidText, 0, KEY_READ, hive.put()) == ERROR_SUCCESS;
}

}  // namespace

std::wstring UsersDocumentsFolder(std::wstring& problem) {
  if (!UsersProfileLoaded()) {
    problem = L"the user's profile is not loaded on this machine";
    return {};
  }
  const auto getFolder =
      SystemExport<decltype(&SHGetKnownFolderPath)>(L"shell32.dll", "SHGetKnownFolderPath");
  const auto freeMemory = SystemExport<decltype(&CoTaskMemFree)>(L"ole32.dll", "CoTaskMemFree");
  PWSTR folder = nullptr;
  const HRESULT result = getFolder && freeMemory
                             ? getFolder(FOLDERID_Documents, KF_FLAG_CREATE, nullptr, &folder)
                             : HRESULT_FROM_WIN32(GetLastError());
  std::wstring path = SUCCEEDED(result) && folder ? folder : L"";
  if (freeMemory) freeMemory(folder);
  if (path.empty()) problem = SystemMessage(static_cast<DWORD>(result));
  return path;
}

namespace {

// The file of a job that nobody can be asked about.
OutputTarget UnattendedOutput(const JobOptions& options, const TemplateValues& names) {
  std::wstring problem;
  const std::wstring documents = UsersDocumentsFolder(problem);
  if (!documents.empty()) {
    if (std::optional<std::wstring> path =
            UnattendedOutputPath(documents, names, *options.format)) {
      try {
        MkDirRecurse(FolderOf(*path));
        return {*path, ExistingFile::kNumber};
      } catch (const AutomationError& e) {
        problem = e.Description();
      }
    } else {
      problem = L"no usable file name in " + documents;
    }
  }
  throw JobFailure{
      std::wstring(L"Nobody can be asked where to save this job here (a service, or a job from "
                   L"another machine through a print server), and the folder \"") +
      kUnattendedSubfolder + L"\" in the user's Documents cannot be found or made: " + problem +
      L". An administrator can set \"outputfolder\" for such users, such as "
      L"\\\\server\\share\\%USERNAME%."};
}

}  // namespace

OutputTarget ChooseOutput(const JobOptions& options, const TemplateValues& names) {
  if (!options.output.empty()) return OutputTarget{options.output, options.existing};
  return UnattendedOutput(options, names);
}
