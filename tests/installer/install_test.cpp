// What the setup program leaves in the system, checked through the interfaces
// that the spooler, COM and the product's components use.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <winspool.h>

#include <algorithm>
#include <vector>

#include "com_ptr.h"
#include "installed_product.h"
#include "product_names.h"
#include "scratch_folder.h"

namespace {

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && SameText(text.substr(text.size() - end.size()), end);
}

std::vector<ListedPort> OurPorts() {
  std::vector<ListedPort> ours;
  for (const ListedPort& port : ListedPorts()) {
    if (port.description == kPortDescription) ours.push_back(port);
  }
  return ours;
}

template <typename Info>
std::vector<BYTE> PrinterInfo(DWORD level) {
  std::wstring name = kPrinterName;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(name.data(), &printer, nullptr)) return {};
  DWORD needed = 0;
  GetPrinterW(printer, level, nullptr, 0, &needed);
  std::vector<BYTE> buffer(std::max<DWORD>(needed, sizeof(Info)));
  if (!GetPrinterW(printer, level, buffer.data(), needed, &needed)) buffer.clear();
  ClosePrinter(printer);
  return buffer;
}

std::vector<BYTE> PrinterDriverInfo3() {
  std::wstring name = kPrinterName;
  HANDLE printer = nullptr;
  if (!OpenPrinterW(name.data(), &printer, nullptr)) return {};
  DWORD needed = 0;
  GetPrinterDriverW(printer, nullptr, 3, nullptr, 0, &needed);
  std::vector<BYTE> buffer(std::max<DWORD>(needed, sizeof(DRIVER_INFO_3W)));
  if (!GetPrinterDriverW(printer, nullptr, 3, buffer.data(), needed, &needed)) buffer.clear();
  ClosePrinter(printer);
  return buffer;
}

TEST_F(InstalledProduct, PutsTheProgramsInTheProgramFolderAndTheMonitorInTheSystemFolder) {
  for (const wchar_t* file : {L"gui.exe", L"notifier.exe", L"config.exe", L"settings.exe",
                              L"tavrin.dll", L"printer_setup.exe", L"Uninstall.exe"}) {
    EXPECT_TRUE(PathExists(folder_ + L"\\" + file)) << "missing: " << file;
  }
  EXPECT_TRUE(PathExists(SystemFolder() + L"\\corvale.dll"));
  EXPECT_FALSE(PathExists(folder_ + L"\\corvale.dll"));
}

// The shortcut is read back through the shell's own link object.
TEST_F(InstalledProduct, MakesTheStartMenuShortcutOfTheSettingsWindow) {
  ASSERT_TRUE(PathExists(SettingsShortcut())) << SettingsShortcut();
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    ComPtr<IShellLinkW> link;
    ComPtr<IPersistFile> file;
    ASSERT_EQ(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                               link.put_void()),
              S_OK);
    ASSERT_EQ(link->QueryInterface(IID_IPersistFile, file.put_void()), S_OK);
    ASSERT_EQ(file->Load(SettingsShortcut().c_str(), STGM_READ), S_OK);
    wchar_t target[MAX_PATH] = L"";
    ASSERT_EQ(link->GetPath(target, MAX_PATH, nullptr, 0), S_OK);
    EXPECT_TRUE(SameText(target, folder_ + L"\\settings.exe")) << target;
  }
  CoUninitialize();
}

TEST_F(InstalledProduct, PointsAppFolderAtTheProgramFolderAndLeavesLogFolderUnset) {
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, L"AppFolder"), folder_);
  EXPECT_FALSE(ReadText(HKEY_LOCAL_MACHINE, kSettingsKey, L"LogFolder").has_value());
}

TEST_F(InstalledProduct, RegistersTheSettingsClassFromTheProgramFolder) {
  const auto library =
      ReadText(HKEY_CLASSES_ROOT, std::wstring(kSettingsClsidKey) + L"\\InprocServer32", L"");
  ASSERT_TRUE(library.has_value());
  EXPECT_TRUE(SameText(*library, folder_ + L"\\tavrin.dll")) << *library;

  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    CLSID clsid{};
    ASSERT_EQ(CLSIDFromProgID(kSettingsProgId, &clsid), S_OK);
    ComPtr<IDispatch> settings;
    EXPECT_EQ(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                               reinterpret_cast<void**>(settings.put())),
              S_OK);
  }
  CoUninitialize();
}

