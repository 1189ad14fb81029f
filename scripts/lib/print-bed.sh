# Shell functions shared by the demo and the end-to-end test: a fresh Wine
# prefix with the product installed, and printing to it. Source it after
# setting `build` (the build folder) and WINE_RUN_PREFIX (the prefix to use).

run="$build/wine-run"
export WINE_RUN_PREFIX
app='C:\Program Files\Quillmar\PDF Writer'
printer='Quillmar Printer'

# A Linux path as the Windows programs see it.
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# Ends the prefix's Wine processes.
stop_prefix() {
  if [ -d "$WINE_RUN_PREFIX" ]; then
    WINEPREFIX="$WINE_RUN_PREFIX" /usr/lib/wine/wineserver -k 2>/dev/null || true
  fi
}

# A new, empty prefix.
fresh_prefix() {
  stop_prefix
  rm -rf "$WINE_RUN_PREFIX" "$WINE_RUN_PREFIX.lock"
  timeout 300 "$run" cmd /c ver >/dev/null
}

# The setup program, run silently.
install_product() {
  # The 64-bit-only build of the setup: this machine runs no 32-bit code.
  setup="$build/installer/QuillmarPDFWriterSetup-x64.exe"
  [ -f "$setup" ] || { echo "No setup program was built in $build/installer" >&2; return 1; }
  timeout 300 "$run" "$setup" /S
}

# The uninstaller, run silently. It goes on in a copy of itself after the
# call returns: wait until the prefix's programs have ended.
uninstall_product() {
  timeout 300 "$run" "$app\\Uninstall.exe" /S || return 1
  WINEPREFIX="$WINE_RUN_PREFIX" timeout 300 /usr/lib/wine/wineserver -w
}

# The run-once output of the next job, through config.exe.
set_output() { timeout 60 "$run" "$app\\config.exe" /S Output "$(winpath "$1")"; }

# Prints a file (--gdi text or --raw PostScript) and waits for its PDF.
print_and_wait() { # mode file document-name pdf
  timeout 300 "$run" "$build/demo/print_document.exe" "$1" "$printer" "$(winpath "$2")" "$3" \
    "$(winpath "$4")"
}
