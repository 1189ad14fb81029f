// Which program folders need rights of their own, and what the setup may do
// with the folders on a program folder's path and in it. No operating-system
// call.
#pragma once

#include <functional>
#include <string>
#include <vector>

// True when `path` is `folder` or lies inside it. Both are full paths; case
// (A-Z), forward slashes and trailing separators do not count.
bool IsInsideFolder(const std::wstring& path, const std::wstring& folder);

// The rights of a program folder outside Program Files, as Program Files holds
// them, in the security descriptor language: owner Administrators;
// Administrators and SYSTEM full control, Users read and execute, for the
// folder and everything in it; nothing inherited from its parent. Every folder
// the setup makes there gets them when it is made.
inline constexpr wchar_t kProgramFolderRights[] =
    L"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)";

enum class FolderStepAction {
  kCheck,   // exists already: used only when it passes JudgeFolderOnPath
  kCreate,  // missing: made with kProgramFolderRights
};
struct ProgramFolderStep {
  std::wstring path;  // without a trailing backslash, except the root's ("C:\")
  FolderStepAction action;
};
// The folders of `fullPath` from its root (drive or share) down to itself.
// Those above the first missing one are checked; that one and every one below
// it are created. The root is never created. `exists` tells whether a folder
// exists; it is asked no further once one is missing. Empty when `fullPath` is
// a root itself: a drive or share is no program folder.
std::vector<ProgramFolderStep> PlanProgramFolder(
    const std::wstring& fullPath, const std::function<bool(const std::wstring&)>& exists);

// Whether a folder owned by `ownerSid` (a SID as text; empty when the folder
// has no owner, as on a FAT volume) can be trusted on the program folder's
// path: Administrators, SYSTEM, TrustedInstaller, or `setupAccountSid`, the
// administrator who runs the setup. No other user can make a folder that one
// of them owns.
bool IsTrustedOwner(const std::wstring& ownerSid, const std::wstring& setupAccountSid);

enum class FolderVerdict {
  kUse,
  kRefuseLink,   // a junction, symbolic link or other reparse point
  kRefuseOwner,  // owned by someone who is not trusted
};
// What the setup does with a folder that exists already on the program
// folder's path (the program folder included).
FolderVerdict JudgeFolderOnPath(bool isLink, const std::wstring& ownerSid,
                                const std::wstring& setupAccountSid);
// The message of a refused folder; `owner` names its owner.
std::wstring RefusalText(FolderVerdict verdict, const std::wstring& folder,
                         const std::wstring& owner);

enum class ContentAction {
  kReset,            // a file: its own rights are reset
  kResetAndDescend,  // a folder: the same, then its entries
  kRefuseLink,       // a junction or link: never followed, the setup stops
};
// What resetting the rights of the program folder's contents does with one entry.
ContentAction ActionForContent(bool isLink, bool isFolder);
// The message when the program folder holds a link.
std::wstring ContentLinkText(const std::wstring& entry);
