// Runs the built setup program and its uninstaller in the test prefix, and
// reads back what they leave behind.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "registry_override.h"

// Whether two names are the same, compared as Windows compares names (case
// ignored).
bool SameText(const std::wstring& a, const std::wstring& b);

// The default program folder: %ProgramFiles%\Quillmar\PDF Writer.
std::wstring DefaultProgramFolder();
// The system folder, where the spooler loads monitors from.
std::wstring SystemFolder();
// The 32-bit system folder of 64-bit Windows (SysWOW64).
std::wstring SystemWow64Folder();
// The machine a PE file is built for (IMAGE_FILE_MACHINE_I386, _AMD64), or 0
// when the file cannot be read as one.
WORD PeMachine(const std::wstring& path);
// The spooler's printer driver folder of this system's environment.
std::wstring PrinterDriverFolder();
// Wine's PostScript driver file in the printer driver folder, put there when
// the prefix was made; Wine's printers share it.
std::wstring WineDriverFile();

// The Start menu shortcut of the settings window, in every user's Start menu.
std::wstring SettingsShortcut();

// Runs the setup program silently (/S), with /D=<folder> when a folder is given;
// its exit code, or nothing when it could not start.
std::optional<DWORD> RunSetup(const std::wstring& folder = {});

// Runs the uninstaller of the installation in `folder` silently and waits for
// it: a copy of it runs from a scratch folder, as the uninstaller cannot wait
// for itself otherwise. Nothing when there is no uninstaller to run.
std::optional<DWORD> RunUninstaller(const std::wstring& folder = DefaultProgramFolder());
// The same with a given uninstaller (a copy kept from an earlier installation).
std::optional<DWORD> RunUninstallerFrom(const std::wstring& uninstaller,
                                        const std::wstring& folder = DefaultProgramFolder());

// Runs the installed printer_setup.exe of `folder` with `arguments` (quoted
// already) and waits for it: its exit code, or nothing when it could not start.
std::optional<DWORD> RunPrinterSetup(const std::wstring& arguments,
                                     const std::wstring& folder = DefaultProgramFolder());

// A text value, or nothing when the key or value is missing; `view` chooses the
// registry view (KEY_WOW64_32KEY, KEY_WOW64_64KEY; 0: this program's own).
std::optional<std::wstring> ReadText(HKEY root, const std::wstring& key, const std::wstring& name,
                                     REGSAM view = 0);
bool KeyExists(HKEY root, const std::wstring& key, REGSAM view = 0);

// What the spooler lists.
std::vector<std::wstring> MonitorNames();
struct ListedPort {
  std::wstring name;
  std::wstring monitor;
  std::wstring description;
};
std::vector<ListedPort> ListedPorts();
std::vector<std::wstring> PrinterNames();
// A printer as EnumPrintersW lists it at level 2.
struct ListedPrinter {
  std::wstring name;
  std::wstring port;
  std::wstring driver;
};
std::vector<ListedPrinter> ListedPrinters();
std::optional<ListedPrinter> FindPrinter(const std::wstring& name);
std::vector<std::wstring> PrinterDriverNames();

// Every trace of the product that is still there, each as a short description;
// empty once the product is completely removed.
std::vector<std::wstring> RemainingTraces(const std::wstring& folder = DefaultProgramFolder());

// Keeps what other test programs of the prefix rely on across a test that
// installs and uninstalls: the settings component's class registration (their
// copy of the library) and the machine-wide settings key, which is taken away
// for the test and put back with its values afterwards.
class PrefixStateKeeper {
 public:
  PrefixStateKeeper();
  ~PrefixStateKeeper();
  PrefixStateKeeper(const PrefixStateKeeper&) = delete;
  PrefixStateKeeper& operator=(const PrefixStateKeeper&) = delete;

 private:
  SettingsKeyRemoved settingsKey_;
  std::optional<std::wstring> settingsLibrary_;
};
