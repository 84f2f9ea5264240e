#!/bin/sh
# Installs the Debian 12 packages Quorvel needs to build, run and test, when any is missing.
set -e
packages="cmake g++ make qt6-base-dev libqt6sql6-sqlite qt6-pdf-dev libqt6svg6-dev qt6-translations-l10n
fonts-farsiweb fonts-noto-core libbenchmark-dev"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then sudo=""; else sudo="sudo"; fi
$sudo apt-get update
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
