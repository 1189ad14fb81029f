#!/bin/sh
# Pictures of the progress window and the notice of a saved job, rendered
# by Wine's X11 driver under Xvfb:
#   scripts/screenshots-notice-progress.sh BUILD_DIR [OUTPUT_DIR]
# A fresh prefix of its own (never the tests' prefix: a prefix that once ran
# with the null graphics driver draws nothing), in a virtual desktop whose
# taskbar holds the notification area. The progress window is that of a real
# conversion of 4,000 pages by the host's Ghostscript; the notice is handed to
# notifier.exe as the converter hands it. Needs Xvfb, xwd and ImageMagick.
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

Xvfb "$display" -screen 0 ${size}x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1 || true; kill $xvfb 2>/dev/null || true' EXIT
sleep 1

rm -rf "$prefix"
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d $size /f >/dev/null 2>&1
wineserver -w

shots="$prefix/drive_c/shots"
data="$prefix/drive_c/users/$(id -un)/AppData/Roaming/Quillmar/PDF Writer"
mkdir -p "$shots" "$data"
printf 'output=C:\\shots\\Quarterly report.pdf\r\nnotify=no\r\n' >"$data/runonce.ini"
{
  printf '%%!PS\n/Helvetica findfont 24 scalefont setfont\n'
  printf '1 1 4000 { 72 700 moveto (Quarterly report, page ) show 10 string cvs show showpage } for\n'
} >"$shots/1_printer.ps"
gui=$("$wine" winepath -w "$build/converter/gui.exe" 2>/dev/null)
notifier=$("$wine" winepath -w "$build/converter/notifier.exe" 2>/dev/null)
printf '@start "" "%s" ps="C:\\shots\\1_printer.ps", sessionid="{1}", doc="Quarterly report", printer="Quillmar Printer"\r\n' \
  "$gui" >"$shots/convert.bat"

shoot() {
  xwd -root -silent -display "$display" | /usr/bin/convert xwd:- "$output/$1"
  echo "$output/$1"
}

"$wine" cmd /c 'C:\shots\convert.bat' >/dev/null 2>&1
sleep 4
shoot progress-window.png
# The conversion ends by itself; the notice of its file comes next.
for _ in $(seq 1 120); do
  [ -f "$shots/Quarterly report.pdf" ] && break
  sleep 1
done
"$wine" "$notifier" 'C:\shots\Quarterly report.pdf' >/dev/null 2>&1 &
sleep 3
shoot notice.png
wait
