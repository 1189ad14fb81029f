#!/bin/sh
# Configures the demo's build (preset mingw-demo) in a fresh copy of the source
# tree, as a second clone on this machine would, and checks that it builds
# only what the demo uses and takes the third-party libraries from the
# machine-wide cache:
# - no test program, no x86 deliverable among its targets, no build-x86/;
# - the configure took qpdf from a cache entry (the build folder that runs this
#   test has filled it) and the build folder has no third-party sub-build.
# Usage: check-demo-build.sh <source folder>
set -u
source_dir=$1
work=$(mktemp -d "${TMPDIR:-/tmp}/demo-build-check.XXXXXX")
trap 'rm -rf "$work"' EXIT
status=0
fail() { echo "$*"; status=1; }

# The tracked files as they are in the working tree, like a clone of them.
if git -C "$source_dir" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
  (cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
    xargs -0 tar cf - --no-recursion 2>/dev/null) | tar xf - -C "$work"
else
  (cd "$source_dir" && tar cf - --exclude='./build*' .) | tar xf - -C "$work"
fi

configure_log=$(cd "$work" && cmake --preset mingw-demo 2>&1) || {
  echo "$configure_log"
  fail "The demo's build does not configure"
  exit 1
}
echo "$configure_log" | grep -q 'Third-party libraries: from the cache entry' ||
  fail "The demo's build would build qpdf again instead of taking it from the cache:
$(echo "$configure_log" | grep -i 'third-party')"
[ -d "$work/build-demo/third_party" ] && fail "The demo's build folder has a third-party sub-build"

targets=$(cmake --build "$work/build-demo" --target help 2>&1)
for expected in gui corvale tavrin config printer_setup print_document installer; do
  echo "$targets" | grep -q "^\.\.\. $expected\$" || fail "The demo's build lacks the target $expected"
done
unexpected=$(echo "$targets" | grep -E '^\.\.\. .*(_tests|test_support|gtest|x86_deliverables|_benchmark|fake_)' || true)
[ -z "$unexpected" ] || fail "The demo's build would build what the demo does not use:
$unexpected"
[ -d "$work/build-x86" ] && fail "Configuring the demo's build made an x86 build folder"
[ "$status" -eq 0 ] && echo "The demo's build: the x64 product and its setup alone, qpdf from the cache"
exit $status
