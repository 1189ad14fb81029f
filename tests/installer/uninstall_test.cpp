// The uninstaller removes every trace of the product, also when run twice,
// and the setup program installs where it is told to.
#include <gtest/gtest.h>

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <map>
#include <set>

#include "product_names.h"
#include "product_setup.h"
#include "scratch_folder.h"

namespace {

std::wstring Joined(const std::vector<std::wstring>& texts) {
  std::wstring joined;
  for (const std::wstring& text : texts) joined += text + L"; ";
  return joined;
}

constexpr wchar_t kAdministrators[] = L"S-1-5-32-544";
constexpr wchar_t kSystem[] = L"S-1-5-18";
constexpr wchar_t kUsers[] = L"S-1-5-32-545";
constexpr wchar_t kEveryone[] = L"S-1-1-0";

// A folder's owner and the rights its allowing entries grant, by SID.
struct FolderRights {
  std::wstring owner;
  std::map<std::wstring, ACCESS_MASK> allowed;
};

// The SIDs that may add, change or delete anything in the folder, or its rights.
std::set<std::wstring> Writers(const FolderRights& rights) {
  constexpr ACCESS_MASK kChanging = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                                    FILE_DELETE_CHILD | FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC |
                                    WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
  std::set<std::wstring> writers;
  for (const auto& [sid, mask] : rights.allowed) {
    if (mask & kChanging) writers.insert(sid);
  }
  return writers;
}

bool MayReadAndExecute(const FolderRights& rights, const std::wstring& sid) {
  const auto entry = rights.allowed.find(sid);
  constexpr ACCESS_MASK kReadExecute = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;
  return entry != rights.allowed.end() && (entry->second & kReadExecute) == kReadExecute;
}

std::wstring SidText(PSID sid) {
  wchar_t* text = nullptr;
  if (!ConvertSidToStringSidW(sid, &text)) return L"?";
  std::wstring result = text;
  LocalFree(text);
  return result;
}

std::optional<FolderRights> ReadFolderRights(const std::wstring& folder) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT,
                            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                            &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  FolderRights rights;
  rights.owner = SidText(owner);
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    void* ace = nullptr;
    if (!GetAce(dacl, i, &ace)) continue;
    const auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(ace);
    if (allowed->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    rights.allowed[SidText(const_cast<DWORD*>(&allowed->SidStart))] |= allowed->Mask;
  }
  LocalFree(descriptor);
  return rights;
}

// Gives the folder rights that let every user change everything in it.
bool OpenToEveryone(const std::wstring& folder) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:P(A;OICI;FA;;;WD)", SDDL_REVISION_1,
                                                            &descriptor, nullptr)) {
    return false;
  }
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted);
  const bool done = SetNamedSecurityInfoW(const_cast<wchar_t*>(folder.c_str()), SE_FILE_OBJECT,
                                          DACL_SECURITY_INFORMATION, nullptr, nullptr, dacl,
                                          nullptr) == ERROR_SUCCESS;
  LocalFree(descriptor);
  return done;
}

class ProductLifecycle : public ::testing::Test {
 protected:
  void TearDown() override { RunUninstaller(); }

 private:
  PrefixStateKeeper keeper_;
};

TEST_F(ProductLifecycle, UninstallRemovesEveryTrace) {
  const bool wineDriverFile = PathExists(WineDriverFile());
  ASSERT_EQ(RunSetup(), 0u);
  // Every kind of trace is there before: the checks can see them.
  ASSERT_GE(RemainingTraces().size(), 24u) << Joined(RemainingTraces());

  EXPECT_EQ(RunUninstaller(), 0u);
  EXPECT_EQ(Joined(RemainingTraces()), L"");
  // Not ours: the file of Wine's driver stays for Wine's own printers.
  EXPECT_EQ(PathExists(WineDriverFile()), wineDriverFile);
}

TEST_F(ProductLifecycle, UninstallingTwiceSucceedsAndLeavesNothing) {
  ASSERT_EQ(RunSetup(), 0u);
  ScratchFolder kept;
  ASSERT_TRUE(CopyFileW((DefaultProgramFolder() + L"\\Uninstall.exe").c_str(),
                        (kept / L"Uninstall.exe").c_str(), FALSE));

  EXPECT_EQ(RunUninstallerFrom(kept / L"Uninstall.exe"), 0u);
  EXPECT_EQ(RunUninstallerFrom(kept / L"Uninstall.exe"), 0u);
  EXPECT_EQ(Joined(RemainingTraces()), L"");
}

TEST_F(ProductLifecycle, InstallsIntoTheFolderGivenAndUninstallsFromThere) {
  ScratchFolder parent;
  const std::wstring folder = parent / L"Chosen Folder";
  ASSERT_EQ(RunSetup(folder), 0u);
  EXPECT_TRUE(PathExists(folder + L"\\gui.exe"));
  EXPECT_FALSE(PathExists(DefaultProgramFolder()));
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, L"AppFolder"), folder);
  EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, std::wstring(kSettingsClsidKey) + L"\\InprocServer32", L""),
            folder + L"\\tavrin.dll");

  EXPECT_EQ(RunUninstaller(folder), 0u);
  EXPECT_EQ(Joined(RemainingTraces(folder)), L"");
  EXPECT_TRUE(PathExists(parent.Path()));
}

// Wine keeps no ACLs on files: it turns a DACL into Unix mode bits and reads
// back one made from them (owner, SYSTEM, Everyone), owned by the Unix user.
// What shows there as well as on Windows: only the owner, Administrators and
// SYSTEM may change the folder; everyone else may read and execute.
TEST_F(ProductLifecycle, TakesAwayOpenRightsFromAFolderOutsideProgramFiles) {
  ScratchFolder parent;
  const std::wstring folder = parent / L"Open Folder";
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(OpenToEveryone(folder));
  const auto before = ReadFolderRights(folder);
  ASSERT_TRUE(before.has_value());
  EXPECT_NE(Writers(*before), std::set<std::wstring>{before->owner}) << "the folder was not open";

  ASSERT_EQ(RunSetup(folder), 0u);
  const auto after = ReadFolderRights(folder);
  ASSERT_TRUE(after.has_value());
  std::set<std::wstring> allowedWriters = {after->owner, kAdministrators, kSystem};
  for (const std::wstring& writer : Writers(*after)) {
    EXPECT_TRUE(allowedWriters.count(writer)) << writer << L" may change the folder";
  }
  EXPECT_TRUE(MayReadAndExecute(*after, kUsers) || MayReadAndExecute(*after, kEveryone));

  EXPECT_EQ(RunUninstaller(folder), 0u);
}

}  // namespace
