// Host stand-in for the two port entry records of the spooler interface.
#pragma once

#include <windows.h>

struct PORT_INFO_1W {
  LPWSTR pName;
};

struct PORT_INFO_2W {
  LPWSTR pPortName;
  LPWSTR pMonitorName;
  LPWSTR pDescription;
  DWORD fPortType;
  DWORD Reserved;
};
