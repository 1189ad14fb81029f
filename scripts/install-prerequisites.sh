#!/bin/sh
# Installs the Debian packages that the build and the tests need, when missing.
set -eu
packages="cmake make clang libclang-common-14-dev libclang-rt-14-dev libgtest-dev g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools wine64 googletest ghostscript poppler-utils qpdf libtiff-tools file nsis"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
echo "Installing:$missing"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get -o DPkg::Lock::Timeout=300 update -qq
# shellcheck disable=SC2086
$sudo apt-get -o DPkg::Lock::Timeout=300 install -y -qq --no-install-recommends $missing >/dev/null
