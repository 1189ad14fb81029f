#!/bin/sh
# Time from the end of the print call to a readable PDF (found through
# WaitForOutput), for a 1-page and a 100-page document printed through GDI.
# Then the overhead of the printer: a 1-page PostScript document printed RAW,
# against Ghostscript alone on the same PostScript (the converter's arguments),
# taking turns in one run. Five runs each (RUNS); prints every figure and the medians.
# Last, the PDF steps (tests/converter/pdf_steps_benchmark.cpp).
set -eu
build=$(cd "${1:-build}" && pwd)
runs=${RUNS:-5}
WINE_RUN_PREFIX="$build/benchmark-prefix"
. "$(dirname "$0")/lib/print-bed.sh"
out="$build/benchmark-output"

fresh_prefix
rm -rf "$out"
mkdir -p "$out"
install_product

document() { # pages file
  i=1
  while [ "$i" -le $(($1 * 40)) ]; do
    echo "Line $i: the quick brown fox jumps over the lazy dog, 0123456789."
    i=$((i + 1))
  done >"$2"
}

# Prints a file into `pdf` and echoes the milliseconds from the end of the
# print call to the PDF found by WaitForOutput.
print_ms() { # mode file document-name pdf
  set_output "$4"
  ms=$(print_and_wait "$1" "$2" "$3" "$4" | sed -n 's/^PDF ready \([0-9]*\) ms.*/\1/p')
  [ -n "$ms" ] || { echo "$3: no PDF" >&2; exit 1; }
  echo "$ms"
}
median_of() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

for pages in 1 100; do
  document "$pages" "$out/doc$pages.txt"
  figures=""
  n=1
  while [ "$n" -le "$runs" ]; do
    pdf="$out/doc$pages-$n.pdf"
    ms=$(print_ms --gdi "$out/doc$pages.txt" "Benchmark $pages" "$pdf")
    got=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    [ "$got" = "$pages" ] || { echo "expected $pages pages, got $got" >&2; exit 1; }
    figures="$figures $ms"
    n=$((n + 1))
  done
  echo "$pages page(s): print call end to readable PDF, ms:$figures (median $(median_of $figures))"
done

# A 1-page PostScript document of 40 text lines.
postscript() { # file
  {
    echo '%!PS-Adobe-3.0'
    echo '/Helvetica findfont 10 scalefont setfont'
    i=1
    while [ "$i" -le 40 ]; do
      echo "72 $((760 - i * 16)) moveto (Line $i: the quick brown fox jumps over the lazy dog.) show"
      i=$((i + 1))
    done
    echo 'showpage'
  } >"$1"
}

now_ms() { echo $(($(date +%s%N) / 1000000)); }

postscript "$out/page.ps"
printed="" alone=""
n=1
while [ "$n" -le "$runs" ]; do
  printed="$printed $(print_ms --raw "$out/page.ps" "Overhead" "$out/raw-$n.pdf")"
  start=$(now_ms)
  gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="$out/alone-$n.pdf" \
    -f "$out/page.ps" -c '[ /Title <FEFF004F0076006500720068006500610064> /DOCINFO pdfmark'
  alone="$alone $(($(now_ms) - start))"
  n=$((n + 1))
done
p=$(median_of $printed)
g=$(median_of $alone)
echo "1 page RAW: print call end to readable PDF, ms:$printed (median $p)"
echo "Ghostscript alone on the same PostScript, ms:$alone (median $g)"
echo "overhead of the printer: $((p - g)) ms"
stop_prefix

# The PDF steps: append through qpdf against a Ghostscript re-render, and the
# cost of encryption (the machine may be shared: the load average is printed).
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/wine-run" "$build/tests/converter/pdf_steps_benchmark.exe"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
