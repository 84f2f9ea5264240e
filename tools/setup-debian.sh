#!/bin/sh
# Installs the Debian 12 packages Quorvel needs to build, run and test, when any is missing.
# When every package is present it installs nothing and needs no network.
set -e
packages="cmake g++ make pkg-config qt6-base-dev libqt6sql6-sqlite qt6-pdf-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n
fonts-farsiweb fonts-noto-core libbenchmark-dev libsqlite3-dev libboost-dev libreadstat-dev libxlsxwriter-dev
pspp python3 python3-openpyxl libqt6sql6-psql libpq-dev postgresql-15 dpkg-dev lintian desktop-file-utils appstream man-db xvfb xdotool file"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  apt-get update
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
elif command -v sudo >/dev/null 2>&1; then
  sudo apt-get update
  sudo DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
else
  echo "setup-debian.sh: as root, run: apt-get install$missing" >&2
  exit 1
fi
