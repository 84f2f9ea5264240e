#!/bin/sh
# Fails when any executable named needs Qt's GUI or widget libraries.
status=0
for program in "$@"; do
  needed=$(objdump -p "$program" | awk '/NEEDED/ { print $2 }')
  for library in $needed; do
    case "$library" in
      libQt6Widgets*|libQt6Gui*)
        echo "$program needs $library" >&2
        status=1 ;;
    esac
  done
done
exit $status
