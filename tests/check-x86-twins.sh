#!/bin/sh
# Checks each x86 binary against its x64 twin, both given as x86=x64 pairs:
# the x86 one is a 32-bit PE (PE32, pei-i386), the x64 one a PE32+, and both
# export the same set of undecorated names (no _Name@8).
set -u
status=0
exports() {
  x86_64-w64-mingw32-objdump -p "$1" |
    sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/s/^[[:space:]]*\[ *[0-9]*\] //p' | sort
}
magic() {
  x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^Magic.*(\(PE32+*\)).*/\1/p'
}
for pair in "$@"; do
  x86=${pair%%=*}
  x64=${pair#*=}
  [ "$(magic "$x86")" = PE32 ] || { echo "$x86: not a 32-bit PE ($(magic "$x86"))"; status=1; }
  [ "$(magic "$x64")" = PE32+ ] || { echo "$x64: not a 64-bit PE ($(magic "$x64"))"; status=1; }
  x86Exports=$(exports "$x86")
  x64Exports=$(exports "$x64")
  if [ "$x86Exports" != "$x64Exports" ]; then
    echo "$x86 exports differ from $x64:"
    echo "  x86: $(echo $x86Exports)"
    echo "  x64: $(echo $x64Exports)"
    status=1
  fi
  if echo "$x86Exports" | grep -q '@'; then
    echo "$x86 exports decorated names: $(echo $x86Exports)"
    status=1
  fi
  echo "$x86: $(magic "$x86"), exports: $(echo $x86Exports)"
done
exit $status
