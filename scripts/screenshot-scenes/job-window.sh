# The job window of a document printed without automatic saving.
show_scene() {
  printf '%%!PS\nshowpage\n' >"$scratch/job.ps"
  "$wine" "$build/converter/gui.exe" "ps=\"$(winpath "$scratch/job.ps")\"," \
    'sessionid="1",' 'doc="Quarterly report",' 'printer="Quillmar Printer"' \
    >/dev/null 2>&1 &
  echo "Quillmar PDF Writer"
}
