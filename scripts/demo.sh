#!/bin/sh
# The main job: in a fresh Wine prefix, install the printer, print a document
# from a Windows program, wait for the PDF through the monitor and show it.
set -eu
build=$(cd "${1:-build}" && pwd)
out="$build/demo-output"
WINE_RUN_PREFIX="$build/demo-prefix"
. "$(dirname "$0")/lib/print-bed.sh"
step() { printf '\n== %s\n' "$*"; }

step "A fresh Wine prefix: $WINE_RUN_PREFIX"
fresh_prefix
rm -rf "$out"
mkdir -p "$out"

step "Install silently: QuillmarPDFWriterSetup.exe /S"
install_product

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
set_output "$out/letter.pdf"

step "Print the letter through GDI and wait for its PDF"
print_and_wait --gdi "$out/letter.txt" "Letter to the printer" "$out/letter.pdf"
echo "PDF: $out/letter.pdf"
pdfinfo "$out/letter.pdf" | grep -E '^(Title|Producer|Pages|Page size|File size):'
echo "Its text, read back with pdftotext:"
pdftotext -layout "$out/letter.pdf" - | sed -n '1,6p'
pdftoppm -png -r 40 -f 1 -l 1 "$out/letter.pdf" "$out/letter-page"
echo "Page 1 rendered to $(ls "$out"/letter-page*.png)"

# The same letter as a RAW PostScript job, sent straight to the spooler.
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
set_output "$out/letter-text.pdf"
print_and_wait --raw "$out/letter.ps" "Letter as PostScript" "$out/letter-text.pdf"
echo "PDF: $out/letter-text.pdf"
pdfinfo "$out/letter-text.pdf" | grep -E '^(Title|Pages):'
pdftotext "$out/letter-text.pdf" - | sed -n '1,4p'

stop_prefix
