#!/bin/sh
# Fails when any executable named needs Qt's GUI or widget libraries, or when
# its needed libraries cannot be read (a check that read nothing proves nothing).
# With --gui-allowed first, Qt Gui is allowed and widgets are looked for in
# every library loaded, not only those named: Qt PrintSupport, for one, brings
# widgets in with it.
allow_gui=
if [ "$1" = "--gui-allowed" ]; then
  allow_gui=1
  shift
fi
status=0
for program in "$@"; do
  if [ -n "$allow_gui" ]; then
    needed=$(ldd "$program" | awk '{ print $1 }')
  else
    needed=$(objdump -p "$program" | awk '/NEEDED/ { print $2 }')
  fi
  case "$needed" in
    *libQt6Core*) ;;
    *)
      echo "$program: no needed libraries read (are objdump and ldd installed?)" >&2
      status=1 ;;
  esac
  for library in $needed; do
    case "$library" in
      libQt6Widgets*)
        echo "$program needs $library" >&2
        status=1 ;;
      libQt6Gui*)
        if [ -z "$allow_gui" ]; then
          echo "$program needs $library" >&2
          status=1
        fi ;;
    esac
  done
done
exit $status
