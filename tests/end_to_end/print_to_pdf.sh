#!/bin/sh
# End to end in a fresh Wine prefix: install, print a document with a known
# sentence through GDI, wait through WaitForOutput, check the PDF's text and
# title, that the job left nothing behind, then uninstall and check that no
# trace of the product is left.
set -u
build=$(cd "$1" && pwd)
WINE_RUN_PREFIX="$build/e2e-prefix"
. "$(dirname "$0")/../../scripts/lib/print-bed.sh"
out="$build/e2e-output"
failures=0
check() { # description command...
  what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}
present_key() { "$run" reg query "$1" >/dev/null 2>&1; }
absent_key() { ! present_key "$1"; }
traces='HKLM\SOFTWARE\Quillmar
HKLM\System\CurrentControlSet\Control\Print\Monitors\Quillmar Printer Monitor
HKLM\System\CurrentControlSet\Control\Print\Printers\Quillmar Printer
HKCR\corvale.PDFPrinterSettings
HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Quillmar PDF Writer'
drive_c="$WINE_RUN_PREFIX/drive_c"

fresh_prefix
rm -rf "$out"
mkdir -p "$out"
check "silent install" install_product
missing=$(echo "$traces" | while IFS= read -r key; do present_key "$key" || echo "$key"; done)
check "every registry trace installed" test -z "$missing"
[ -z "$missing" ] || echo "missing: $missing"
check "monitor library installed" test -f "$drive_c/windows/system32/corvale.dll"

sentence="The virtual printer turned this sentence into a PDF."
printf 'First line of the test document.\n%s\n' "$sentence" >"$out/document.txt"
title="Test document, r\303\251sum\303\251 \346\227\245\346\234\254"  # UTF-8: résumé 日本
check "run-once output set" set_output "$out/document.pdf"
check "printed through GDI and the PDF found" \
  print_and_wait --gdi "$out/document.txt" "$(printf '%s' "$title")" "$out/document.pdf"

check "the PDF holds the sentence" sh -c "pdftotext '$out/document.pdf' - | grep -qF '$sentence'"
check "the PDF has one page" sh -c "pdfinfo '$out/document.pdf' | grep -q '^Pages: *1$'"
check "the PDF carries the document name as title" \
  sh -c "pdfinfo '$out/document.pdf' | grep -qF 'Title:           $title'"
check "no partial PDF is left" sh -c "! ls '$out'/*.part >/dev/null 2>&1"
check "the spool file is gone" sh -c "! find '$drive_c/users' -name '*_printer.ps' | grep -q ."
check "the run-once output is used up" \
  sh -c "! find '$drive_c/users' -name runonce.ini -exec grep -qi 'output=' {} \; -print | grep -q ."

check "silent uninstall" uninstall_product
check "program folder removed" test ! -e "$drive_c/Program Files/Quillmar"
check "monitor library removed" test ! -e "$drive_c/windows/system32/corvale.dll"
remaining=$(echo "$traces" | while IFS= read -r key; do present_key "$key" && echo "$key"; done)
check "no registry trace left" test -z "$remaining"
[ -z "$remaining" ] || echo "left: $remaining"

stop_prefix
echo "$failures check(s) failed"
[ "$failures" -eq 0 ]