// 32-bit programs find the x86 component in their registry view, registered as
// the component registers itself in the 64-bit view, and WaitForOutput in
// their system folder; the 64-bit side stays x64.
TEST_F(InstalledProduct, RegistersTheX86SettingsComponentForThirtyTwoBitPrograms) {
  const std::wstring classKey = kSettingsClsidKey;
  const std::wstring clsid = classKey.substr(classKey.find(L'{'));
  const std::wstring libId = std::wstring(kSettingsTypeLibKey).substr(8);
  const struct {
    REGSAM view;
    std::wstring library;
    WORD machine;
    const wchar_t* typeLibEntry;
  } views[] = {
      {KEY_WOW64_32KEY, folder_ + L"\\x86\\tavrin.dll", IMAGE_FILE_MACHINE_I386, L"win32"},
      {KEY_WOW64_64KEY, folder_ + L"\\tavrin.dll", IMAGE_FILE_MACHINE_AMD64, L"win64"},
  };
  for (const auto& v : views) {
    SCOPED_TRACE(v.view == KEY_WOW64_32KEY ? "32-bit view" : "64-bit view");
    EXPECT_EQ(PeMachine(v.library), v.machine);
    const auto server = ReadText(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", L"", v.view);
    ASSERT_TRUE(server.has_value());
    EXPECT_TRUE(SameText(*server, v.library)) << *server;
    EXPECT_EQ(
        ReadText(HKEY_CLASSES_ROOT, classKey + L"\\InprocServer32", L"ThreadingModel", v.view),
        L"Apartment");
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, std::wstring(kSettingsProgId) + L"\\Clsid", L"", v.view),
              clsid);
    const auto typeLib =
        ReadText(HKEY_CLASSES_ROOT,
                 std::wstring(kSettingsTypeLibKey) + L"\\1.0\\0\\" + v.typeLibEntry, L"", v.view);
    ASSERT_TRUE(typeLib.has_value());
    EXPECT_TRUE(SameText(*typeLib, v.library)) << *typeLib;
    // The rest as the component's own registration writes it.
    for (const wchar_t* key : {L"", L"\\ProgID", L"\\VERSION", L"\\TypeLib", L"\\Programmable"}) {
      EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, classKey + key, L"", v.view),
                ReadText(HKEY_CLASSES_ROOT, classKey + key, L"", KEY_WOW64_64KEY))
          << "class key" << key;
    }
    EXPECT_EQ(ReadText(HKEY_CLASSES_ROOT, classKey + L"\\TypeLib", L"", v.view), libId);
  }
  EXPECT_EQ(PeMachine(SystemWow64Folder() + L"\\corvale.dll"), IMAGE_FILE_MACHINE_I386);
  EXPECT_EQ(PeMachine(SystemFolder() + L"\\corvale.dll"), IMAGE_FILE_MACHINE_AMD64);
}

TEST_F(InstalledProduct, ListsTheMonitorAndItsOnePort) {
  const auto monitors = MonitorNames();
  EXPECT_EQ(std::count(monitors.begin(), monitors.end(), kMonitorName), 1);
  const auto ports = OurPorts();
  ASSERT_EQ(ports.size(), 1u);
  EXPECT_EQ(ports[0].monitor, kMonitorName);
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kMonitorKey, L"1"), ports[0].name);
  EXPECT_TRUE(
      KeyExists(HKEY_LOCAL_MACHINE, std::wstring(kMonitorKey) + L"\\Ports\\" + ports[0].name));
}

TEST_F(InstalledProduct, AddsThePrinterOnThatPortWithAPostScriptDriver) {
  const auto ports = OurPorts();
  ASSERT_EQ(ports.size(), 1u);
  const std::vector<BYTE> buffer = PrinterInfo<PRINTER_INFO_2W>(2);
  ASSERT_FALSE(buffer.empty()) << "the printer cannot be read";
  const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
  EXPECT_STREQ(info->pPrinterName, kPrinterName);
  EXPECT_EQ(std::wstring(info->pPortName), ports[0].name);
  EXPECT_STREQ(info->pPrintProcessor, L"winprint");
  EXPECT_STREQ(info->pDatatype, L"RAW");

  const std::vector<BYTE> driverBuffer = PrinterDriverInfo3();
  ASSERT_FALSE(driverBuffer.empty()) << "the printer's driver cannot be read";
  const auto* driver = reinterpret_cast<const DRIVER_INFO_3W*>(driverBuffer.data());
  EXPECT_EQ(std::wstring(driver->pName), std::wstring(info->pDriverName));
  // Under Wine the driver is Wine's PostScript driver, with our printer description.
  EXPECT_TRUE(EndsWith(driver->pDriverPath, L"wineps.drv")) << driver->pDriverPath;
  EXPECT_TRUE(EndsWith(driver->pDataFile, L"\\quillmar.ppd")) << driver->pDataFile;
  EXPECT_TRUE(PathExists(driver->pDataFile));
}

TEST_F(InstalledProduct, AddsAnUninstallEntryThatNamesTheUninstaller) {
  const std::wstring uninstaller = folder_ + L"\\Uninstall.exe";
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, L"DisplayName"), L"Quillmar PDF Writer");
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, L"UninstallString"),
            L"\"" + uninstaller + L"\"");
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, L"QuietUninstallString"),
            L"\"" + uninstaller + L"\" /S");
  EXPECT_EQ(ReadText(HKEY_LOCAL_MACHINE, kUninstallKey, L"InstallLocation"), folder_);
}

TEST_F(InstalledProduct, InstallingAgainDuplicatesNothing) {
  const auto again = RunSetup();
  ASSERT_TRUE(again.has_value());
  EXPECT_EQ(*again, 0u);

  const auto monitors = MonitorNames();
  EXPECT_EQ(std::count(monitors.begin(), monitors.end(), kMonitorName), 1);
  ASSERT_EQ(OurPorts().size(), 1u);
  EXPECT_FALSE(ReadText(HKEY_LOCAL_MACHINE, kMonitorKey, L"2").has_value());
  const auto printers = PrinterNames();
  EXPECT_EQ(std::count(printers.begin(), printers.end(), kPrinterName), 1);
  const auto drivers = PrinterDriverNames();
  EXPECT_EQ(std::count_if(drivers.begin(), drivers.end(),
                          [](const std::wstring& d) { return d.find(L"Quillmar") == 0; }),
            1);
  const std::vector<BYTE> buffer = PrinterInfo<PRINTER_INFO_2W>(2);
  ASSERT_FALSE(buffer.empty());
  EXPECT_EQ(std::wstring(reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data())->pPortName),
            OurPorts()[0].name);
}

}  // namespace
