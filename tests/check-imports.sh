#!/bin/sh
# Fails when a built binary imports a DLL that Windows does not ship
# (a compiler runtime, say): every deliverable must run on a bare system.
set -u
allowed='^(kernel32|user32|gdi32|advapi32|ole32|oleaut32|shell32|shlwapi|comdlg32|comctl32|version|winspool\.drv|userenv|wtsapi32|msvcrt|ws2_32|rpcrt4|api-ms-win-.*)\.dll$|^winspool\.drv$'
status=0
for binary in "$@"; do
  imports=$(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/.*DLL Name: //p' | tr 'A-Z' 'a-z')
  [ -n "$imports" ] || { echo "$binary: no imports read"; status=1; }
  for dll in $imports; do
    if ! echo "$dll" | grep -Eq "$allowed"; then
      echo "$binary imports $dll, which is not a system DLL"
      status=1
    fi
  done
  echo "$binary: $(echo $imports)"
done
exit $status
