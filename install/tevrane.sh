#!/bin/sh
# Starts the installed program.
#
# The window reads its data files (instruction texts, sounds, example
# designs) from its working folder, so it starts in their folder; a design
# named first is passed on as an absolute path, so a name relative to the
# caller's folder still finds its file. The other words follow unchanged.
#
# A batch command (first word beginning with "--") needs none of those files
# and reads and writes the files its words name, relative to the caller's
# folder: it runs right there with every word unchanged.
here="$(dirname "$(readlink -f "$0")")"
data="$here/../share/tevrane"
program="$here/../libexec/tevrane/tevrane"
case "${1-}" in
  --*)
    exec "$program" "$@"
    ;;
esac
if [ "$#" -gt 0 ]; then
  design="$(readlink -f -- "$1" 2>/dev/null || printf '%s' "$1")"
  shift
  cd "$data" && exec "$program" "$design" "$@"
fi
cd "$data" && exec "$program"
