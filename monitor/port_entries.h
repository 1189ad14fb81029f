// The port-level entries of the monitor table.
#pragma once

#include <windows.h>

// Lists the ports at level 1 (PORT_INFO_1W) or 2 (PORT_INFO_2W): entries from the
// start of the buffer, their strings packed downward from its end.
BOOL WINAPI MonEnumPorts(LPWSTR pName, DWORD Level, LPBYTE pPorts, DWORD cbBuf, LPDWORD pcbNeeded,
                         LPDWORD pcReturned);
// Hands out the port's record as handle and marks it open; an unknown name fails
// with ERROR_INVALID_PARAMETER.
BOOL WINAPI MonOpenPort(LPWSTR pName, PHANDLE pHandle);
// Clears the open mark; a document in progress is not ended here.
BOOL WINAPI MonClosePort(HANDLE hPort);
// Reads nothing and leaves its arguments untouched (also serves as AddPortEx).
BOOL WINAPI MonReadPort(HANDLE hPort, LPBYTE pBuffer, DWORD cbBuffer, LPDWORD pcbRead);
BOOL WINAPI MonAddPortEx(LPWSTR pName, DWORD Level, LPBYTE lpBuffer, LPWSTR lpMonitorName);

// Port administration: new ports are refused, configuration is refused, and
// DeletePort removes a port that is neither open nor busy. Each reports through
// the converter program.
BOOL WINAPI MonAddPort(LPWSTR pName, HWND hWnd, LPWSTR pMonitorName);
BOOL WINAPI MonConfigurePort(LPWSTR pName, HWND hWnd, LPWSTR pPortName);
BOOL WINAPI MonDeletePort(LPWSTR pName, HWND hWnd, LPWSTR pPortName);
