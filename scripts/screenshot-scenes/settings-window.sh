# The settings window of the installed product, its printer's settings kept
# as a script or an earlier save would have written them.
show_scene() {
  "$wine" "$build/installer/QuillmarPDFWriterSetup-x64.exe" /S >/dev/null 2>&1
  local data="$WINEPREFIX/drive_c/users/${USER:-root}/AppData/Roaming/Quillmar/PDF Writer"
  mkdir -p "$data"
  printf '%s\r\n' '[PDF Printer]' '  outputfolder=C:\Reports\%USERNAME%' \
    '  filename=<date> <title>' '  format=pdfa' '  existing=number' '  author=Accounts' \
    '  background=C:\Forms\letterhead.pdf' '  notify=yes' >"$data/settings-Quillmar Printer.ini"
  "$wine" 'C:\Program Files\Quillmar\PDF Writer\settings.exe' >/dev/null 2>&1 &
  echo "Quillmar PDF Writer Settings"
}
