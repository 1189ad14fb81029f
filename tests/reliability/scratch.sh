#!/bin/sh
# The scratch root of the fault tests: `setup` empties it and mounts a small
# disk at <root>/small-disk, `cleanup` lifts every immutable flag, unmounts
# and removes it. Cleanup runs even when a test failed or crashed.
set -u
action=$1
root=$2
release() {
  [ -d "$root" ] || return 0
  chattr -R -i "$root" 2>/dev/null
  if mountpoint -q "$root/small-disk" 2>/dev/null; then umount "$root/small-disk"; fi
  rm -rf "$root"
}
case $action in
  setup)
    release
    mkdir -p "$root/small-disk"
    # A disk that a job of a few hundred KiB fills; without the right to mount,
    # the tests that need it are skipped.
    mount -t tmpfs -o size=128k reliability-small-disk "$root/small-disk" 2>/dev/null &&
      touch "$root/small-disk/.mounted"
    exit 0 ;;
  cleanup)
    release ;;
  *)
    echo "usage: $0 setup|cleanup <root>" >&2
    exit 2 ;;
esac
