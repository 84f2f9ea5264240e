#!/bin/sh
# Builds the Debian package from the build folder and checks it as Debian's
# tools do; then unpacks it and starts it as a user without a data folder.
#   package.sh BUILD_DIR
set -eu
build=$1
work=$(mktemp -d /tmp/quorvel-package-XXXXXX)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
fail() { echo "package: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(ls "$work"/out/quorvel_*_amd64.deb)

# What it holds, and nothing in anyone's home.
dpkg-deb --contents "$deb" | awk '{print $6}' >"$work/contents"
for path in ./usr/bin/quorvel ./usr/share/applications/example.quorvel.Quorvel.desktop \
  ./usr/share/icons/hicolor/scalable/apps/quorvel.svg ./usr/share/icons/hicolor/48x48/apps/quorvel.png \
  ./usr/share/icons/hicolor/256x256/apps/quorvel.png ./usr/share/metainfo/example.quorvel.Quorvel.metainfo.xml \
  ./usr/share/man/man1/quorvel.1.gz ./usr/share/quorvel/qu.pdf ./usr/share/quorvel/chizh.skn \
  ./usr/share/quorvel/schema.sql ./usr/share/doc/quorvel/copyright; do
  grep -qx "$path" "$work/contents" || fail "missing $path"
done
! grep -q '^\./home\|^\./root' "$work/contents" || fail "files under /home or /root"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6sql6-sqlite' || fail "no dependency on the SQLite driver"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6sql6-psql' || fail "no dependency on the PostgreSQL driver"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "no dependencies from the binary"

# Debian's own checks.
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/example.quorvel.Quorvel.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/example.quorvel.Quorvel.metainfo.xml" >"$work/appstream.log" 2>&1 \
  || { cat "$work/appstream.log"; fail "appstream metainfo refused"; }
lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 || true
cat "$work/lintian.log"
! grep -q '^E:' "$work/lintian.log" || fail "lintian reports errors"
man --warnings -l "$work/root/usr/share/man/man1/quorvel.1.gz" >/dev/null 2>"$work/man.log"
[ ! -s "$work/man.log" ] || { cat "$work/man.log"; fail "the manual page has warnings"; }

# Started as a user whose data folder does not exist yet (never as root:
# root could write the unpacked /usr/bin and would keep its data there).
home="$work/home"
mkdir "$home"
as_user() {
  if [ "$(id -u)" = 0 ]; then
    chown nobody "$home"
    runuser -u nobody -- env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "$@"
  else
    env -i HOME="$home" PATH=/usr/bin:/bin QT_QPA_PLATFORM=offscreen "$@"
  fi
}
data="$home/.local/share/Quorvel"
as_user "$work/root/usr/bin/quorvel" --version >"$work/version" 2>/dev/null
grep -q "^Quorvel " "$work/version" || fail "no version printed"
grep -qx "data: $data" "$work/version" || fail "data folder not named: $(cat "$work/version")"
as_user QUORVEL_EXIT_AFTER_FIRST_PAINT=1 "$work/root/usr/bin/quorvel" >/dev/null 2>"$work/start.log" \
  || { cat "$work/start.log"; fail "the program did not start"; }
[ "$(stat -c %a "$data")" = 700 ] || fail "data folder mode $(stat -c %a "$data")"
[ "$(stat -c %a "$data/DBQORV/DBQORV.mdb")" = 600 ] || fail "database mode $(stat -c %a "$data/DBQORV/DBQORV.mdb")"
[ -d "$data/Back" ] || fail "no Back folder"
# Nothing was written beside the unpacked program.
[ ! -e "$work/root/usr/bin/DBQORV" ] || fail "data written beside the program"

# A subject registered through the real window, on a screen of its own,
# with the mouse and keyboard (offsets from the main window's corner).
display=:$(( 90 + $$ % 9 ))
Xvfb "$display" -screen 0 1600x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
if [ "$(id -u)" = 0 ]; then
  runuser -u nobody -- env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$display" "$work/root/usr/bin/quorvel" >/dev/null 2>&1 &
else
  env -i HOME="$home" PATH=/usr/bin:/bin DISPLAY="$display" "$work/root/usr/bin/quorvel" >/dev/null 2>&1 &
fi
program=$!
export DISPLAY="$display"
window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvel$' | head -1)
[ -n "$window" ] || fail "no main window"
eval "$(xdotool getwindowgeometry --shell "$window")"
at() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep 0.3; }
at 627 65; sleep 0.5
at 478 83; xdotool type 7310
at 362 83; xdotool type Nima
at 165 83; xdotool type Rahimi
at 481 119; xdotool type 29
for box in "363 119" "437 156" "304 156"; do at $box; xdotool key Down Return; sleep 0.3; done
at 165 156; xdotool type Lisans
at 268 213; sleep 1
kill "$program"; wait "$program" 2>/dev/null || true
# A second start finds the subject.
as_user "$work/root/usr/bin/quorvel" --export "$home/subjects.csv" >/dev/null 2>"$work/export.log" \
  || { cat "$work/export.log"; fail "the second start could not read the database"; }
grep -q '7310' "$home/subjects.csv" || fail "the subject registered in the window is not there: $(cat "$home/subjects.csv")"
grep -q 'Rahimi' "$home/subjects.csv" || fail "the subject's name is not there"
echo "package: $(basename "$deb") passes"
