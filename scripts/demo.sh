#!/bin/sh
# The main job: shows the built deliverables and what each of them imports.
set -eu
build=${1:-build}
echo "Quillmar PDF Writer: built binaries in $build"
found=0
for f in "$build"/monitor/corvale.dll "$build"/settings/tavrin.dll "$build"/config/config.exe \
         "$build"/converter/gui.exe; do
  [ -f "$f" ] || continue
  found=1
  echo "  $(basename "$f") ($(stat -c %s "$f") bytes), imports:" \
    $(x86_64-w64-mingw32-objdump -p "$f" | sed -n 's/.*DLL Name: //p' | sort -u | tr '\n' ' ')
done
[ "$found" -eq 1 ] || echo "  (no deliverable is built yet)"
