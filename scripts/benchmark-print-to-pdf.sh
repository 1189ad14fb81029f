#!/bin/sh
# Time from the end of the print call to a readable PDF (found through
# WaitForOutput), for a 1-page and a 100-page document printed through GDI.
# Five runs each; prints every figure and the median.
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

for pages in 1 100; do
  document "$pages" "$out/doc$pages.txt"
  figures=""
  n=1
  while [ "$n" -le "$runs" ]; do
    pdf="$out/doc$pages-$n.pdf"
    set_output "$pdf"
    ms=$(print_and_wait --gdi "$out/doc$pages.txt" "Benchmark $pages" "$pdf" |
      sed -n 's/^PDF ready \([0-9]*\) ms.*/\1/p')
    [ -n "$ms" ] || { echo "run $n of $pages pages: no PDF" >&2; exit 1; }
    got=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
    [ "$got" = "$pages" ] || { echo "expected $pages pages, got $got" >&2; exit 1; }
    figures="$figures $ms"
    n=$((n + 1))
  done
  median=$(printf '%s\n' $figures | sort -n | sed -n "$(((runs + 1) / 2))p")
  echo "$pages page(s): print call end to readable PDF, ms:$figures (median $median)"
done
stop_prefix
