#!/bin/sh
# Pictures of the progress window and the notice of a saved job, rendered
# by Wine's X11 driver under Xvfb:
#   scripts/screenshots-notice-progress.sh BUILD_DIR [OUTPUT_DIR]
# A fresh prefix of its own (never the tests' prefix: a prefix that once ran
# with the null graphics driver draws nothing), in a virtual desktop whose
# taskbar holds the notification area. The progress window is that of a real
# conversion of 24,000 pages by the host's Ghostscript, the notice that of its
# file. Needs Xvfb, xwd and ImageMagick.
set -eu
build=$(cd "$1" && pwd)
output=${2:-docs/screenshots}
display=${SCREENSHOT_DISPLAY:-:93}
size=1024x600
prefix="$build/screenshots-prefix"
mkdir -p "$output"
output=$(cd "$output" && pwd)

WINEPREFIX="$prefix"
WINEDEBUG=-all
WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
DISPLAY=$display
export WINEPREFIX WINEDEBUG WINEDLLOVERRIDES DISPLAY
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

Xvfb "$display" -screen 0 ${size}x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap '"$wineserver" -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
trap 'exit 1' INT TERM
sleep 1

rm -rf "$prefix"
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d $size /f >/dev/null 2>&1
"$wineserver" -w

shots="$prefix/drive_c/shots"
data="$prefix/drive_c/users/$(id -un)/AppData/Roaming/Quillmar/PDF Writer"
mkdir -p "$shots" "$data"
printf '[PDF Printer]\r\noutput=C:\\shots\\Quarterly report.pdf\r\nnotify=no\r\n' >"$data/runonce.ini"
{
  printf '%%!PS\n/Helvetica findfont 24 scalefont setfont\n'
  printf '1 1 24000 { 72 700 moveto (Quarterly report, page ) show 10 string cvs show showpage } for\n'
} >"$shots/1_printer.ps"
gui=$("$wine" winepath -w "$build/converter/gui.exe" 2>/dev/null)
notifier=$("$wine" winepath -w "$build/converter/notifier.exe" 2>/dev/null)
printf '@"%s" ps="C:\\shots\\1_printer.ps", sessionid="{1}", doc="Quarterly report", printer="Quillmar Printer"\r\n' \
  "$gui" >"$shots/convert.bat"

# shoot <file> <geometry> <x,y>: the part of the screen that shows the
# window, once the window is drawn (the point x,y of the screen, inside it, is
# light); tried every second for up to 15 s.
shoot() {
  for _ in $(seq 1 15); do
    # The screen cannot be read while Wine remakes its desktop window.
    if xwd -root -silent -display "$display" >"$prefix/screen.xwd" 2>/dev/null &&
      [ "$(/usr/bin/convert "xwd:$prefix/screen.xwd" -format "%[fx:p{$3}.intensity>0.85]" info:)" = 1 ]; then
      /usr/bin/convert "xwd:$prefix/screen.xwd" -crop "$2" +repage "$output/$1"
      echo "$output/$1"
      return
    fi
    sleep 1
  done
  echo "$1: the window was not seen" >&2
  return 1
}

"$wine" cmd /c 'C:\shots\convert.bat' >/dev/null 2>&1 &
converter=$!
sleep 3
shoot progress-window.png 480x200+272+200 360,300
# The conversion ends by itself. Wine's virtual desktop goes with its last
# window (the notifier's is hidden), so a window of the converter (its usage
# box, outside the picture) keeps a new desktop with a taskbar while
# notifier.exe is handed the notice of the saved file, as the converter hands
# it. (Seen here: the desktop that the conversion started from cmd had no
# taskbar, and the notice's picture came with the steps below.)
wait $converter
"$wineserver" -k
sleep 1
env -u WINEDLLOVERRIDES "$wine" "$gui" >/dev/null 2>&1 &
usage=$!
sleep 3
env -u WINEDLLOVERRIDES "$wine" "$notifier" 'C:\shots\Quarterly report.pdf' >/dev/null 2>&1 &
notice=$!
shoot notice.png 360x130+664+470 994,564
wait $notice
kill $usage 2>/dev/null || true
