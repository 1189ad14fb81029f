#!/bin/sh
# Time from the end of the print call to a readable PDF (found through
# WaitForOutput), for a 1-page and a 100-page document printed through GDI.
# Then the overhead of the printer: a 1-page PostScript document printed RAW,
# against Ghostscript alone on the same PostScript (the converter's arguments),
# taking turns in one run. Five runs each (RUNS); prints every figure and the medians.
# Then the burst (BURST_RUNS rounds, 3; BURST_ONLY=1 runs only that): see burst_round.
# Last, the PDF steps (tests/converter/pdf_steps_benchmark.cpp).
set -eu
build=$(cd "${1:-build}" && pwd)
runs=${RUNS:-5}
burst_runs=${BURST_RUNS:-3}
burst_only=${BURST_ONLY:-0}
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

[ "$burst_only" = 1 ] || for pages in 1 100; do
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
[ "$burst_only" = 1 ] || while [ "$n" -le "$runs" ]; do
  printed="$printed $(print_ms --raw "$out/page.ps" "Overhead" "$out/raw-$n.pdf")"
  start=$(now_ms)
  gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="$out/alone-$n.pdf" \
    -f "$out/page.ps" -c '[ /Title <FEFF004F0076006500720068006500610064> /DOCINFO pdfmark'
  alone="$alone $(($(now_ms) - start))"
  n=$((n + 1))
done
if [ "$burst_only" != 1 ]; then
  p=$(median_of $printed)
  g=$(median_of $alone)
  echo "1 page RAW: print call end to readable PDF, ms:$printed (median $p)"
  echo "Ghostscript alone on the same PostScript, ms:$alone (median $g)"
  echo "overhead of the printer: $((p - g)) ms"
fi

# The burst: 40 one-page jobs (JOBS) of one document name, printed back to back
# by one program through Wine's spooler (print_burst.exe) into an output folder
# with existing=number, from the first print call to the last PDF in place;
# once with the machine's bound on conversions at once (one per processor),
# once with "MaxConversions" as high as the jobs (no bound). Against
# Ghostscript alone on the same PostScript with the converter's arguments, 40
# runs one after another and 40 in parallel, as many at once as processors.
# benchmark-sampler.c counts this benchmark's Ghostscript and converter
# processes and their private memory meanwhile. Every job must give its PDF,
# " (2)" to " (40)" after the first, each of one page.
jobs=${JOBS:-40}
processors=$(nproc)
burst="$out/burst"
sampler="$build/benchmark-sampler"
"${CC:-clang}" -O2 -o "$sampler" "$(dirname "$0")/benchmark-sampler.c"
mkdir -p "$burst"
cat >"$burst/settings.vbs" <<'VBS'
Set settings = CreateObject("corvale.PDFPrinterSettings")
settings.LoadSettings False
settings.SetValue "outputfolder", WScript.Arguments(0)
settings.SetValue "existing", "number"
settings.WriteSettings False
VBS
timeout 60 "$run" cscript //nologo "$(winpath "$burst/settings.vbs")" "$(winpath "$burst/pdf")"
settings_key='HKLM\SOFTWARE\Quillmar\PDF Writer\Settings'

# Runs a command while the sampler watches; prints its figures after the command's output.
sampled() {
  "$sampler" "$burst/" "$WINE_RUN_PREFIX/" >"$burst/sampled.txt" &
  watcher=$!
  "$@"
  kill "$watcher"
  wait "$watcher" || true
  cat "$burst/sampled.txt"
}
# Ghostscript alone on the page, into the file given, with the converter's arguments.
cat >"$burst/gs-alone.sh" <<GS
#!/bin/sh
exec gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="\$1" -f "$out/page.ps" \\
  -c '[ /Title <FEFF00420075007200730074> /DOCINFO pdfmark'
