# The job window of a document printed without automatic saving. The
# converter's command line is given whole through cmd.exe: Wine would quote
# arguments that hold blanks and quotes again.
show_scene() {
  printf '%%!PS\nshowpage\n' >"$scratch/job.ps"
  printf '"%s" ps="%s", sessionid="1", doc="Quarterly report", printer="Quillmar Printer"\r\n' \
    "$(winpath "$build/converter/gui.exe")" "$(winpath "$scratch/job.ps")" >"$scratch/job.cmd"
  "$wine" cmd /c "$(winpath "$scratch/job.cmd")" >/dev/null 2>&1 &
  echo "Quillmar PDF Writer"
}
