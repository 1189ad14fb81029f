// printer_setup.exe runs as administrator from the program folder. A DLL it
// imports is looked for in that folder first, so it does not import the
// spooler's DLL: the spooler functions it calls are defined here, with the
// platform's names and signatures, and forward to winspool.drv loaded at run
// time from the system folder only. A function that cannot be reached fails
// like the platform's would, with the loader's error code as last error.
#include <windows.h>
#include <winspool.h>

#include "system_library.h"

#define SPOOLER_FUNCTION(Result, Name, Params, Args)                             \
  extern "C" Result WINAPI Name Params {                                         \
    const auto function = SystemExport<decltype(&Name)>(L"winspool.drv", #Name); \
    return function ? function Args : Result{};                                  \
  }

SPOOLER_FUNCTION(BOOL, AddMonitorW, (LPWSTR pName, DWORD Level, LPBYTE pMonitorInfo),
                 (pName, Level, pMonitorInfo))
SPOOLER_FUNCTION(BOOL, AddPrinterDriverExW,
                 (LPWSTR pName, DWORD Level, LPBYTE pDriverInfo, DWORD dwFileCopyFlags),
                 (pName, Level, pDriverInfo, dwFileCopyFlags))
SPOOLER_FUNCTION(HANDLE, AddPrinterW, (LPWSTR pName, DWORD Level, LPBYTE pPrinter),
                 (pName, Level, pPrinter))
SPOOLER_FUNCTION(BOOL, ClosePrinter, (HANDLE hPrinter), (hPrinter))
SPOOLER_FUNCTION(BOOL, DeleteMonitorW, (LPWSTR pName, LPWSTR pEnvironment, LPWSTR pMonitorName),
                 (pName, pEnvironment, pMonitorName))
SPOOLER_FUNCTION(BOOL, DeletePrinter, (HANDLE hPrinter), (hPrinter))
SPOOLER_FUNCTION(BOOL, DeletePrinterDriverW,
                 (LPWSTR pName, LPWSTR pEnvironment, LPWSTR pDriverName),
                 (pName, pEnvironment, pDriverName))
SPOOLER_FUNCTION(BOOL, EnumMonitorsW,
                 (LPWSTR pName, DWORD Level, LPBYTE pMonitor, DWORD cbBuf, LPDWORD pcbNeeded,
                  LPDWORD pcReturned),
                 (pName, Level, pMonitor, cbBuf, pcbNeeded, pcReturned))
SPOOLER_FUNCTION(BOOL, EnumPrintersW,
                 (DWORD Flags, LPWSTR Name, DWORD Level, LPBYTE pPrinterEnum, DWORD cbBuf,
                  LPDWORD pcbNeeded, LPDWORD pcReturned),
                 (Flags, Name, Level, pPrinterEnum, cbBuf, pcbNeeded, pcReturned))
SPOOLER_FUNCTION(BOOL, EnumPrinterDriversW,
                 (LPWSTR pName, LPWSTR pEnvironment, DWORD Level, LPBYTE pDriverInfo, DWORD cbBuf,
                  LPDWORD pcbNeeded, LPDWORD pcReturned),
                 (pName, pEnvironment, Level, pDriverInfo, cbBuf, pcbNeeded, pcReturned))
SPOOLER_FUNCTION(BOOL, GetPrinterDriverDirectoryW,
                 (LPWSTR pName, LPWSTR pEnvironment, DWORD Level, LPBYTE pDriverDirectory,
                  DWORD cbBuf, LPDWORD pcbNeeded),
                 (pName, pEnvironment, Level, pDriverDirectory, cbBuf, pcbNeeded))
SPOOLER_FUNCTION(BOOL, GetPrinterW,
                 (HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD cbBuf, LPDWORD pcbNeeded),
                 (hPrinter, Level, pPrinter, cbBuf, pcbNeeded))
SPOOLER_FUNCTION(BOOL, OpenPrinterW,
                 (LPWSTR pPrinterName, LPHANDLE phPrinter, LPPRINTER_DEFAULTSW pDefault),
                 (pPrinterName, phPrinter, pDefault))
SPOOLER_FUNCTION(BOOL, SetPrinterW, (HANDLE hPrinter, DWORD Level, LPBYTE pPrinter, DWORD Command),
                 (hPrinter, Level, pPrinter, Command))