GS
chmod +x "$burst/gs-alone.sh"
alone_in_sequence() {
  i=1
  while [ "$i" -le "$jobs" ]; do "$burst/gs-alone.sh" "$burst/alone/s$i.pdf"; i=$((i + 1)); done
}
alone_in_parallel() {
  seq 1 "$jobs" | sed "s|.*|$burst/alone/p&.pdf|" | xargs -P "$processors" -I{} "$burst/gs-alone.sh" {}
}
timed_ms() { start=$(now_ms); "$@"; echo "$(($(now_ms) - start)) ms"; }
print_burst() {
  rm -rf "$burst/pdf"
  mkdir -p "$burst/pdf"
  sampled timeout 900 "$run" "$build/tests/converter/print_burst.exe" "$printer" \
    "$(winpath "$out/page.ps")" Burst "$jobs" "$(winpath "$burst/pdf")" | tr '\n' ' '
  echo
  got=$(ls "$burst/pdf" | grep '\.pdf$' | grep -c -v '\.part\.pdf$' || true)
  [ "$got" = "$jobs" ] || { echo "burst: $got PDFs of $jobs jobs" >&2; exit 1; }
  [ -f "$burst/pdf/Burst.pdf" ] || { echo "burst: no Burst.pdf" >&2; exit 1; }
  i=2
  while [ "$i" -le "$jobs" ]; do
    pages=$(pdfinfo "$burst/pdf/Burst ($i).pdf" | sed -n 's/^Pages: *//p')
    [ "$pages" = 1 ] || { echo "burst: Burst ($i).pdf has '$pages' pages" >&2; exit 1; }
    i=$((i + 1))
  done
}

# The printing path alone: the same burst with the installed gui.exe replaced
# by a program that ends at once (tests/converter/idle_converter.cpp): Wine's
# spooler in the printing program, the monitor and one process start per job.
converter="$WINE_RUN_PREFIX/drive_c/Program Files/Quillmar/PDF Writer/gui.exe"
printing_path_alone() {
  cp "$converter" "$burst/gui.exe"
  cp "$build/tests/converter/idle_converter.exe" "$converter"
  sampled timeout 900 "$run" "$build/tests/converter/print_burst.exe" "$printer" \
    "$(winpath "$out/page.ps")" Burst "$jobs" - | tr '\n' ' '
  cp "$burst/gui.exe" "$converter"
  echo
}
ms_after() { sed -n "s/.*$1 \([0-9]*\) ms.*/\1/p"; } # the figure after a text
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }

echo "burst of $jobs jobs on $processors processors"
round=1
while [ "$round" -le "$burst_runs" ]; do
  rm -rf "$burst/alone"
  mkdir -p "$burst/alone"
  echo "round $round, load average $(cut -d' ' -f1-3 /proc/loadavg)"
  bounded=$(print_burst)
  echo "  burst, $processors conversions at once: $bounded"
  timeout 60 "$run" reg add "$settings_key" /v MaxConversions /t REG_DWORD /d "$jobs" /f >/dev/null
  echo "  burst, no bound: $(print_burst)"
  timeout 60 "$run" reg delete "$settings_key" /v MaxConversions /f >/dev/null
  path_alone=$(printing_path_alone)
  echo "  printing path alone, a converter that does nothing: $path_alone"
  echo "  Ghostscript alone, one after another: $(sampled timed_ms alone_in_sequence | tr '\n' ' ')"
  parallel=$(sampled timed_ms alone_in_parallel | tr '\n' ' ')
  echo "  Ghostscript alone, $processors at once: $parallel"
  parallel_ms=$(echo "$parallel" | sed -n 's/^\([0-9]*\) ms.*/\1/p')
  echo "  burst / Ghostscript alone $processors at once:" \
    "$(ratio "$(echo "$bounded" | ms_after 'in place')" "$parallel_ms");" \
    "printing path alone / Ghostscript alone $processors at once:" \
    "$(ratio "$(echo "$path_alone" | ms_after 'print calls')" "$parallel_ms")"
  round=$((round + 1))
done
echo "load average $(cut -d' ' -f1-3 /proc/loadavg)"
stop_prefix

# The PDF steps: append through qpdf against a Ghostscript re-render, and the
# cost of encryption (the machine may be shared: the load average is printed).
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
"$build/wine-run" "$build/tests/converter/pdf_steps_benchmark.exe"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

# The job window: on screen from the converter's start, and Save to the file
# in place against Ghostscript alone (tests/converter/job_window_benchmark.cpp).
"$build/wine-run" "$build/tests/converter/job_window_benchmark.exe"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
