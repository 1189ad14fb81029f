#!/bin/sh
# The main job: in a fresh Wine prefix, install the printer, print a document
# from a Windows program, wait for the PDF through the monitor and show it.
set -eu
build=$(cd "${1:-build}" && pwd)
run="$build/wine-run"
out="$build/demo-output"
export WINE_RUN_PREFIX="$build/demo-prefix"

winpath() { printf 'Z:%s' "$1" | tr / '\\'; }
step() { printf '\n== %s\n' "$*"; }

setup=$(ls "$build"/installer/*Setup*.exe 2>/dev/null | head -n 1)
[ -n "$setup" ] || { echo "No installer was built in $build/installer" >&2; exit 1; }

step "A fresh Wine prefix: $WINE_RUN_PREFIX"
[ -d "$WINE_RUN_PREFIX" ] && WINEPREFIX="$WINE_RUN_PREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
rm -rf "$WINE_RUN_PREFIX" "$WINE_RUN_PREFIX.lock" "$out"
mkdir -p "$out"
timeout 300 "$run" cmd /c ver

step "Install silently: $(basename "$setup") /S"
timeout 300 "$run" "$setup" /S
app='C:\Program Files\Quillmar\PDF Writer'

cat >"$out/letter.txt" <<'TEXT'
Dear reader,

this letter was printed by a Windows program through GDI and the printer's
PostScript driver to the virtual printer "Quillmar Printer". The port monitor
captured the job, the converter turned it into this PDF, and the printing
program found it through WaitForOutput.

Kind regards,
the Quillmar PDF Writer
TEXT

step "config.exe /S Output $(winpath "$out/letter.pdf")"
timeout 60 "$run" "$app\\config.exe" /S Output "$(winpath "$out/letter.pdf")"

step "Print the letter through GDI and wait for its PDF"
timeout 300 "$run" "$build/demo/print_document.exe" --gdi "Quillmar Printer" \
  "$(winpath "$out/letter.txt")" "Letter to the printer" "$(winpath "$out/letter.pdf")"
echo "PDF: $out/letter.pdf"
pdfinfo "$out/letter.pdf" | grep -E '^(Title|Producer|Pages|Page size|File size):'
pdftoppm -png -r 40 -f 1 -l 1 "$out/letter.pdf" "$out/letter-page"
echo "Page 1 rendered to $(ls "$out"/letter-page*.png)"

# The same words as a PostScript job with real fonts: their text can be read back.
step "Print a RAW PostScript job and read its text back"
{
  printf '%%!PS-Adobe-3.0\n/Times-Roman findfont 14 scalefont setfont\n'
  y=720
  while IFS= read -r line; do
    escaped=$(printf '%s' "$line" | sed 's/[\\()]/\\&/g')
    printf '72 %d moveto (%s) show\n' "$y" "$escaped"
    y=$((y - 18))
  done <"$out/letter.txt"
  printf 'showpage\n'
} >"$out/letter.ps"
timeout 60 "$run" "$app\\config.exe" /S Output "$(winpath "$out/letter-text.pdf")"
timeout 300 "$run" "$build/demo/print_document.exe" --raw "Quillmar Printer" \
  "$(winpath "$out/letter.ps")" "Letter as PostScript" "$(winpath "$out/letter-text.pdf")"
echo "PDF: $out/letter-text.pdf"
pdfinfo "$out/letter-text.pdf" | grep -E '^(Title|Pages):'
pdftotext "$out/letter-text.pdf" - | sed -n '1,4p'

WINEPREFIX="$WINE_RUN_PREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
