#!/bin/sh
# Fails when one of the binaries imports a DLL whose name matches the pattern
# (an extended regular expression, matched without regard to case).
set -u
[ $# -ge 2 ] || { echo "usage: $0 pattern binary..."; exit 2; }
pattern=$1
shift
status=0
for binary in "$@"; do
  imports=$(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/.*DLL Name: //p')
  [ -n "$imports" ] || { echo "$binary: no imports read"; status=1; }
  found=$(echo "$imports" | grep -Ei "^($pattern)$")
  [ -z "$found" ] || { echo "$binary imports" $found; status=1; }
done
exit $status
