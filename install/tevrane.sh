#!/bin/sh
# Starts the simulator in the folder of its data files (instruction texts,
# sounds and example designs), which it reads from its working folder. A
# design named on the command line is passed on as an absolute path, so a
# name relative to the caller's folder still finds its file.
here="$(dirname "$(readlink -f "$0")")"
data="$here/../share/tevrane"
program="$here/../libexec/tevrane/tevrane"
if [ "$#" -gt 0 ]; then
  design="$(readlink -f -- "$1" 2>/dev/null || printf '%s' "$1")"
  cd "$data" && exec "$program" "$design"
fi
cd "$data" && exec "$program"
