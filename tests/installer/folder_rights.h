// A folder's rights as the system reports them, and folders prepared the way
// another user could prepare them.
//
// Wine keeps no ACLs on files: it turns a DACL into Unix mode bits and reads
// back one made from them (owner, SYSTEM, Everyone), owned by the Unix user.
// It shows a host symbolic link to a folder as a reparse point, and a folder
// of another host user as owned by ANONYMOUS LOGON; only the host makes them.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <set>
#include <string>

inline constexpr wchar_t kAdministrators[] = L"S-1-5-32-544";
inline constexpr wchar_t kSystem[] = L"S-1-5-18";
inline constexpr wchar_t kUsers[] = L"S-1-5-32-545";
inline constexpr wchar_t kEveryone[] = L"S-1-1-0";

// A folder's owner and the rights its allowing entries grant, by SID.
struct FolderRights {
  std::wstring owner;
  std::map<std::wstring, ACCESS_MASK> allowed;
  bool operator==(const FolderRights&) const = default;
};
std::optional<FolderRights> ReadFolderRights(const std::wstring& folder);
// The SIDs that may add, change or delete anything in the folder, or its rights.
std::set<std::wstring> Writers(const FolderRights& rights);
bool MayReadAndExecute(const FolderRights& rights, const std::wstring& sid);
// Gives the folder rights that let every user change everything in it.
bool OpenToEveryone(const std::wstring& folder);

// `link` made a host symbolic link to the folder `target`.
bool PlantHostLink(const std::wstring& link, const std::wstring& target);
// The folder handed to another host user.
bool GiveToAnotherHostUser(const std::wstring& folder);
// Removes the tree through the host, which follows no link in it.
bool RemoveHostTree(const std::wstring& path);
