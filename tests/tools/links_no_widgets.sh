#!/bin/sh
# Fails when any executable named needs Qt's GUI or widget libraries, or when
# its needed libraries cannot be read (a check that read nothing proves nothing).
status=0
for program in "$@"; do
  needed=$(objdump -p "$program" | awk '/NEEDED/ { print $2 }')
  case "$needed" in
    *libQt6Core*) ;;
    *)
      echo "$program: no needed libraries read (is objdump installed?)" >&2
      status=1 ;;
  esac
  for library in $needed; do
    case "$library" in
      libQt6Widgets*|libQt6Gui*)
        echo "$program needs $library" >&2
        status=1 ;;
    esac
  done
done
exit $status
