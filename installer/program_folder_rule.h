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

// True for a path on a network share ("\\server\share\...", also as
// "\\?\UNC\..."): the server's own administrators control its folders,
// and this machine's setup can vouch for none of them.
bool IsNetworkPath(const std::wstring& fullPath);

// An allowing entry of a folder's DACL that applies to the folder itself
// (inherit-only entries are left out): whom it names, what it grants.
struct FolderGrant {
  std::wstring sid;
  unsigned long rights;
};
// The SID of the first grant that lets someone untrusted (not IsTrustedOwner)
// delete or rename the folder or what it holds, or change its rights or owner:
// with that on a parent folder, he can move the program folder away and build
// the path again with folders of his own. Empty when there is none. Adding
// folders does not count: a new folder beside the program folder changes
// nothing on its path.
std::wstring UntrustedRebuilder(const std::vector<FolderGrant>& grants,
                                const std::wstring& setupAccountSid);

enum class FolderVerdict {
  kUse,
  kRefuseLink,     // a junction, symbolic link or other reparse point
  kRefuseOwner,    // owned by someone who is not trusted
  kRefuseRebuild,  // a parent folder someone untrusted may change (UntrustedRebuilder)
  kRefuseNetwork,  // on a network share (IsNetworkPath)
};
// What the setup does with a folder that exists already on the program
// folder's path (the program folder included); `rebuilderSid` is
// UntrustedRebuilder's answer for a parent folder, empty for the program
// folder itself, whose rights the setup replaces.
FolderVerdict JudgeFolderOnPath(bool isLink, const std::wstring& ownerSid,
                                const std::wstring& setupAccountSid,
                                const std::wstring& rebuilderSid = {});
// The message of a refused folder; `account` names its owner, or for
// kRefuseRebuild the account that may change it.
std::wstring RefusalText(FolderVerdict verdict, const std::wstring& folder,
                         const std::wstring& account);

enum class ContentAction {
  kReset,            // a file: its own rights are reset
  kResetAndDescend,  // a folder: the same, then its entries
  kRefuseLink,       // a junction or link: never followed, the setup stops
};
// What resetting the rights of the program folder's contents does with one entry.
ContentAction ActionForContent(bool isLink, bool isFolder);
// The message when the program folder holds a link.
std::wstring ContentLinkText(const std::wstring& entry);
