#!/usr/bin/env bash
# Guards of what a user must never lose or see, run on a built program:
#
# 1. A save onto a full file system leaves the old file byte for byte and the
#    command exits 1 with the reason: a design (`--equalise ... --out`) and a
#    PDF (`--export`). As root on a small tmpfs filled to the last block;
#    where no tmpfs can be mounted, under a file-size limit (`ulimit -f`).
# 2. The installed program (`cmake --install` into a scratch prefix):
#    `tevrane --help`, `--events` on a relative path and `--export` from
#    another folder, with no display and no XDG_RUNTIME_DIR, each exit 0 with
#    nothing on standard error.
#
# Usage: scripts/guards.sh [build folder]   (default: build)
# GUARD_WITH_FILE_LIMIT=1 takes the file-size limit even where a tmpfs could
# be mounted (to try the other way of filling the disk).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="$(cd "${1:-$ROOT/build}" && pwd)"
PROGRAM="$BUILD/tevrane"
DESIGN="$ROOT/data/default.dtv"
OTHER="$ROOT/data/long-travel.dtv"

scratch="$(mktemp -d)"
mounted=""
cleanup() {
  if [ -n "$mounted" ]; then umount "$mounted" 2>/dev/null || umount -l "$mounted" 2>/dev/null || true; fi
  rm -rf "$scratch"
}
trap cleanup EXIT

failures=0
fail() {
  echo "guard failed: $*" >&2
  failures=$((failures + 1))
}

# ---- 1. a full file system ---------------------------------------------------
full="$scratch/full"
mkdir -p "$full"
limit=""
if [ -z "${GUARD_WITH_FILE_LIMIT:-}" ] && [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o size=1m tmpfs "$full" 2>/dev/null; then
  mounted="$full"
  how="a full 1 MiB tmpfs"
else
  # Blocks of 1024 bytes: less than a design, far less than a PDF.
  limit=1
  how="a file-size limit of 1 KiB"
fi

cp "$OTHER" "$full/old.dtv"
# An old picture made while there is room (the limit applies only below).
"$PROGRAM" --export oval "$OTHER" "$full/old.pdf"
cp "$full/old.dtv" "$scratch/old.dtv.copy"
cp "$full/old.pdf" "$scratch/old.pdf.copy"
if [ -n "$mounted" ]; then
  # Fill every block left; dd stops when the disk is full.
  dd if=/dev/zero of="$full/filler" bs=4k >/dev/null 2>&1 || true
fi

# Runs the program under the limit when there is one. The program ignores
# the signal a write past the limit raises, so the write fails with a reason.
run_full() {
  if [ -n "$limit" ]; then
    (ulimit -f "$limit"; exec "$PROGRAM" "$@")
  else
    "$PROGRAM" "$@"
  fi
}

check_full_save() { # what old-file copy -- command words...
  local what="$1" file="$2" copy="$3"; shift 3
  # Standard output through a pipe: the limit is for the file being saved,
  # not for what the command prints.
  local status=0
  { run_full "$@" 2>"$scratch/err" | cat >"$scratch/out"; status="${PIPESTATUS[0]}"; } || true
  if [ "$status" -ne 1 ]; then fail "$what onto $how: exit $status, not 1"; fi
  if ! cmp -s "$file" "$copy"; then fail "$what onto $how changed the old file"; fi
  if ! grep -qE "Disk full|File too large" "$scratch/err"; then
    fail "$what onto $how gave no reason: $(cat "$scratch/err")"
  fi
  if grep -q "Written to" "$scratch/out"; then fail "$what onto $how said it was written"; fi
  if ls -A "$full" | grep -q '\.tmp$'; then fail "$what onto $how left a temporary file"; fi
}
check_full_save "a design save" "$full/old.dtv" "$scratch/old.dtv.copy" \
  --equalise "$DESIGN" --free 16 --out "$full/old.dtv"
check_full_save "a PDF export" "$full/old.pdf" "$scratch/old.pdf.copy" \
  --export mechanism "$DESIGN" "$full/old.pdf"
echo "guard: a save onto $how leaves the old design and picture whole and says why"

# ---- 2. the installed program -------------------------------------------------
prefix="$scratch/prefix"
if ! cmake --install "$BUILD" --prefix "$prefix" >"$scratch/install.log" 2>&1; then
  cat "$scratch/install.log" >&2
  fail "cmake --install"
fi
elsewhere="$scratch/elsewhere"
mkdir -p "$elsewhere"
cp "$DESIGN" "$elsewhere/design.dtv"

check_installed() { # name -- command words...
  local name="$1"; shift
  local status=0
  (cd "$elsewhere" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_RUNTIME_DIR \
     "$prefix/bin/tevrane" "$@" >"$scratch/$name.out" 2>"$scratch/$name.err") || status=$?
  if [ "$status" -ne 0 ]; then fail "installed tevrane $*: exit $status"; fi
  if [ -s "$scratch/$name.err" ]; then fail "installed tevrane $* wrote on stderr: $(head -c 400 "$scratch/$name.err")"; fi
}
check_installed help --help
grep -q "^Usage:" "$scratch/help.out" || fail "installed tevrane --help printed no usage"
check_installed events --events design.dtv --csv
grep -q "^design,number,reverse_arm," "$scratch/events.out" || fail "installed tevrane --events printed no CSV"
check_installed export --export oval design.dtv oval.svg
grep -q "<svg" "$elsewhere/oval.svg" 2>/dev/null || fail "installed tevrane --export wrote no SVG in the caller's folder"
# The desktop entry: valid, and without hints (one main category).
if command -v desktop-file-validate >/dev/null; then
  hints="$(desktop-file-validate "$prefix/share/applications/tevrane.desktop" 2>&1)" || fail "the desktop entry is not valid"
  if [ -n "$hints" ]; then fail "the desktop entry: $hints"; fi
fi
echo "guard: the installed tevrane runs --help, --events and --export from another folder without a display"

if [ "$failures" -ne 0 ]; then
  echo "$failures guard(s) failed" >&2
  exit 1
fi
