#!/bin/sh
# Installs the Debian packages that the build and the tests need, when missing,
# and lets `apt-get source` fetch the third-party sources (qpdf, libjpeg-turbo)
# that the build compiles for Windows.
set -eu
packages="cmake make clang g++ libclang-common-14-dev libclang-rt-14-dev libgtest-dev g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools wine64 googletest ghostscript poppler-utils qpdf libqpdf-dev libtiff-tools file nsis libz-mingw-w64-dev dpkg-dev xz-utils"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done

# Source entries (deb-src) for the Debian archives and suites that the
# machine's package entries already use, in files of their own.
sources_dir=/etc/apt/sources.list.d
has_debian_sources() {
  grep -qsE '^[[:space:]]*deb-src[[:space:]].*debian' /etc/apt/sources.list "$sources_dir"/*.list ||
    grep -qsE '^Types:.*deb-src' "$sources_dir"/*.sources
}
one_line_source_entries() {
  cat /etc/apt/sources.list "$sources_dir"/*.list 2>/dev/null |
    sed -n 's/^[[:space:]]*deb\([[:space:]].*debian.*\)$/deb-src\1/p'
}
deb822_source_entries() {
  for f in "$sources_dir"/*.sources; do
    [ -f "$f" ] || continue
    awk 'BEGIN { RS = ""; ORS = "\n\n" }
      /(^|\n)Types:[^\n]*deb([ \t\n]|$)/ && /(^|\n)URIs:[^\n]*debian/ {
        sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f"
  done
}
add_sources=""
if ! has_debian_sources; then
  add_sources=yes
  missing="$missing (deb-src entries)"
fi

[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
if [ -n "$add_sources" ]; then
  entries=$(one_line_source_entries)
  [ -z "$entries" ] || echo "$entries" | $sudo tee "$sources_dir/debian-sources.list" >/dev/null
  entries=$(deb822_source_entries)
  [ -z "$entries" ] || echo "$entries" | $sudo tee "$sources_dir/debian-sources.sources" >/dev/null
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=300 update -qq
packages_missing=$(echo "$missing" | sed 's/ (deb-src entries)//')
if [ -n "$packages_missing" ]; then
  # shellcheck disable=SC2086
  $sudo apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends $packages_missing >/dev/null
fi
